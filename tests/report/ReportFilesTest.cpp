#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "FakeDialogs.h"
#include "OkzDocument.h"
#include "ReportFiles.h"
#include "RegionalSettings.h"
#include "ReportTable.h"

namespace {

const QString Overwrite = QStringLiteral("Такой файл уже существует. Переписать файл?");
const QString Damaged = QStringLiteral("Формат файла поврежден. Продолжить загрузку данных?");
const QString Foreign = QStringLiteral("Файл не является документом отчета: ни в одной его строке нет разделителя \"|\".");
const QString Utf8 = QStringLiteral("Документ, по-видимому, записан в кодировке UTF-8. Прочитать его в кодировке UTF-8?");
const QString TooManyLines = QStringLiteral("Файл содержит слишком много строк для отчета (более 100\u00A0000).");

ReportRows NamedRows(int count)
{
    ReportRows rows = EmptyReport();
    for (int r = 0; r < count; ++r)
        AddPointRow(rows, ReportRow{"К-" + std::to_string(r + 1), "5,20", "15,20", "30,15", "1,60", "15", "50,35",
                                    "16,80", "53,08", "4352", "750", "Тср < 5 с"});
    return rows;
}

QByteArray Contents(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return "<missing>";
    return file.readAll();
}

void Put(const QString& fileName, const QByteArray& bytes)
{
    QFile file(fileName);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// What a save in a child process came to; `problem` says why it could not be tried at all.
struct ChildSave {
    std::string problem;
    bool saved = false;
    int errors = 0;
};

// Runs SaveReportDocument in a forked child that drops root (to the conventional "nobody", 65534)
// when it has it. The child checks first that it can read and write `reachable`, so that a refusal
// comes from the folder's mode and not from a path or file it may not touch.
ChildSave SaveWithoutPrivileges(const ReportRows& rows, const QString& reachable, const FakeDialogs& dialogs,
                                QString& lastName)
{
    enum : int { CannotDrop = 100, CannotReach = 101 };
    const QByteArray reachablePath = QFile::encodeName(reachable);
    const pid_t child = fork();
    if (child < 0)
        return {"fork failed"};
    if (child == 0) {
        if (geteuid() == 0 && (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0))
            _exit(CannotDrop);
        if (geteuid() == 0)
            _exit(CannotDrop);
        if (access(reachablePath.constData(), R_OK | W_OK) != 0)
            _exit(CannotReach);
        const bool saved = SaveReportDocument(nullptr, rows, lastName);
        _exit((saved ? 1 : 0) | (std::min<int>(dialogs.errors.size(), 31) << 1));
    }
    // A child that hangs fails the test instead of stalling the run.
    int status = 0;
    for (int waited = 0; waitpid(child, &status, WNOHANG) == 0; waited += 10) {
        if (waited > 30000) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            return {"the child process did not end"};
        }
        usleep(10000);
    }
    if (!WIFEXITED(status))
        return {"the child process was killed"};
    const int code = WEXITSTATUS(status);
    if (code == CannotDrop)
        return {"the child process could not give up root"};
    if (code == CannotReach)
        return {"the child process could not read and write the old document"};
    return {"", (code & 1) != 0, code >> 1};
}

class ReportFilesTest : public ::testing::Test {
protected:
    QString Path(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }

    QTemporaryDir dir;
    FakeDialogs dialogs;
    QString lastSave;
    QString lastOpen;
};

}  // namespace

TEST_F(ReportFilesTest, SavedReportLoadsBackIntoTheSameRows)
{
    const ReportRows rows = NamedRows(3);
    dialogs.saveNames = {Path("отчет.okz")};
    ASSERT_TRUE(SaveReportDocument(nullptr, rows, lastSave));
    const QByteArray bytes = Contents(Path("отчет.okz"));
    EXPECT_EQ(bytes.toStdString(), WriteOkzDocument(rows));
    EXPECT_EQ(bytes.count("\r\n"), 3);

    dialogs.openNames = {Path("отчет.okz")};
    const auto loaded = LoadReportDocument(nullptr, lastOpen);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(*loaded, rows);
    EXPECT_TRUE(dialogs.questions.isEmpty());
    EXPECT_TRUE(dialogs.errors.isEmpty());
}

