#include "ReportFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <functional>
#include <cerrno>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

#include "Dialogs.h"
#include "OkzDocument.h"
#include "ReportTable.h"

namespace {

const QString OverwriteQuestion = QStringLiteral("Такой файл уже существует. Переписать файл?");
const QString DamagedQuestion = QStringLiteral("Формат файла поврежден. Продолжить загрузку данных?");
const QString TooLargeMessage = QStringLiteral("Файл слишком велик для документа отчета (более 64 МБ).");

const QString TooManyLinesMessage =
    QStringLiteral("Файл содержит слишком много строк для отчета (более 100\u00A0000).");
const QString ProjectTooLargeMessage = QStringLiteral("Файл слишком велик для проекта (более 128 МБ). Проект не открыт.");
const QString ForeignMessage =
    QStringLiteral("Файл не является документом отчета: ни в одной его строке нет разделителя \"|\".");
const QString Utf8Question =
    QStringLiteral("Документ, по-видимому, записан в кодировке UTF-8. Прочитать его в кодировке UTF-8?");
const QString NotAFileMessage = QStringLiteral("Документ отчета можно загрузить только из обычного файла.");
const QString NotAFileProjectMessage = QStringLiteral("Проект можно открыть только из обычного файла.");
const QString EmptyDocumentQuestion = QStringLiteral("Документ не содержит ни одной точки. Очистить отчет?");
const QString ProjectChosenMessage =
    QStringLiteral("Это файл проекта Зорант: откройте его кнопкой \"Открыть проект...\"");

// How the file work names its failures. A ".okz" document shows the system's reason as it is;
// a project names what failed and the file before it.
struct FileTexts {
    QString failure;    // "%1" is the file's name; empty: the reason alone
    QString notAFile;   // a FIFO, a device or a folder was chosen
    QString Failed(const QString& fileName, const QString& reason) const
    {
        if (failure.isEmpty())
            return reason;
        return failure.arg(QDir::toNativeSeparators(fileName)) + reason;
    }
};

const FileTexts OkzTexts{QString(), NotAFileMessage};
const FileTexts ProjectOpenTexts{QStringLiteral("Не удалось открыть проект \"%1\": "), NotAFileProjectMessage};
const FileTexts ProjectSaveTexts{QStringLiteral("Не удалось сохранить проект \"%1\": "), NotAFileProjectMessage};

// Writes a document, handed to `write` piece by piece, to a temporary file beside `fileName` and
// puts it in place only when everything was written.
bool WriteDocumentFile(const QString& fileName, const FileTexts& texts,
                       const std::function<bool(const std::function<bool(std::string_view)>&)>& write)
{
    QSaveFile file(fileName);
    // Unbuffered: a buffered write could fail only while commit() flushes, and commit() would
    // still put the short file in place of the old one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        CurrentDialogs().Error(texts.Failed(fileName, file.errorString()));
        return false;
    }
    // A write that fills the disk part-way returns the bytes that fitted and records no error;
    // only writing the rest brings the system's reason (a full disk, a size limit).
    QString reason;
    const auto writePiece = [&file, &reason](std::string_view piece) {
        const char* rest = piece.data();
        auto left = static_cast<qint64>(piece.size());
        while (left > 0) {
            const qint64 written = file.write(rest, left);
            if (written <= 0) {
                reason = file.errorString();
                return false;
            }
            rest += written;
            left -= written;
        }
        return true;
    };
    if (!write(writePiece)) {
        file.cancelWriting();
        CurrentDialogs().Error(texts.Failed(fileName, reason));
        return false;
    }
    if (!file.commit()) {
        CurrentDialogs().Error(texts.Failed(fileName, file.errorString()));
        return false;
    }
    return true;
}

bool WriteDocumentFile(const QString& fileName, const std::string& document)
{
    return WriteDocumentFile(fileName, OkzTexts,
                             [&document](const auto& writePiece) { return writePiece(document); });
}

// Opens `fileName` for reading when it is a regular file. A FIFO, a device or a folder is refused
// without blocking: the open itself does not wait for a writer, and the type is checked on the
// opened descriptor, so the file cannot be swapped in between.
bool OpenRegularFile(const QString& fileName, const FileTexts& texts, QFile& file, qint64& size)
{
    const int fd = ::open(QFile::encodeName(fileName).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        CurrentDialogs().Error(texts.Failed(fileName, qt_error_string(errno)));
        return false;
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        CurrentDialogs().Error(texts.notAFile);
        return false;
    }
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        CurrentDialogs().Error(texts.Failed(fileName, file.errorString()));
        return false;
    }
    size = static_cast<qint64>(status.st_size);
    return true;
}

