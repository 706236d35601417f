// The spreadsheet export, checked by reading every workbook back with an independent reader
// (openpyxl under Debian's python3): texts stay texts, figures are numbers shown as the report
// shows them, and the workbooks go into the user's documents.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <clocale>
#include <gtest/gtest.h>

#include "FakeDialogs.h"
#include "FakeWorkbookOpener.h"
#include "FormsFixture.h"
#include "ReportUnit.h"
#include "ScopedEnv.h"
#include "ToExcelUnit.h"
#include "Workbook.h"

namespace {

const QString NoProgramMessage = QStringLiteral("Требуется установить MS Excel на компьютер");

const NumberSeparators Russian{",", "\u00A0"};

// A sheet cell as the checker expects it: a text, or a number with its number format.
using SheetRow = QJsonArray;

QJsonObject Number(double value, const char* format)
{
    return QJsonObject{{"number", value}, {"format", QString::fromLatin1(format)}};
}

ReportRow FilledRow(int number)
{
    const std::string n = std::to_string(number);
    return {"Точка " + n, "1,25", "3,40", "12,50", "0,86", "15", "28,70", "4,10", "1\u00A0028,99",
            "758" + n, "250", "Тср < 0,4 с"};
}

SheetRow FilledSheetRow(int number)
{
    const std::string n = std::to_string(number);
    return {QString::fromStdString("Точка " + n), Number(1.25, "0.00"), Number(3.4, "0.00"), Number(12.5, "0.00"),
            Number(0.86, "0.00"), Number(15, "0"), Number(28.7, "0.00"), Number(4.1, "0.00"),
            Number(1028.99, "#,##0.00"), Number(std::stoi("758" + n), "0"), Number(250, "0"),
            QStringLiteral("Тср < 0,4 с")};
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
std::string CheckWorkbook(const QString& workbook, const std::vector<SheetRow>& expectedRows)
{
    QTemporaryDir scratch;
    QJsonArray rows;
    for (const SheetRow& row : expectedRows)
        rows.append(row);
    const QString expected = scratch.filePath(QStringLiteral("expected.json"));
    QFile file(expected);
    if (!file.open(QIODevice::WriteOnly) || file.write(QJsonDocument(QJsonObject{{"rows", rows}}).toJson()) < 0)
        return "cannot write " + expected.toStdString();
    file.close();

    QProcess checker;
    checker.setProcessChannelMode(QProcess::MergedChannels);
    checker.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral(ZORANT_WORKBOOK_CHECKER), expected, workbook});
    if (!checker.waitForFinished(60000))
        return "/usr/bin/python3 did not run: " + checker.errorString().toStdString();
    const std::string output = checker.readAll().toStdString();
    if (checker.exitStatus() != QProcess::NormalExit || checker.exitCode() != 0)
        return output.empty() ? "checker failed" : output;
    return {};
}

struct ExportCase {
    const char* name;
    ReportRows rows;
    std::vector<SheetRow> sheet;  // the data rows expected on the sheet
};

ReportRow WithName(ReportRow row, std::string name)
{
    row[0] = std::move(name);
    return row;
}

std::vector<SheetRow> FilledSheetRows(int count)
{
    std::vector<SheetRow> rows;
    for (int i = 1; i <= count; ++i)
        rows.push_back(FilledSheetRow(i));
    return rows;
}

