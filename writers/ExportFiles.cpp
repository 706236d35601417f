#include "ExportFiles.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <filesystem>
#include <stdexcept>
#include <system_error>

namespace {

constexpr int MaxNameAttempts = 1000;

[[noreturn]] void Fail(const QString& text) { throw std::runtime_error(text.toStdString()); }

[[noreturn]] void FailToMakeFolder(const QString& folder, const QString& forWhat, const QString& reason)
{
    Fail(QStringLiteral("Не удалось создать папку «%1» для %2: %3").arg(QDir::toNativeSeparators(folder), forWhat, reason));
}

}  // namespace

void MakeExportFolder(const QString& folder, const QString& forWhat)
{
    if (folder.isEmpty())
        Fail(QStringLiteral("Не удалось определить папку документов пользователя"));
    std::error_code error;
    std::filesystem::create_directories(QDir(folder).filesystemAbsolutePath(), error);
    if (error)
        FailToMakeFolder(folder, forWhat, QString::fromLocal8Bit(error.message()));
    // create_directories is content with an existing path; a file of that name is no folder.
    if (!QFileInfo(folder).isDir())
        FailToMakeFolder(folder, forWhat, QStringLiteral("по этому пути уже есть файл"));
}

QString ReserveNewFile(const QString& folder, const QString& stem, const QString& extension, const QString& ofWhat)
{
    const QString dated = stem + QLatin1Char(' ')
                          + QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH-mm-ss"));
    const QDir dir(folder);
    for (int attempt = 1; attempt <= MaxNameAttempts; ++attempt) {
        const QString name = attempt == 1 ? dated + QLatin1Char('.') + extension
                                          : dated + QStringLiteral(" (%1).").arg(attempt) + extension;
        const QString path = dir.filePath(name);
        QFile file(path);
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return path;
        if (!QFileInfo::exists(path))
            Fail(QStringLiteral("Не удалось создать файл %1 в папке «%2»: %3")
                     .arg(ofWhat, QDir::toNativeSeparators(folder), file.errorString()));
    }
    Fail(QStringLiteral("Не удалось подобрать свободное имя для файла %1 в папке «%2»")
             .arg(ofWhat, QDir::toNativeSeparators(folder)));
}
