// The spreadsheet export, checked by reading every workbook back with an independent reader
// (openpyxl under Debian's python3).

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "FakeDialogs.h"
#include "FakeWorkbookOpener.h"
#include "FormsFixture.h"
#include "ReportUnit.h"
#include "ToExcelUnit.h"
#include "Workbook.h"

namespace {

const QString NoProgramMessage = QStringLiteral("Требуется установить MS Excel на компьютер");

ReportRow FilledRow(int number)
{
    const std::string n = std::to_string(number);
    return {"Точка " + n, "1,2" + n, "3,4" + n, "12,50", "0,86", "15", "28,70", "4,10", "28,99",
            "7 58" + n, "250", "Тср < 0,4 с"};
}

ReportRows Report(std::initializer_list<ReportRow> rows, std::size_t minimum = ReportMinimumRows)
{
    ReportRows report(rows);
    if (report.size() < minimum)
        report.resize(minimum);
    return report;
}

QStringList FilesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
}

// Runs the checker on `workbook`; returns its complaints, empty when the workbook is right.
QString CheckWorkbook(const QString& workbook, const ReportRows& expectedRows)
{
    QTemporaryDir scratch;
    QJsonArray rows;
    for (const ReportRow& row : expectedRows) {
        QJsonArray texts;
        for (const std::string& text : row)
            texts.append(QString::fromStdString(text));
        rows.append(texts);
    }
    const QString expected = scratch.filePath(QStringLiteral("expected.json"));
    QFile file(expected);
    if (!file.open(QIODevice::WriteOnly) || file.write(QJsonDocument(QJsonObject{{"rows", rows}}).toJson()) < 0)
        return QStringLiteral("cannot write ") + expected;
    file.close();

    QProcess checker;
    checker.setProcessChannelMode(QProcess::MergedChannels);
    checker.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral(ZORANT_WORKBOOK_CHECKER), expected, workbook});
    if (!checker.waitForFinished(60000))
        return QStringLiteral("/usr/bin/python3 did not run: ") + checker.errorString();
    const QString output = QString::fromUtf8(checker.readAll());
    if (checker.exitStatus() != QProcess::NormalExit || checker.exitCode() != 0)
        return output.isEmpty() ? QStringLiteral("checker failed") : output;
    return {};
}

struct ExportCase {
    const char* name;
    ReportRows rows;
    int exported;  // leading rows expected on the sheet
};

ReportRow WithName(ReportRow row, std::string name)
{
    row[0] = std::move(name);
    return row;
}

ReportRow PartlyEmpty()
{
    ReportRow row = FilledRow(5);
    row[3] = "";
    row[11] = "";
    return row;
}

const ExportCase ExportCases[] = {
    {"EmptyReport", Report({}), 0},
    {"FourteenFullRows",
     Report({FilledRow(1), FilledRow(2), FilledRow(3), FilledRow(4), FilledRow(5), FilledRow(6), FilledRow(7),
             FilledRow(8), FilledRow(9), FilledRow(10), FilledRow(11), FilledRow(12), FilledRow(13),
             FilledRow(14)}),
     14},
    {"GapAfterTwoRows", Report({FilledRow(1), FilledRow(2), WithName(FilledRow(3), ""), FilledRow(4)}), 2},
    {"NameOfOneBlank", Report({WithName(FilledRow(1), " "), FilledRow(2)}), 2},
    {"EmptyFiguresStayBlank", Report({PartlyEmpty()}), 1},
    {"NumericLookingTexts",
     Report({{"1", "5,20", "1 234,57", "1\u00a0234,57", "5.20", "1e5", "-0", "007", "=1+1", "---", "2867",
              "Тср < 5 с"},
             {"  3,5  ", "0", "", "+7", "1/2", "12:30", "TRUE", "#N/A", "50%", "$1", "0x1F", "c"}}),
     2},
    {"MoreRowsThanTheMinimum",
     [] {
         ReportRows rows;
         for (int i = 1; i <= 20; ++i)
             rows.push_back(FilledRow(i));
         return rows;
     }(),
     20},
};

void PrintTo(const ExportCase& test, std::ostream* out) { *out << test.name; }

class ExportCaseTest : public ::testing::TestWithParam<ExportCase> {};

TEST_P(ExportCaseTest, WorkbookHoldsTheLeadingNamedRowsFormatted)
{
    const ExportCase& test = GetParam();
    FakeDialogs dialogs;
    FakeWorkbookOpener opener;
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const ReportRows before = test.rows;

    const QString path = ExportRowsToWorkbook(test.rows, folder.path());

    EXPECT_TRUE(dialogs.messages.isEmpty());
    ASSERT_EQ(opener.opened, QStringList{path});
    EXPECT_EQ(QFileInfo(path).dir().absolutePath(), QDir(folder.path()).absolutePath());
    // Only the workbook: the writer's scratch files are gone.
    EXPECT_EQ(FilesIn(folder.path()), QStringList{QFileInfo(path).fileName()});
    EXPECT_EQ(test.rows, before);

    const ReportRows expected(test.rows.begin(), test.rows.begin() + test.exported);
    EXPECT_EQ(CheckWorkbook(path, expected), QString());
}