TEST_F(ReportFilesTest, EmptyReportMakesAnEmptyDocumentThatLoadsAs14EmptyRows)
{
    dialogs.saveNames = {Path("empty.okz")};
    ASSERT_TRUE(SaveReportDocument(nullptr, EmptyReport(), lastSave));
    EXPECT_EQ(QFileInfo(Path("empty.okz")).size(), 0);
    dialogs.openNames = {Path("empty.okz")};
    EXPECT_EQ(LoadReportDocument(nullptr, lastOpen), EmptyReport());
}

TEST_F(ReportFilesTest, DialogsOfferTheirOwnLastNameAndTheExtensionIsAdded)
{
    dialogs.saveNames = {Path("first"), Path("second.okz")};
    ASSERT_TRUE(SaveReportDocument(nullptr, NamedRows(1), lastSave));
    ASSERT_TRUE(SaveReportDocument(nullptr, NamedRows(2), lastSave));
    EXPECT_TRUE(QFileInfo::exists(Path("first.okz")));
    EXPECT_FALSE(QFileInfo::exists(Path("first")));
    EXPECT_EQ(dialogs.saveInitials, QStringList({QString(), Path("first.okz")}));

    dialogs.openNames = {Path("first")};
    const auto loaded = LoadReportDocument(nullptr, lastOpen);
    ASSERT_TRUE(loaded);
    EXPECT_EQ((*loaded)[0][0], "К-1");
    EXPECT_EQ(dialogs.openInitials, QStringList({QString()}));
    EXPECT_EQ(lastOpen, Path("first.okz"));
    EXPECT_EQ(lastSave, Path("second.okz"));

    EXPECT_EQ(WithDocumentExtension(QStringLiteral("/a/b.txt")), QStringLiteral("/a/b.txt"));
    EXPECT_EQ(WithDocumentExtension(QStringLiteral("/a.b/c")), QStringLiteral("/a.b/c.okz"));
    EXPECT_EQ(WithDocumentExtension(dir.path()), dir.path());
}

TEST_F(ReportFilesTest, OverwriteIsAskedAndCancelGoesBackToTheDialog)
{
    Put(Path("old.okz"), "old contents");
    // Cancel at the question, then the dialog is cancelled too: the file stays.
    dialogs.saveNames = {Path("old.okz")};
    dialogs.answers = {false};
    EXPECT_FALSE(SaveReportDocument(nullptr, NamedRows(2), lastSave));
    EXPECT_EQ(dialogs.questions, QStringList({Overwrite}));
    EXPECT_EQ(dialogs.saveInitials.size(), 2);
    EXPECT_EQ(dialogs.saveInitials.last(), Path("old.okz"));
    EXPECT_EQ(Contents(Path("old.okz")), "old contents");

    // Cancel, then another name: the new file is written, the old one stays.
    dialogs.saveNames = {Path("old.okz"), Path("new.okz")};
    dialogs.answers = {false};
    EXPECT_TRUE(SaveReportDocument(nullptr, NamedRows(2), lastSave));
    EXPECT_EQ(Contents(Path("old.okz")), "old contents");
    EXPECT_EQ(Contents(Path("new.okz")).toStdString(), WriteOkzDocument(NamedRows(2)));

    // OK replaces it.
    dialogs.saveNames = {Path("old.okz")};
    dialogs.answers = {true};
    EXPECT_TRUE(SaveReportDocument(nullptr, NamedRows(1), lastSave));
    EXPECT_EQ(Contents(Path("old.okz")).toStdString(), WriteOkzDocument(NamedRows(1)));
}

