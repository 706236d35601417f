// Which help topic F1 and "Помощь" ask for in each of the program's windows.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTest>
#include <QUrl>

#include "AboutProgramUnit.h"
#include "AskNumberUnit.h"
#include "CalculationNoteUnit.h"
#include "ContextHelp.h"
#include "DeleteAllReportUnit.h"
#include "DeviceDefenceUnit.h"
#include "FormsFixture.h"
#include "HelpViewer.h"
#include "MainUnit.h"
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
    {"DeviceWindowList", [] { return static_cast<QWidget*>(DeviceDefenceForm); }, "TokPPComboBox", Help20, 34},
    {"DeviceWindowButton", [] { return static_cast<QWidget*>(DeviceDefenceForm); }, "OKDDBitBtn", Help20, 34},
    {"ReportWindow", [] { return static_cast<QWidget*>(ReportForm); }, "DeleteReportButton", Help20, 35},
    {"PointNameField", [] { return static_cast<QWidget*>(AskNumberForm); }, "NumberEdit", Help20, 35},
    {"CalculationNoteWindow", [] { return static_cast<QWidget*>(CalculationNoteForm); }, "SavePdfButton", Help21, 45},
    {"DeleteAllDialog", [] { return static_cast<QWidget*>(DeleteAllReportForm); }, "OKBitBtn", QString(), 0},
    {"AboutWindow", [] { return static_cast<QWidget*>(AboutProgramForm); }, "BitBtn1", QString(), 0},
    {"ProjectDialog", [] { return static_cast<QWidget*>(ProjectForm); }, "ObjectEdit", Help21, 39},
    {"RecalculationWindow", [] { return static_cast<QWidget*>(RecalcForm); }, "CalculateButton", Help21, 39},
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
        if (!c.file.isEmpty())
            EXPECT_TRUE(LoadHelpTopic(c.file, c.context, folders).found) << c.caseName;
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

}  // namespace
