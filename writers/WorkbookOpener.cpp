#include "WorkbookOpener.h"

#include <QDesktopServices>
#include <QDir>
#include <QUrl>
#include <stdexcept>

#ifdef Q_OS_WIN
#include <QSettings>
#else
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#endif

namespace {

[[noreturn]] void FailToOpen(const QString& path)
{
    throw std::runtime_error(QStringLiteral("Не удалось открыть книгу «%1» программой для электронных таблиц")
                                 .arg(QDir::toNativeSeparators(path))
                                 .toStdString());
}

#ifdef Q_OS_WIN

// Windows: a workbook opens when ".xlsx" is registered to a class that has a shell verb.
class SystemWorkbookOpener final : public WorkbookOpener {
public:
    bool CanOpen() override
    {
        QSettings extension(QStringLiteral("HKEY_CLASSES_ROOT\\.xlsx"), QSettings::NativeFormat);
        const QString progId = extension.value(QStringLiteral("Default")).toString();
        if (!progId.isEmpty() && HasShellVerb(progId))
            return true;
        extension.beginGroup(QStringLiteral("OpenWithProgids"));
        const QStringList others = extension.childKeys();
        for (const QString& other : others)
            if (HasShellVerb(other))
                return true;
        return false;
    }

    void Open(const QString& path) override
    {
        if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
            FailToOpen(path);
    }

private:
    static bool HasShellVerb(const QString& progId)
    {
        QSettings shell(QStringLiteral("HKEY_CLASSES_ROOT\\%1\\shell").arg(progId), QSettings::NativeFormat);
        return !shell.childGroups().isEmpty();
    }
};

#else

const QString XlsxMimeType = QStringLiteral("application/vnd.openxmlformats-officedocument.spreadsheetml.sheet");

// Spreadsheet programs that take a workbook path as their argument, most specific first.
const QStringList KnownPrograms = {
    QStringLiteral("localc"),       QStringLiteral("libreoffice"),   QStringLiteral("soffice"),
    QStringLiteral("gnumeric"),     QStringLiteral("onlyoffice-desktopeditors"),
    QStringLiteral("desktopeditors"), QStringLiteral("calligrasheets"),
};

// The desktop entry that the desktop's MIME defaults name for .xlsx, if it is installed.
bool HasDesktopDefault()
{
    QProcess query;
    query.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"), XlsxMimeType});
    if (!query.waitForFinished(5000)) {
        query.kill();
        query.waitForFinished();
        return false;
    }
    if (query.exitStatus() != QProcess::NormalExit || query.exitCode() != 0)
        return false;
    const QString id = QString::fromLocal8Bit(query.readAllStandardOutput()).trimmed();
    if (!id.endsWith(QStringLiteral(".desktop")))
        return false;
    // A desktop file id "vendor-name.desktop" may live as "vendor/name.desktop".
    QString candidate = id;
    for (;;) {
        if (!QStandardPaths::locate(QStandardPaths::ApplicationsLocation, candidate).isEmpty())
            return true;
        const int dash = candidate.indexOf(QLatin1Char('-'));
        if (dash < 0)
            return false;
        candidate[dash] = QLatin1Char('/');
    }
}

// Elsewhere: the desktop's default application for .xlsx, or else a known spreadsheet program
// on PATH, started directly.
class SystemWorkbookOpener final : public WorkbookOpener {
public:
    bool CanOpen() override
    {
        desktopDefault_ = HasDesktopDefault();
        program_.clear();
        if (!desktopDefault_) {
            for (const QString& name : KnownPrograms) {
                program_ = QStandardPaths::findExecutable(name);
                if (!program_.isEmpty())
                    break;
            }
        }
        return desktopDefault_ || !program_.isEmpty();
    }

    void Open(const QString& path) override
    {
        const bool started = desktopDefault_ ? QDesktopServices::openUrl(QUrl::fromLocalFile(path))
                             : !program_.isEmpty() && QProcess::startDetached(program_, {path});
        if (!started)
            FailToOpen(path);
    }

private:
    bool desktopDefault_ = false;
    QString program_;
};

#endif

SystemWorkbookOpener systemOpener;
WorkbookOpener* current = &systemOpener;

}  // namespace

WorkbookOpener& CurrentWorkbookOpener() { return *current; }

void SetWorkbookOpener(WorkbookOpener* opener) { current = opener ? opener : &systemOpener; }