TEST_F(ReportFilesTest, DamagedDocumentIsTakenOnlyAfterOK)
{
    const QByteArray document = "|a|b|c|d|e|f|g|h|i|j|k|l|\r\n|broken|\r\n|z|||||||||||\r\n";
    Put(Path("damaged.okz"), document);

    dialogs.openNames = {Path("damaged.okz")};
    dialogs.answers = {false};
    EXPECT_EQ(LoadReportDocument(nullptr, lastOpen), std::nullopt);
    EXPECT_EQ(dialogs.questions, QStringList({Damaged}));
    EXPECT_EQ(dialogs.openInitials, QStringList({QString(), Path("damaged.okz")}));

    dialogs.openNames = {Path("damaged.okz")};
    dialogs.answers = {true};
    const auto loaded = LoadReportDocument(nullptr, lastOpen);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->size(), 14u);
    EXPECT_EQ((*loaded)[0], (ReportRow{"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "l"}));
    EXPECT_EQ((*loaded)[1], ReportRow{"broken"});
    EXPECT_EQ((*loaded)[2], ReportRow{"z"});
}

// A workbook renamed to ".okz" or a ";"-separated table is refused with a message and gives
// nothing; the empty document of an empty report still loads.
TEST_F(ReportFilesTest, FilesWithoutAnySeparatorAreRefused)
{
    static const char workbook[] = "PK\x03\x04\x14\x00\x06\x00\x08\x00\x00\x00!\x00\x1A|a|b|";
    const struct {
        const char* name;
        QByteArray bytes;
    } foreign[] = {
        {"workbook", QByteArray(workbook, sizeof workbook - 1)},
        {"semicolons", "К-1;5,20;15,20\r\nК-2;5,20;15,20\r\n"},
        {"blank lines", "\r\n\r\n"},
    };
    for (const auto& c : foreign) {
        SCOPED_TRACE(c.name);
        dialogs.messages.clear();
        Put(Path("foreign.okz"), c.bytes);
        dialogs.openNames = {Path("foreign.okz")};
        dialogs.answers = {true, true};
        EXPECT_EQ(LoadReportDocument(nullptr, lastOpen), std::nullopt);
        EXPECT_EQ(dialogs.messages, QStringList({Foreign}));
        EXPECT_TRUE(dialogs.questions.isEmpty());
        EXPECT_EQ(Contents(Path("foreign.okz")), c.bytes);
    }

    Put(Path("empty.okz"), QByteArray());
    dialogs.openNames = {Path("empty.okz")};
    EXPECT_EQ(LoadReportDocument(nullptr, lastOpen), EmptyReport());
}

// A document in UTF-8 holding Cyrillic is read as UTF-8 after OK and as code page 1251 (as the
// program writes) after Cancel; a document in code page 1251 is read without a question.
TEST_F(ReportFilesTest, Utf8DocumentIsReadAsUtf8AfterOK)
{
    const QByteArray utf8 = "|К1-ВРУ|5,20|15,20|30,15|1,60|15|50,35|16,80|53,08|4352|750|Тср < 5 с|\r\n";
    Put(Path("utf8.okz"), utf8);

    dialogs.openNames = {Path("utf8.okz")};
    dialogs.answers = {true};
    const auto asUtf8 = LoadReportDocument(nullptr, lastOpen);
    ASSERT_TRUE(asUtf8);
    ReportRow expected = NamedRows(1)[0];
    expected[0] = "К1-ВРУ";
    EXPECT_EQ((*asUtf8)[0], expected);
    EXPECT_EQ(dialogs.questions, QStringList({Utf8}));

    dialogs.openNames = {Path("utf8.okz")};
    dialogs.answers = {false};
    const auto as1251 = LoadReportDocument(nullptr, lastOpen);
    ASSERT_TRUE(as1251);
    EXPECT_EQ((*as1251)[0][0], "Рљ1-Р’Р\u00A0РЈ");
    EXPECT_EQ(dialogs.questions, QStringList({Utf8, Utf8}));

    Put(Path("cp1251.okz"), QByteArray::fromStdString(WriteOkzDocument(NamedRows(2))));
    dialogs.openNames = {Path("cp1251.okz")};
    EXPECT_EQ(LoadReportDocument(nullptr, lastOpen), NamedRows(2));
    EXPECT_EQ(dialogs.questions.size(), 2);
}

TEST_F(ReportFilesTest, DocumentsOfAnyLengthLoadWhole)
{
    const ReportRows rows = NamedRows(1500);
    Put(Path("long.okz"), QByteArray::fromStdString(WriteOkzDocument(rows)));
    dialogs.openNames = {Path("long.okz")};
    const auto loaded = LoadReportDocument(nullptr, lastOpen);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(*loaded, rows);
}

TEST_F(ReportFilesTest, UnreadableFilesAreReportedAndGiveNothing)
{
    dialogs.openNames = {Path("missing.okz"), dir.path()};
    EXPECT_EQ(LoadReportDocument(nullptr, lastOpen), std::nullopt);
    EXPECT_EQ(LoadReportDocument(nullptr, lastOpen), std::nullopt);
    ASSERT_EQ(dialogs.errors.size(), 2);
    EXPECT_FALSE(dialogs.errors[0].isEmpty());
    EXPECT_FALSE(dialogs.errors[1].isEmpty());
}

TEST_F(ReportFilesTest, DocumentsOver64MiBAreRefusedUnread)
{
    {
        QFile file(Path("huge.okz"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(OkzDocumentSizeLimit + 1));  // sparse: no disk space used
    }
    dialogs.openNames = {Path("huge.okz")};
    EXPECT_EQ(LoadReportDocument(nullptr, lastOpen), std::nullopt);
    EXPECT_EQ(dialogs.errors, QStringList({QStringLiteral("Файл слишком велик для документа отчета (более 64 МБ).")}));
    EXPECT_TRUE(dialogs.questions.isEmpty());
}

// A document of bare line ends would make a row of 12 cells per byte: beyond the line limit it is
// refused while being read.
TEST_F(ReportFilesTest, DocumentsOfTooManyLinesAreRefusedWhileRead)
{
    for (const std::size_t lineEnds : {OkzDocumentLineLimit + 1, std::size_t{10'000'000}}) {
        Put(Path("line-ends.okz"), QByteArray(static_cast<qsizetype>(lineEnds), '\n'));
        dialogs.openNames = {Path("line-ends.okz")};
        dialogs.errors.clear();
        EXPECT_EQ(LoadReportDocument(nullptr, lastOpen), std::nullopt) << lineEnds;
        EXPECT_EQ(dialogs.errors, QStringList({TooManyLines})) << lineEnds;
        EXPECT_TRUE(dialogs.questions.isEmpty());
    }
}

// A FIFO would block the open until some writer came, a device could deliver data for ever.
TEST_F(ReportFilesTest, OnlyRegularFilesAreLoaded)
{
    const QString notAFile = QStringLiteral("Документ отчета можно загрузить только из обычного файла.");
    ASSERT_EQ(mkfifo(QFile::encodeName(Path("fifo.okz")).constData(), 0600), 0);
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.okz")));
    ASSERT_TRUE(QFile::link(Path("fifo.okz"), Path("link.okz")));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), Path("zero.okz")));
    dialogs.openNames = {Path("fifo.okz"), Path("link.okz"), Path("folder.okz"), Path("zero.okz")};
    alarm(10);  // a blocked open or an endless read ends the test instead of hanging it
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(LoadReportDocument(nullptr, lastOpen), std::nullopt) << i;
    alarm(0);
    EXPECT_EQ(dialogs.errors, QStringList({notAFile, notAFile, notAFile, notAFile}));
}