const ExportCase ExportCases[] = {
    {"EmptyReport", Report({}), {}},
    {"FourteenFullRows",
     Report({FilledRow(1), FilledRow(2), FilledRow(3), FilledRow(4), FilledRow(5), FilledRow(6), FilledRow(7),
             FilledRow(8), FilledRow(9), FilledRow(10), FilledRow(11), FilledRow(12), FilledRow(13),
             FilledRow(14)}),
     FilledSheetRows(14)},
    {"GapAfterTwoRows", Report({FilledRow(1), FilledRow(2), WithName(FilledRow(3), ""), FilledRow(4)}),
     FilledSheetRows(2)},
    {"NameOfOneBlank", Report({WithName(FilledRow(1), " "), FilledRow(2)}),
     {[] {
          SheetRow row = FilledSheetRow(1);
          row[0] = QStringLiteral(" ");
          return row;
      }(),
      FilledSheetRow(2)}},
    {"EmptyFiguresStayBlank",
     Report({{"Т1", "", "3,40", "", "", "", "", "", "", "", "---", ""}}),
     {{"Т1", "", Number(3.4, "0.00"), "", "", "", "", "", "", "", "---", ""}}},
    // Only the shapes the program's formats write become numbers; the name and the trip time
    // stay text whatever they hold.
    // «5.20» means 5.2 whatever the separators: three digits would be needed for a group.
    {"NumericLookingTexts",
     Report({{"1", "5,20", "1 234,57", "1\u00a0234,57", "5.20", "1e5", "-0", "007", "=1+1", "---", "2867",
              "Тср < 5 с"},
             {"  3,5  ", "0", "", "+7", "1/2", "12:30", "TRUE", "#N/A", "50%", "$1", "0x1F", "250"},
             {"2", "1,234568E7", "-2,5E-6", "1E3", "-176", "0,00001", "1\u202f234", " 5", "5 ", "12\u00a0345\u00a0678",
              "4,5035996273705E15", "15"}}),
     {{"1", Number(5.2, "0.00"), "1 234,57", Number(1234.57, "#,##0.00"), Number(5.2, "0.00"), "1e5", "-0", "007", "=1+1",
       "---", Number(2867, "0"), "Тср < 5 с"},
      {"  3,5  ", Number(0, "0"), "", "+7", "1/2", "12:30", "TRUE", "#N/A", "50%", "$1", "0x1F", "250"},
      {"2", Number(12345680, "0.000000E-0"), Number(-2.5e-6, "0.0E-0"), "1E3", Number(-176, "0"),
       Number(0.00001, "0.00000"), "1\u202f234", " 5", "5 ", Number(12345678, "#,##0"),
       Number(4.5035996273705e15, "0.0000000000000E-0"), "15"}}},
    {"MoreRowsThanTheMinimum",
     [] {
         ReportRows rows;
         for (int i = 1; i <= 20; ++i)
             rows.push_back(FilledRow(i));
         return rows;
     }(),
     FilledSheetRows(20)},
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

    const QString path = ExportRowsToWorkbook(test.rows, folder.path(), Russian);

    EXPECT_TRUE(dialogs.messages.isEmpty());
    ASSERT_EQ(opener.opened, QStringList{path});
    EXPECT_EQ(QFileInfo(path).dir().absolutePath(), QDir(folder.path()).absolutePath());
    // Only the workbook: the writer's scratch files are gone.
    EXPECT_EQ(FilesIn(folder.path()), QStringList{QFileInfo(path).fileName()});
    EXPECT_EQ(test.rows, before);
    EXPECT_EQ(CheckWorkbook(path, test.sheet), "");
}

INSTANTIATE_TEST_SUITE_P(Export, ExportCaseTest, ::testing::ValuesIn(ExportCases),
                         [](const auto& info) { return std::string(info.param.name); });

const NumberSeparators English{".", ","};

// A point made under Russian settings (the trip current 123.45 A × 1.1) and the same under English.
const ReportRow RussianPoint = {"К-1", "5,20", "15,20", "30,15", "1,60", "15", "1\u00A0234,57", "16,80", "53,08",
                                "4352", "135,795", "Тср < 5 с"};
const ReportRow EnglishPoint = {"К-2", "5.20", "15.20", "30.15", "1.60", "15", "1,234.57", "16.80", "53.08",
                                "4352", "135.795", "Тср < 5 с"};

// A row whose only figure is the trip current: nothing beside it tells its separators.
ReportRow LoneTripCurrent(const char* text) { return {"К-3", "", "", "", "", "", "", "", "", "", text, ""}; }