// The whole contents of `fileName`, or nothing after an error box. Read piece by piece, counting
// the lines, so that a document too large or of too many lines is refused before it is held whole.
std::optional<std::string> ReadDocumentFile(const QString& fileName)
{
    QFile file;
    qint64 size = 0;
    if (!OpenRegularFile(fileName, OkzTexts, file, size))
        return std::nullopt;
    if (size > OkzDocumentSizeLimit) {
        CurrentDialogs().Error(TooLargeMessage);
        return std::nullopt;
    }

    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(size));
    OkzLineCounter counter;
    std::string piece(1 << 20, '\0');
    // The file may have grown since its size was taken: read one byte beyond the limit at most.
    for (;;) {
        const qint64 room = OkzDocumentSizeLimit + 1 - static_cast<qint64>(bytes.size());
        const qint64 got = file.read(piece.data(), std::min(room, static_cast<qint64>(piece.size())));
        if (got < 0) {
            CurrentDialogs().Error(file.errorString());
            return std::nullopt;
        }
        if (got == 0)
            break;
        const std::string_view read(piece.data(), static_cast<std::size_t>(got));
        counter.Feed(read);
        if (counter.Lines() > OkzDocumentLineLimit) {
            CurrentDialogs().Error(TooManyLinesMessage);
            return std::nullopt;
        }
        bytes += read;
        if (static_cast<qint64>(bytes.size()) > OkzDocumentSizeLimit) {
            CurrentDialogs().Error(TooLargeMessage);
            return std::nullopt;
        }
    }
    return bytes;
}

// Reads a project piece by piece into the reader; nothing after an error box.
std::optional<Project> ReadProjectFile(const QString& fileName)
{
    QFile file;
    qint64 size = 0;
    if (!OpenRegularFile(fileName, ProjectOpenTexts, file, size))
        return std::nullopt;
    if (size > ProjectDocumentSizeLimit) {
        CurrentDialogs().Error(ProjectTooLargeMessage);
        return std::nullopt;
    }
    ProjectReader reader;
    std::string piece(1 << 20, '\0');
    qint64 total = 0;
    while (!reader.Refused()) {
        const qint64 got = file.read(piece.data(), static_cast<qint64>(piece.size()));
        if (got < 0) {
            CurrentDialogs().Error(ProjectOpenTexts.Failed(fileName, file.errorString()));
            return std::nullopt;
        }
        if (got == 0)
            break;
        // The file may have grown since its size was taken.
        total += got;
        if (total > ProjectDocumentSizeLimit) {
            CurrentDialogs().Error(ProjectTooLargeMessage);
            return std::nullopt;
        }
        reader.Feed(std::string_view(piece.data(), static_cast<std::size_t>(got)));
    }
    ProjectReading reading = reader.Finish();
    if (!reading.project) {
        CurrentDialogs().Error(QString::fromStdString(reading.refusal));
        return std::nullopt;
    }
    return std::move(reading.project);
}

}  // namespace

QString WithProjectExtension(const QString& fileName)
{
    const QFileInfo info(fileName);
    if (fileName.isEmpty() || info.isDir() || info.fileName().contains(QLatin1Char('.')))
        return fileName;
    return fileName + QStringLiteral(".zpr");
}

bool SaveProjectDocument(QWidget* parent, const ProjectFields& fields, const ReportRows& rows,
                         const std::vector<std::string>& records, QString& lastName)
{
    for (;;) {
        const std::optional<QString> chosen = CurrentDialogs().SaveProjectFileName(parent, lastName);
        if (!chosen)
            return false;
        const QString fileName = WithProjectExtension(*chosen);
        lastName = fileName;
        if (QFileInfo::exists(fileName) && !CurrentDialogs().Question(OverwriteQuestion))
            continue;
        return WriteDocumentFile(fileName, ProjectSaveTexts, [&](const std::function<bool(std::string_view)>& writePiece) {
            return WriteProjectDocument(fields, rows, records, writePiece);
        });
    }
}

std::optional<Project> LoadProjectDocument(QWidget* parent, QString& lastName)
{
    const std::optional<QString> chosen = CurrentDialogs().OpenProjectFileName(parent, lastName);
    if (!chosen)
        return std::nullopt;
    const QString fileName = WithProjectExtension(*chosen);
    lastName = fileName;
    return ReadProjectFile(fileName);
}

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

std::optional<ReportRows> LoadReportDocument(QWidget* parent, QString& lastName, bool reportHoldsPoints)
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
        // Read as a ".okz" document, a project's lines would come out as rows of junk.
        if (LooksLikeProjectDocument(*bytes)) {
            CurrentDialogs().Message(ProjectChosenMessage);
            return std::nullopt;
        }
        // An empty file is more often a failed copy than a wish to clear the report.
        if (bytes->empty() && reportHoldsPoints && !CurrentDialogs().Question(EmptyDocumentQuestion))
            return std::nullopt;
        OkzDocumentContents contents = ReadOkzDocument(*bytes);
        if (contents.tooLong) {  // ReadDocumentFile refuses such a document already, while reading it
            CurrentDialogs().Error(TooManyLinesMessage);
            return std::nullopt;
        }
        // Taken as 14 empty rows, such a file would be written over by the next save.
        if (contents.foreign) {
            CurrentDialogs().Message(ForeignMessage);
            return std::nullopt;
        }
        // Cancel reads the document as the program writes it, in code page 1251.
        if (LooksLikeUtf8Cyrillic(*bytes) && CurrentDialogs().Question(Utf8Question))
            contents = ReadOkzDocument(*bytes, OkzEncoding::Utf8);
        if (contents.damaged && !CurrentDialogs().Question(DamagedQuestion))
            continue;
        return ReportFromLines(std::move(contents.lines));
    }
}