// A project that cannot be opened or saved names what failed and the file before the system's
// reason; a FIFO or a folder is refused as a project.
TEST_F(ReportFilesTest, ProjectFailuresNameTheProjectAndItsFile)
{
    const QString notAFile = QStringLiteral("Проект можно открыть только из обычного файла.");
    ASSERT_EQ(mkfifo(QFile::encodeName(Path("fifo.zpr")).constData(), 0600), 0);
    dialogs.projectOpenNames = {Path("missing.zpr"), Path("fifo.zpr"), dir.path()};
    dialogs.projectSaveNames = {Path("absent/x.zpr")};
    alarm(10);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(LoadProjectDocument(nullptr, lastOpen), std::nullopt) << i;
    alarm(0);
    EXPECT_FALSE(SaveProjectDocument(nullptr, {}, NamedRows(1), {}, lastSave));
    const QString failed = QStringLiteral("Не удалось %1 проект \"%2\": ");
    ASSERT_EQ(dialogs.errors.size(), 4);
    EXPECT_EQ(dialogs.errors.mid(0, 3), QStringList({failed.arg(QStringLiteral("открыть"), Path("missing.zpr")) +
                                                     qt_error_string(ENOENT), notAFile, notAFile}));
    EXPECT_TRUE(dialogs.errors[3].startsWith(failed.arg(QStringLiteral("сохранить"), Path("absent/x.zpr"))));
}