// A figure becomes a number only when it means that number whatever separators its row was
// written with, the other figures of the report ruling out separators where they can.
TEST(Export, FigureIsANumberOnlyWhenItMeansOneNumber)
{
    const NumberSeparators french{",", "\u202F"};
    const NumberSeparators arabic{"\u066B", "\u066C"};
    const struct {
        const char* name;
        NumberSeparators regional;
        ReportRows report;
        int row, column;
        std::optional<double> value;  // nothing: stays text
        const char* format;
    } cases[] = {
        {"russian trip current under english", English, {RussianPoint}, 0, 10, 135.795, "0.000"},
        {"russian impedance under english", English, {RussianPoint}, 0, 1, 5.2, "0.00"},
        {"russian grouped under english", English, {RussianPoint}, 0, 6, 1234.57, "#,##0.00"},
        {"russian trip current under russian", Russian, {RussianPoint}, 0, 10, 135.795, "0.000"},
        {"english trip current under russian", Russian, {EnglishPoint}, 0, 10, 135.795, "0.000"},
        {"english grouped under russian", Russian, {EnglishPoint}, 0, 6, 1234.57, "#,##0.00"},
        {"english trip current under english", English, {EnglishPoint}, 0, 10, 135.795, "0.000"},
        {"lone 135,795 under english", English, {LoneTripCurrent("135,795")}, 0, 10, std::nullopt, ""},
        {"lone 135,795 under russian", Russian, {LoneTripCurrent("135,795")}, 0, 10, std::nullopt, ""},
        {"lone 1.250 under english", English, {LoneTripCurrent("1.250")}, 0, 10, std::nullopt, ""},
        {"lone 1,250 beside russian rows", English, {RussianPoint, LoneTripCurrent("1,250")}, 1, 10, 1.25, "0.000"},
        {"lone 1,250 beside english rows", Russian, {EnglishPoint, LoneTripCurrent("1,250")}, 1, 10, 1250, "#,##0"},
        {"mixed report: russian row by its own", English, {RussianPoint, EnglishPoint}, 0, 10, 135.795, "0.000"},
        {"mixed report: english row by its own", English, {RussianPoint, EnglishPoint}, 1, 10, 135.795, "0.000"},
        {"two decimals are decimals anywhere", English, {LoneTripCurrent("5,20")}, 0, 10, 5.2, "0.00"},
        {"a whole number", English, {LoneTripCurrent("4352")}, 0, 10, 4352, "0"},
        {"french regional", french, {LoneTripCurrent("1\u202F234,57")}, 0, 10, 1234.57, "#,##0.00"},
        {"french mapped", french, {LoneTripCurrent("1\u00A0234,57")}, 0, 10, 1234.57, "#,##0.00"},
        {"narrow no-break space under russian", Russian, {LoneTripCurrent("1\u202F234,57")}, 0, 10, std::nullopt, ""},
        {"plain space", french, {LoneTripCurrent("1 234,57")}, 0, 10, std::nullopt, ""},
        {"arabic regional", arabic, {LoneTripCurrent("1\u066C234\u066B5")}, 0, 10, 1234.5, "#,##0.0"},
        {"arabic mapped point", arabic, {LoneTripCurrent("1\u00A0234.57")}, 0, 10, 1234.57, "#,##0.00"},
        {"swiss grouping", English, {LoneTripCurrent("1'234.57")}, 0, 10, 1234.57, "#,##0.00"},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        const TransferBlock block = BuildTransferBlock(test.report);
        const auto row = std::size_t(test.row) + 2;
        const std::optional<WrittenNumber> number = SheetNumbers(test.regional, block).Read(row, block[row][test.column]);
        ASSERT_EQ(number.has_value(), test.value.has_value());
        if (number) {
            EXPECT_EQ(number->value, *test.value);
            EXPECT_EQ(SheetNumberFormat(*number), test.format);
        }
    }
}

