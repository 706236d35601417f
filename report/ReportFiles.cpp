#include "ReportFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "Dialogs.h"
#include "OkzDocument.h"
#include "ReportTable.h"

namespace {

const QString OverwriteQuestion = QStringLiteral("Такой файл уже существует. Переписать файл?");
const QString DamagedQuestion = QStringLiteral("Формат файла поврежден. Продолжить загрузку данных?");
const QString TooLargeMessage = QStringLiteral("Файл слишком велик для документа отчета (более 64 МБ).");

// Writes the whole document to a temporary file beside `fileName` and puts it in place only when
// everything was written.
bool WriteDocumentFile(const QString& fileName, const std::string& document)
{
    QSaveFile file(fileName);
    // Unbuffered: a buffered write could fail only while commit() flushes, and commit() would
    // still put the short file in place of the old one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        CurrentDialogs().Error(file.errorString());
        return false;
    }
    const auto size = static_cast<qint64>(document.size());
    if (file.write(document.data(), size) != size) {
        const QString reason = file.errorString();
        file.cancelWriting();
        CurrentDialogs().Error(reason);
        return false;
    }
    if (!file.commit()) {
        CurrentDialogs().Error(file.errorString());
        return false;
    }
    return true;
}

// The whole contents of `fileName`, or nothing after an error box.
std::optional<std::string> ReadDocumentFile(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        CurrentDialogs().Error(file.errorString());
        return std::nullopt;
    }
    if (file.size() > OkzDocumentSizeLimit) {
        CurrentDialogs().Error(TooLargeMessage);
        return std::nullopt;
    }
    // A device may report a size of 0 and still deliver endless data: read one byte beyond the limit.
    const QByteArray bytes = file.read(OkzDocumentSizeLimit + 1);
    if (file.error() != QFileDevice::NoError) {
        CurrentDialogs().Error(file.errorString());
        return std::nullopt;
    }
    if (bytes.size() > OkzDocumentSizeLimit) {
        CurrentDialogs().Error(TooLargeMessage);
        return std::nullopt;
    }
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

}  // namespace

QString WithDocumentExtension(const QString& fileName)
{
    // As the file dialog itself does: a name without any "." that is not a folder gets ".okz".
    const QFileInfo info(fileName);
    if (fileName.isEmpty() || info.isDir() || info.fileName().contains(QLatin1Char('.')))
        return fileName;
    return fileName + QStringLiteral(".okz");
}

bool SaveReportDocument(QWidget* parent, const ReportRows& rows, QString& lastName)
{
    for (;;) {
        const std::optional<QString> chosen = CurrentDialogs().SaveFileName(parent, lastName);
        if (!chosen)
            return false;
        const QString fileName = WithDocumentExtension(*chosen);
        lastName = fileName;
        if (QFileInfo::exists(fileName) && !CurrentDialogs().Question(OverwriteQuestion))
            continue;
        return WriteDocumentFile(fileName, WriteOkzDocument(rows));
    }
}

std::optional<ReportRows> LoadReportDocument(QWidget* parent, QString& lastName)
{
    for (;;) {
        const std::optional<QString> chosen = CurrentDialogs().OpenFileName(parent, lastName);
        if (!chosen)
            return std::nullopt;
        const QString fileName = WithDocumentExtension(*chosen);
        lastName = fileName;
        const std::optional<std::string> bytes = ReadDocumentFile(fileName);
        if (!bytes)
            return std::nullopt;
        OkzDocumentContents contents = ReadOkzDocument(*bytes);
        if (contents.damaged && !CurrentDialogs().Question(DamagedQuestion))
            continue;
        return ReportFromLines(std::move(contents.lines));
    }
}