// Under a locale whose separators code page 1251 lacks, a new point's figures still reach the
// document and come back as the same numbers.
TEST_F(ReportFilesTest, PointFiguresMadeUnderAnyLocaleComeBackFromTheDocument)
{
    const QLocale previous;
    ShortCircuitResult result;
    result.Rt = 3 * 1234.5671;
    result.Iokz = 12345.4;
    struct Case {
        const char* locale;
        const char* grouped;  // Rt / 3
        const char* tripCurrent;
    };
    const Case cases[] = {
        {"fr_FR", "1\u00A0234,57", "1234,5"},  // U+202F groups
        {"ar_EG", "1\u00A0234,57", "1234,5"},  // U+066C groups, U+066B is the decimal sign
        {"en_US", "1,234.57", "1234.5"},
    };
    for (const Case& c : cases) {
        QLocale::setDefault(QLocale(QString::fromLatin1(c.locale)));
        ReportRows rows = EmptyReport();
        AddPointRow(rows, MakePointRow("К-1", result, 1234.5, "Тср < 5 с", RegionalSeparators()));
        EXPECT_EQ(rows[0][1], c.grouped) << c.locale;
        EXPECT_EQ(rows[0][10], c.tripCurrent) << c.locale;

        dialogs.saveNames = {Path("locale.okz")};
        dialogs.answers = {true};
        dialogs.openNames = {Path("locale.okz")};
        ASSERT_TRUE(SaveReportDocument(nullptr, rows, lastSave)) << c.locale;
        EXPECT_EQ(LoadReportDocument(nullptr, lastOpen), rows) << c.locale;
    }
    QLocale::setDefault(previous);
    EXPECT_TRUE(dialogs.errors.isEmpty());
}

// A save that fails part-way leaves the document that was there untouched, and no stray files.
TEST_F(ReportFilesTest, FailedSaveKeepsTheOldDocument)
{
    const QByteArray old = QByteArray::fromStdString(WriteOkzDocument(NamedRows(2)));
    Put(Path("kept.okz"), old);
    const ReportRows big = NamedRows(200);  // about 13 kB

    // The file size limit of the process stands in for a full disk.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 1000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    dialogs.saveNames = {Path("kept.okz")};
    dialogs.answers = {true};
    const bool saved1 = SaveReportDocument(nullptr, big, lastSave);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(saved1);
    // The system's own reason for the short write, as for a full disk, not "Unknown error".
    EXPECT_EQ(dialogs.errors, QStringList({QString::fromLocal8Bit(std::strerror(EFBIG))}));
    EXPECT_EQ(Contents(Path("kept.okz")), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({QStringLiteral("kept.okz")}));
}

TEST_F(ReportFilesTest, SaveOntoAFolderOrIntoAMissingFolderIsReported)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.okz")));
    dialogs.saveNames = {Path("folder.okz"), Path("absent/x.okz")};
    dialogs.answers = {true};
    EXPECT_FALSE(SaveReportDocument(nullptr, NamedRows(1), lastSave));
    EXPECT_FALSE(SaveReportDocument(nullptr, NamedRows(1), lastSave));
    EXPECT_EQ(dialogs.errors.size(), 2);
    EXPECT_TRUE(QFileInfo(Path("folder.okz")).isDir());
    EXPECT_EQ(QDir(Path("folder.okz")).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
}

// Folder permissions do not bind the superuser, and CI runs the tests as root: the save runs in a
// child process that first gives up root, so the folder refuses it for every caller.
TEST_F(ReportFilesTest, SaveIntoAReadOnlyFolderKeepsTheOldDocument)
{
    const QByteArray old = QByteArray::fromStdString(WriteOkzDocument(NamedRows(2)));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("ro")));
    Put(Path("ro/kept.okz"), old);
    const auto readable = QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadGroup |
                          QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::ExeOther;
    // The unprivileged child must reach the folder and may write the document itself, so that the
    // folder's mode alone refuses the save.
    ASSERT_TRUE(QFile::setPermissions(Path("ro/kept.okz"), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                              QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                                                              QFileDevice::ReadOther | QFileDevice::WriteOther));
    ASSERT_TRUE(QFile::setPermissions(dir.path(), readable | QFileDevice::WriteOwner));
    ASSERT_TRUE(QFile::setPermissions(Path("ro"), readable));
    dialogs.saveNames = {Path("ro/kept.okz")};
    dialogs.answers = {true};

    const ChildSave outcome = SaveWithoutPrivileges(NamedRows(3), Path("ro/kept.okz"), dialogs, lastSave);
    QFile::setPermissions(Path("ro"), readable | QFileDevice::WriteOwner);

    ASSERT_EQ(outcome.problem, "") << "the save could not be tried without privileges";
    EXPECT_FALSE(outcome.saved);
    EXPECT_EQ(outcome.errors, 1);
    EXPECT_EQ(Contents(Path("ro/kept.okz")), old);
    EXPECT_EQ(QDir(Path("ro")).entryList(QDir::Files), QStringList({QStringLiteral("kept.okz")}));
}