INSTANTIATE_TEST_SUITE_P(Export, ExportCaseTest, ::testing::ValuesIn(ExportCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Export, TwoExportsGiveTwoWorkbooksAndTheFirstStaysAsItWas)
{
    FakeDialogs dialogs;
    FakeWorkbookOpener opener;
    QTemporaryDir folder;
    const ReportRows first = Report({FilledRow(1)});
    const ReportRows second = Report({FilledRow(2), FilledRow(3)});

    const QString firstPath = ExportRowsToWorkbook(first, folder.path());
    QFile firstFile(firstPath);
    ASSERT_TRUE(firstFile.open(QIODevice::ReadOnly));
    const QByteArray firstBytes = firstFile.readAll();
    firstFile.close();
    const QString secondPath = ExportRowsToWorkbook(second, folder.path());

    EXPECT_NE(firstPath, secondPath);
    for (const QString& path : {firstPath, secondPath}) {
        const QString name = QFileInfo(path).fileName();
        EXPECT_TRUE(name.startsWith(QStringLiteral("Расчет ОКЗ ")) && name.endsWith(QStringLiteral(".xlsx")))
            << name.toStdString();
    }
    EXPECT_EQ(opener.opened, (QStringList{firstPath, secondPath}));
    EXPECT_EQ(FilesIn(folder.path()).size(), 2);
    ASSERT_TRUE(firstFile.open(QIODevice::ReadOnly));
    EXPECT_EQ(firstFile.readAll(), firstBytes);
    EXPECT_EQ(CheckWorkbook(firstPath, {first[0]}), QString());
    EXPECT_EQ(CheckWorkbook(secondPath, {second[0], second[1]}), QString());
}

TEST(Export, WithoutASpreadsheetProgramOnlyTheMessageIsShown)
{
    FakeDialogs dialogs;
    FakeWorkbookOpener opener;
    opener.installed = false;
    QTemporaryDir folder;

    EXPECT_EQ(ExportRowsToWorkbook(Report({FilledRow(1)}), folder.path()), QString());

    EXPECT_EQ(dialogs.messages, QStringList{NoProgramMessage});
    EXPECT_TRUE(opener.opened.isEmpty());
    EXPECT_TRUE(FilesIn(folder.path()).isEmpty());
}

TEST(Export, FailuresThrowTheirTextAndLeaveNoFile)
{
    QTemporaryDir scratch;
    const QString plainFile = scratch.filePath(QStringLiteral("not a folder"));
    {
        QFile file(plainFile);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    const QString writable = scratch.filePath(QStringLiteral("out"));
    ASSERT_TRUE(QDir().mkpath(writable));
    ReportRow tooLong = FilledRow(1);
    tooLong[4] = std::string(40000, 'x');  // beyond what a spreadsheet cell holds

    const struct {
        const char* name;
        QString folder;
        ReportRows rows;
        bool openFails;
    } cases[] = {
        {"missing folder", scratch.filePath(QStringLiteral("absent")), Report({FilledRow(1)}), false},
        {"folder is a file", plainFile, Report({FilledRow(1)}), false},
        {"text too long for a cell", writable, Report({FilledRow(1), tooLong}), false},
        {"program does not start", writable, Report({FilledRow(1)}), true},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        FakeDialogs dialogs;
        FakeWorkbookOpener opener;
        opener.failToOpen = test.openFails;
        const QStringList filesBefore = FilesIn(scratch.path());

        std::string error;
        try {
            ExportRowsToWorkbook(test.rows, test.folder);
        } catch (const std::runtime_error& e) {
            error = e.what();
        }

        EXPECT_FALSE(error.empty());
        EXPECT_TRUE(dialogs.messages.isEmpty());
        EXPECT_TRUE(opener.opened.isEmpty());
        EXPECT_EQ(FilesIn(scratch.path()), filesBefore);
        EXPECT_TRUE(FilesIn(writable).isEmpty());
    }
}

using ExportFromReportWindow = FormsTest;

TEST_F(ExportFromReportWindow, WritesTheReportIntoTheTemporaryFolder)
{
    FakeWorkbookOpener opener;
    QTemporaryDir temp;
    const QByteArray savedTemp = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(temp.path()));

    ExportReportToExcel();

    if (savedTemp.isEmpty())
        qunsetenv("TMPDIR");
    else
        qputenv("TMPDIR", savedTemp);
    ASSERT_EQ(opener.opened.size(), 1);
    EXPECT_EQ(FilesIn(temp.path()), QStringList{QFileInfo(opener.opened[0]).fileName()});
    // A report window just created holds no named row.
    EXPECT_EQ(CheckWorkbook(opener.opened[0], {}), QString());
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(ExportFromReportWindow, WithoutASpreadsheetProgramShowsTheMessage)
{
    FakeWorkbookOpener opener;
    opener.installed = false;

    ExportReportToExcel();

    EXPECT_EQ(dialogs.messages, QStringList{NoProgramMessage});
}

}  // namespace
