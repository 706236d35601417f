// Which help topic F1 and "Помощь" ask for in each of the program's windows.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTest>
#include <QUrl>

#include <cmath>

#include "AboutProgramUnit.h"
#include "AskNumberUnit.h"
#include "CalculationNoteUnit.h"
#include "CheckUnit.h"
#include "ContextHelp.h"
#include "DeviceRules.h"
#include "DeleteAllReportUnit.h"
#include "DeviceDefenceUnit.h"
#include "FormsFixture.h"
#include "HelpViewer.h"
#include "MainUnit.h"
#include "MaximumCheckUnit.h"
#include "ProjectUnit.h"
#include "RecalcUnit.h"
#include "QStringPrinter.h"
#include "ReportUnit.h"
#include "ResultUnit.h"
#include "SelectionUnit.h"

namespace {

using HelpTopicsTest = HelpFormsTest;

struct F1Case {
    const char* caseName;
    QWidget* (*window)();
    const char* control;  // nullptr: the window itself
    QString file;         // empty: no help is asked for
    int context;
};

const QString Help21 = QStringLiteral("help 2.1.hlp");
const QString Help20 = QStringLiteral("help 2.0.hlp");

const F1Case F1Cases[] = {
    {"MainWindowPowerList", [] { return static_cast<QWidget*>(MainForm); }, "TransPowerComboBox", Help21, 31},
    {"MainWindowSchemeList", [] { return static_cast<QWidget*>(MainForm); }, "WindKindComboBox", Help21, 31},
    {"MainWindowLine4Length", [] { return static_cast<QWidget*>(MainForm); }, "LengthLine4Edit", Help21, 32},
    {"MainWindowLine6Neutral", [] { return static_cast<QWidget*>(MainForm); }, "FnLine6ComboBox", Help21, 32},
    {"MainWindowRArc", [] { return static_cast<QWidget*>(MainForm); }, "RArcEdit", Help21, 33},
    {"MainWindowStartButton", [] { return static_cast<QWidget*>(MainForm); }, "StartButton", Help21, 1},
    {"ResultWindow", [] { return static_cast<QWidget*>(ResultForm); }, "BitBtn1", Help20, 36},
    {"SelectionWindowChartLine", [] { return static_cast<QWidget*>(SelectionForm); }, "ChartLineComboBox", Help20, 37},
    {"SelectionWindowButton", [] { return static_cast<QWidget*>(SelectionForm); }, "CloseButton", Help20, 37},
    {"CheckWindowField", [] { return static_cast<QWidget*>(CheckForm); }, "PvcLimitEdit", Help21, 39},
    {"CheckWindowButton", [] { return static_cast<QWidget*>(CheckForm); }, "DefaultsButton", Help21, 39},
    {"MaximumCheckWindow", [] { return static_cast<QWidget*>(MaximumCheckForm); }, "CapacityComboBox", Help21, 41},
    {"DeviceWindowList", [] { return static_cast<QWidget*>(DeviceDefenceForm); }, "TokPPComboBox", Help20, 34},
    {"DeviceWindowButton", [] { return static_cast<QWidget*>(DeviceDefenceForm); }, "OKDDBitBtn", Help20, 34},
    {"ReportWindow", [] { return static_cast<QWidget*>(ReportForm); }, "DeleteReportButton", Help20, 35},
    {"PointNameField", [] { return static_cast<QWidget*>(AskNumberForm); }, "NumberEdit", Help20, 35},
    {"CalculationNoteWindow", [] { return static_cast<QWidget*>(CalculationNoteForm); }, "SavePdfButton", Help21, 45},
    {"DeleteAllDialog", [] { return static_cast<QWidget*>(DeleteAllReportForm); }, "OKBitBtn", QString(), 0},
    {"AboutWindow", [] { return static_cast<QWidget*>(AboutProgramForm); }, "BitBtn1", QString(), 0},
    {"ProjectDialog", [] { return static_cast<QWidget*>(ProjectForm); }, "ObjectEdit", Help21, 40},
    {"RecalculationWindow", [] { return static_cast<QWidget*>(RecalcForm); }, "CalculateButton", Help21, 40},
};

TEST_F(HelpTopicsTest, F1AsksForTheTopicOfTheFocusedControl)
{
    for (const F1Case& c : F1Cases) {
        SCOPED_TRACE(c.caseName);
        dialogs.helpRequests.clear();
        QWidget* window = c.window();
        QWidget* control = window->findChild<QWidget*>(QString::fromLatin1(c.control));
        ASSERT_NE(control, nullptr);
        QTest::keyClick(control, Qt::Key_F1);
        if (c.file.isEmpty()) {
            EXPECT_TRUE(dialogs.helpRequests.isEmpty());
        } else {
            ASSERT_EQ(dialogs.helpRequests.size(), 1);
            EXPECT_EQ(dialogs.helpRequests[0].first, c.file);
            EXPECT_EQ(dialogs.helpRequests[0].second, c.context);
        }
    }
}

TEST_F(HelpTopicsTest, HelpMenuShowsTopicOneOfTheMainWindowsFile)
{
    auto* helpMenu = MainForm->findChild<QAction*>(QStringLiteral("HelpMenu"));
    ASSERT_NE(helpMenu, nullptr);
    helpMenu->trigger();
    ASSERT_EQ(dialogs.helpRequests.size(), 1);
    EXPECT_EQ(dialogs.helpRequests[0].first, Help21);
    EXPECT_EQ(dialogs.helpRequests[0].second, 1);

    // From then on a window that names no file falls back to the default the menu set.
    EXPECT_EQ(HelpFileFor(DeleteAllReportForm), Help20);
}

// The help files as shipped: every topic a window asks for is there, and every link in them
// leads to a topic that is there (topics reached by links only included).
TEST(ShippedHelpTest, TopicsTheWindowsAskForAndEveryLinkExist)
{
    const QStringList folders{QStringLiteral(ZORANT_HELP_SOURCE_DIR)};
    for (const F1Case& c : F1Cases) {
        if (!c.file.isEmpty()) {
            EXPECT_TRUE(LoadHelpTopic(c.file, c.context, folders).found) << c.caseName;
        }
    }
    EXPECT_TRUE(LoadHelpTopic(Help21, 1, folders).found);

    static const QRegularExpression href(QStringLiteral("href\\s*=\\s*\"([^\"]*)\""));
    for (const QString& file : {Help21, Help20}) {
        QFile source(QDir(folders[0]).filePath(file));
        ASSERT_TRUE(source.open(QIODevice::ReadOnly)) << file.toStdString();
        const QString text = QString::fromUtf8(source.readAll());
        int links = 0;
        for (const QRegularExpressionMatch& link : href.globalMatch(text)) {
            ++links;
            const QString where = file + QStringLiteral(": ") + link.captured(1);
            const auto target = ResolveHelpLink(QUrl(link.captured(1)), file);
            ASSERT_TRUE(target.has_value()) << where.toStdString();
            EXPECT_TRUE(LoadHelpTopic(target->fileName, target->context, folders).found) << where.toStdString();
        }
        EXPECT_GT(links, 0) << file.toStdString();
    }
}


QString ShippedHelpText(const QString& file)
{
    QFile source(QDir(QStringLiteral(ZORANT_HELP_SOURCE_DIR)).filePath(file));
    if (!source.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(source.readAll());
}

// The help's own words, with the window captions it quotes (<span class="ui">…</span>) cut out:
// a caption keeps the program's spelling letter for letter, the help's own text has one spelling.
QString OwnWords(const QString& html)
{
    static const QRegularExpression caption(QStringLiteral("<span class=\"ui\">.*?</span>"),
                                            QRegularExpression::DotMatchesEverythingOption);
    QString text = html;
    return text.remove(caption);
}

TEST(ShippedHelpTest, OwnTextSpellsTheLoopAndTheSafetyFactorOneWay)
{
    for (const QString& file : {Help21, Help20}) {
        SCOPED_TRACE(file.toStdString());
        const QString own = OwnWords(ShippedHelpText(file));
        ASSERT_FALSE(own.isEmpty());
        EXPECT_FALSE(own.contains(QStringLiteral("фаза-ноль")));
        EXPECT_TRUE(own.contains(QStringLiteral("фаза-нуль")));
        // "Кз" with a Latin K looks the same and is not found by a search for the Cyrillic one.
        EXPECT_FALSE(own.contains(QStringLiteral("K") + QChar(0x0437)));
    }
}

// The help lists the fuse rows that lie below their gG gate with the program's table current and
// the safety factor that covers the gate: both must follow the program's table.
TEST(ShippedHelpTest, FuseRowsBelowTheirGateQuoteTheProgramsTable)
{
    const QString html = ShippedHelpText(Help20);
    const int tableStart = html.indexOf(QStringLiteral("<th>Кз не менее</th>"));
    ASSERT_GE(tableStart, 0);
    const QString table = html.mid(tableStart, html.indexOf(QStringLiteral("</table>"), tableStart) - tableStart);
    static const QRegularExpression row(QStringLiteral(
        "<tr><td>«<span class=\"ui\">(\\S+)</span>» ([\\d,]+) А</td><td align=\"right\">(\\d+)</td>"
        "<td align=\"right\">([\\d,]+)[^<]*</td><td align=\"right\">([\\d,]+)</td></tr>"));
    auto number = [](QString text) { return text.replace(QLatin1Char(','), QLatin1Char('.')).toDouble(); };
    int rows = 0;
    for (const QRegularExpressionMatch& m : row.globalMatch(table)) {
        ++rows;
        SCOPED_TRACE(m.captured(0).toStdString());
        const int type = FuseTypeFromText(m.captured(1));
        ASSERT_GE(type, 1);
        const std::optional<double> tableCurrent = LookupFuseTripCurrent(type, 1, number(m.captured(2)));
        ASSERT_TRUE(tableCurrent.has_value());
        EXPECT_EQ(*tableCurrent, number(m.captured(3)));
        const double gate = number(m.captured(4));
        EXPECT_LT(*tableCurrent, gate);
        // The least factor in hundredths that brings the table current up to the gate.
        const double factor = number(m.captured(5));
        EXPECT_GE(std::round(factor * 100) * *tableCurrent, gate * 100 - 1e-6);
        EXPECT_LT((std::round(factor * 100) - 1) * *tableCurrent, gate * 100 - 1e-6);
    }
    EXPECT_EQ(rows, 18);
}

}  // namespace