// A report saved under one language's settings and exported under the other's: every figure is
// the number the report shows, read back by an independent reader.
TEST(Export, ReportMadeUnderOtherSettingsGivesTheSameNumbers)
{
    const SheetRow expected = {Number(5.2, "0.00"), Number(15.2, "0.00"), Number(30.15, "0.00"), Number(1.6, "0.00"),
                               Number(15, "0"), Number(1234.57, "#,##0.00"), Number(16.8, "0.00"), Number(53.08, "0.00"),
                               Number(4352, "0"), Number(135.795, "0.000")};
    const struct {
        const char* name;
        ReportRow point;
        NumberSeparators regional;
    } cases[] = {{"russian under english", RussianPoint, English}, {"english under russian", EnglishPoint, Russian}};
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        FakeDialogs dialogs;
        FakeWorkbookOpener opener;
        QTemporaryDir folder;
        const QString path = ExportRowsToWorkbook(Report({test.point}), folder.path(), test.regional);
        SheetRow row = expected;
        row.prepend(QString::fromStdString(test.point[0]));
        row.append(QString::fromStdString(test.point[11]));
        EXPECT_EQ(CheckWorkbook(path, {row}), "");
    }
}

TEST(Export, TwoExportsGiveTwoWorkbooksAndTheFirstStaysAsItWas)
{
    FakeDialogs dialogs;
    FakeWorkbookOpener opener;
    QTemporaryDir folder;
    const ReportRows first = Report({FilledRow(1)});
    const ReportRows second = Report({FilledRow(2), FilledRow(3)});

    const QString firstPath = ExportRowsToWorkbook(first, folder.path(), Russian);
    QFile firstFile(firstPath);
    ASSERT_TRUE(firstFile.open(QIODevice::ReadOnly));
    const QByteArray firstBytes = firstFile.readAll();
    firstFile.close();
    const QString secondPath = ExportRowsToWorkbook(second, folder.path(), Russian);

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
    EXPECT_EQ(CheckWorkbook(firstPath, {FilledSheetRow(1)}), "");
    EXPECT_EQ(CheckWorkbook(secondPath, {FilledSheetRow(2), FilledSheetRow(3)}), "");
}

// The program runs under the user's C locale, where printf may write "1,25": the workbook's
// numbers must not notice.
TEST(Export, NumbersSurviveARussianCLocale)
{
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    if (std::setlocale(LC_ALL, "ru_RU.UTF-8") == nullptr)
        GTEST_SKIP() << "locale ru_RU.UTF-8 is not installed";
    FakeDialogs dialogs;
    FakeWorkbookOpener opener;
    QTemporaryDir folder;

    const QString path = ExportRowsToWorkbook(Report({FilledRow(1), FilledRow(2)}), folder.path(), Russian);
    const bool localeKept = std::string(std::setlocale(LC_NUMERIC, nullptr)) == "ru_RU.UTF-8";
    std::setlocale(LC_ALL, previous.c_str());

    EXPECT_TRUE(localeKept);
    EXPECT_EQ(CheckWorkbook(path, {FilledSheetRow(1), FilledSheetRow(2)}), "");
}

TEST(Export, WithoutASpreadsheetProgramOnlyTheMessageIsShown)
{
    FakeDialogs dialogs;
    FakeWorkbookOpener opener;
    opener.installed = false;
    QTemporaryDir scratch;
    const QString folder = scratch.filePath(QStringLiteral("Зорант"));

    EXPECT_EQ(ExportRowsToWorkbook(Report({FilledRow(1)}), folder, Russian), "");

    EXPECT_EQ(dialogs.messages, QStringList{NoProgramMessage});
    EXPECT_TRUE(opener.opened.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(folder));
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
        const char* reason;  // part of the message
    } cases[] = {
        {"folder is a file", plainFile, Report({FilledRow(1)}), false, "Не удалось создать папку"},
        {"folder below a file", plainFile + QStringLiteral("/Зорант"), Report({FilledRow(1)}), false,
         "Не удалось создать папку"},
        {"text too long for a cell", writable, Report({FilledRow(1), tooLong}), false, "Не удалось записать книгу"},
        {"program does not start", writable, Report({FilledRow(1)}), true, "the spreadsheet program did not start"},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        FakeDialogs dialogs;
        FakeWorkbookOpener opener;
        opener.failToOpen = test.openFails;
        const QStringList filesBefore = FilesIn(scratch.path());

        QString error;
        try {
            ExportRowsToWorkbook(test.rows, test.folder, Russian);
        } catch (const std::runtime_error& e) {
            error = QString::fromUtf8(e.what());
        }

        EXPECT_TRUE(error.contains(QString::fromUtf8(test.reason))) << error.toStdString();
        EXPECT_TRUE(dialogs.messages.isEmpty());
        EXPECT_TRUE(opener.opened.isEmpty());
        EXPECT_EQ(FilesIn(scratch.path()), filesBefore);
        EXPECT_TRUE(FilesIn(writable).isEmpty());
    }
}

using ExportFromReportWindow = FormsTest;

// The workbooks go into "Зорант" in the user's documents (created when missing), one new file
// per export. The test's home stands in for the user's.
TEST_F(ExportFromReportWindow, WritesIntoTheDocumentsFolder)
{
    FakeWorkbookOpener opener;
    QTemporaryDir home;
    const ScopedEnv homeVariable("HOME", home.path());
    QStandardPaths::setTestModeEnabled(true);
    const QLocale savedLocale;
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    ReportForm->ReplaceRows(Report({FilledRow(1)}));

    EXPECT_NO_THROW({
        ExportReportToExcel();
        ExportReportToExcel();
    });

    const QString folder = ExportFolder();
    QStandardPaths::setTestModeEnabled(false);
    QLocale::setDefault(savedLocale);
    EXPECT_EQ(folder, home.filePath(QStringLiteral("Documents/Зорант")));
    ASSERT_EQ(opener.opened.size(), 2);
    EXPECT_NE(opener.opened[0], opener.opened[1]);
    QStringList names;
    for (const QString& path : opener.opened) {
        EXPECT_EQ(QFileInfo(path).absolutePath(), folder);
        EXPECT_EQ(CheckWorkbook(path, {FilledSheetRow(1)}), "");
        names << QFileInfo(path).fileName();
    }
    names.sort();
    EXPECT_EQ(FilesIn(folder), names);
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

// A double click on the button, or a press let through while the export runs, makes no second
// workbook; a later click exports again.
TEST_F(ExportFromReportWindow, DoubleClickExportsOnce)
{
    FakeWorkbookOpener opener;
    QTemporaryDir home;
    const ScopedEnv homeVariable("HOME", home.path());
    QStandardPaths::setTestModeEnabled(true);
    ReportForm->ReplaceRows(Report({FilledRow(1)}));
    QPushButton* button = ReportForm->ToExcelButton;
    opener.whileOpening = [button] { QTest::mouseClick(button, Qt::LeftButton); };
    // The events of a double click as a widget receives them.
    QTest::mousePress(button, Qt::LeftButton);
    QTest::mouseRelease(button, Qt::LeftButton);
    QTest::mousePress(button, Qt::LeftButton);
    QTest::mouseDClick(button, Qt::LeftButton);
    QTest::mouseRelease(button, Qt::LeftButton);
    EXPECT_EQ(opener.opened.size(), 1);
    EXPECT_FALSE(button->isDown());
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(opener.opened.size(), 2);
    EXPECT_EQ(FilesIn(ExportFolder()).size(), 2);
    QStandardPaths::setTestModeEnabled(false);
}

TEST_F(ExportFromReportWindow, WithoutASpreadsheetProgramShowsTheMessage)
{
    FakeWorkbookOpener opener;
    opener.installed = false;

    ExportReportToExcel();

    EXPECT_EQ(dialogs.messages, QStringList{NoProgramMessage});
}

}  // namespace
