// The help viewer: finding files and topics, following links, and taking input while a
// modal window is open.
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QUrl>
#include <QWindow>
#include <QtTest/QTest>
#include <gtest/gtest.h>

#include "ContextHelp.h"
#include "Dialogs.h"
#include "FormsFixture.h"
#include "HelpViewer.h"
#include "ResultUnit.h"
#include "WindowLook.h"

namespace {

const QString SampleHead = QStringLiteral("<style>h2 { color: #800000; }</style><title>Пример</title>");

// A small help file: topics 1, 31 and 310 (a number that starts like 31), 31 linking to 1
// and into the second file.
const QString SampleFile =
    QStringLiteral("<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\">") + SampleHead +
    QStringLiteral("</head>\n<body>\n"
                   "<section id=\"topic-1\"><h2>Главное окно</h2><p>Текст первого раздела.</p></section>\n"
                   "<section class=\"topic\" id='topic-31'><h2>Трансформатор</h2><p>Мощность и схема.</p>"
                   "<p><a href=\"#topic-1\">К главному окну</a> "
                   "<a href=\"help%202.0.hlp#topic-36\">К результатам</a></p></section>\n"
                   "<section id=\"topic-310\"><p>Лишний раздел.</p></section>\n"
                   "</body></html>\n");

const QString SecondFile = QStringLiteral(
    "<html><head></head><body><section id=\"topic-36\"><h1>Результаты <b>расчета</b></h1>"
    "<p>Окно результатов.</p></section></body></html>");

void Write(const QString& path, const QString& text)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text.toUtf8());
}

class HelpViewerTest : public FormsTest {
protected:
    void SetUp() override
    {
        FormsTest::SetUp();
        ASSERT_TRUE(folder.isValid());
        Write(folder.filePath(QStringLiteral("help 2.1.hlp")), SampleFile);
        Write(folder.filePath(QStringLiteral("help 2.0.hlp")), SecondFile);
        HelpViewer()->SetDirectories({folder.path()});
    }
    void TearDown() override
    {
        delete ExistingHelpViewer();
        SetDefaultHelpFile(QString());
        FormsTest::TearDown();
    }

    QString Shown() const { return HelpViewer()->TopicBrowser->toPlainText(); }

    // Clicks `button` the way a user does: through its window, where modal blocking applies.
    static void ClickThroughWindow(QPushButton* button)
    {
        QWindow* window = button->window()->windowHandle();
        ASSERT_NE(window, nullptr);
        QTest::mouseClick(window, Qt::LeftButton, {}, button->mapTo(button->window(), button->rect().center()));
    }

    QTemporaryDir folder;
};

TEST(HelpTopicTest, OnlyTheAskedTopicWithTheFileStyles)
{
    struct Case {
        const char* name;
        int context;
        bool found;
        QString contains, heading;
        QStringList absent;
    };
    const Case cases[] = {
        {"first topic", 1, true, QStringLiteral("Текст первого раздела."), QStringLiteral("Главное окно"),
         {QStringLiteral("Мощность"), QStringLiteral("Лишний")}},
        {"attributes in another order and quotes", 31, true, QStringLiteral("Мощность и схема."),
         QStringLiteral("Трансформатор"), {QStringLiteral("первого"), QStringLiteral("Лишний")}},
        {"number that is a prefix of another", 3, false, QStringLiteral("нет раздела с номером 3"), QString(),
         {QStringLiteral("Лишний"), QStringLiteral("Мощность")}},
        {"missing topic", 36, false, QStringLiteral("В файле справки «help 2.1.hlp» нет раздела с номером 36."),
         QString(), {QStringLiteral("первого")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const HelpPage page = ExtractHelpTopic(SampleFile, QStringLiteral("help 2.1.hlp"), c.context);
        EXPECT_EQ(page.found, c.found);
        EXPECT_EQ(page.heading, c.heading);
        EXPECT_TRUE(page.html.contains(c.contains)) << page.html.toStdString();
        for (const QString& text : c.absent)
            EXPECT_FALSE(page.html.contains(text)) << text.toStdString();
        if (c.found) {
            EXPECT_TRUE(page.html.contains(SampleHead));
        }
    }
}

TEST(HelpTopicTest, UnclosedLastTopicRunsToTheEndOfThePage)
{
    const HelpPage page = ExtractHelpTopic(
        QStringLiteral("<html><body><section id=\"topic-2\"><p>Без конца.</p></body></html>"), QStringLiteral("x"), 2);
    EXPECT_TRUE(page.found);
    EXPECT_TRUE(page.html.contains(QStringLiteral("<p>Без конца.</p></body>")));
}

TEST(HelpTopicTest, FilesAreFoundByNameInTheHelpFolders)
{
    QTemporaryDir first, second;
    Write(second.filePath(QStringLiteral("help 2.0.hlp")), SecondFile);
    const QStringList folders{first.path(), second.path()};
    EXPECT_EQ(FindHelpFile(QStringLiteral("help 2.0.hlp"), folders), second.filePath(QStringLiteral("help 2.0.hlp")));
    EXPECT_TRUE(FindHelpFile(QStringLiteral("help 2.1.hlp"), folders).isEmpty());
    // A path in a link is reduced to the name: nothing is read outside the help folders.
    EXPECT_EQ(FindHelpFile(QStringLiteral("../elsewhere/help 2.0.hlp"), folders),
              second.filePath(QStringLiteral("help 2.0.hlp")));
    EXPECT_TRUE(FindHelpFile(QString(), folders).isEmpty());

    // Beside the program, then in the installed share folder.
    const QStringList defaults = HelpDirectories();
    ASSERT_EQ(defaults.size(), 2);
    EXPECT_EQ(defaults[0], QCoreApplication::applicationDirPath());
    EXPECT_EQ(QDir(defaults[1]), QDir(QCoreApplication::applicationDirPath() + QStringLiteral("/../share/zorant")));
}

TEST(HelpTopicTest, MissingFileIsSaidInRussian)
{
    QTemporaryDir empty;
    const HelpPage page = LoadHelpTopic(QStringLiteral("help 2.0.hlp"), 36, {empty.path()});
    EXPECT_FALSE(page.found);
    EXPECT_TRUE(page.html.contains(QStringLiteral("Файл справки «help 2.0.hlp» не найден.")));
    EXPECT_TRUE(page.html.contains(QDir::toNativeSeparators(empty.path())));
}

TEST(HelpTopicTest, LinksLeadToTopics)
{
    struct Case {
        const char* name;
        QString href;
        std::optional<HelpTarget> target;
    };
    const QString current = QStringLiteral("help 2.1.hlp");
    const Case cases[] = {
        {"same file", QStringLiteral("#topic-31"), HelpTarget{current, 31}},
        {"other file", QStringLiteral("help 2.0.hlp#topic-34"), HelpTarget{QStringLiteral("help 2.0.hlp"), 34}},
        {"encoded blank", QStringLiteral("help%202.0.hlp#topic-35"), HelpTarget{QStringLiteral("help 2.0.hlp"), 35}},
        {"not a topic", QStringLiteral("#top"), std::nullopt},
        {"file without topic", QStringLiteral("help 2.0.hlp"), std::nullopt},
        {"web page", QStringLiteral("http://example.org/#topic-1"), std::nullopt},
        {"number with junk", QStringLiteral("#topic-1x"), std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ResolveHelpLink(QUrl(c.href), current), c.target);
    }
}

TEST_F(HelpViewerTest, ShowsTopicFollowsLinksAndGoesBack)
{
    ShowHelpTopic(QStringLiteral("help 2.1.hlp"), 31);
    THelpViewerForm* viewer = ExistingHelpViewer();
    ASSERT_NE(viewer, nullptr);
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_TRUE(Shown().contains(QStringLiteral("Мощность и схема.")));
    EXPECT_FALSE(Shown().contains(QStringLiteral("первого")));
    EXPECT_EQ(viewer->windowTitle(), QStringLiteral("Справка — Трансформатор"));
    SaveSnapshot(viewer, QStringLiteral("help-viewer"));
    EXPECT_FALSE(viewer->BackButton->isEnabled());

    viewer->TopicBrowserAnchorClicked(QUrl(QStringLiteral("#topic-1")));
    EXPECT_EQ(viewer->CurrentTopic(), (HelpTarget{QStringLiteral("help 2.1.hlp"), 1}));
    EXPECT_TRUE(Shown().contains(QStringLiteral("Текст первого раздела.")));

    viewer->BackButtonClick();
    viewer->TopicBrowserAnchorClicked(QUrl(QStringLiteral("help%202.0.hlp#topic-36")));
    EXPECT_EQ(viewer->CurrentTopic(), (HelpTarget{QStringLiteral("help 2.0.hlp"), 36}));
    EXPECT_TRUE(Shown().contains(QStringLiteral("Окно результатов.")));
    EXPECT_EQ(viewer->windowTitle(), QStringLiteral("Справка — Результаты расчета"));
    // Going somewhere new from a step back drops the way forward.
    EXPECT_FALSE(viewer->ForwardButton->isEnabled());

    viewer->BackButtonClick();
    EXPECT_EQ(viewer->CurrentTopic(), (HelpTarget{QStringLiteral("help 2.1.hlp"), 31}));
    EXPECT_FALSE(viewer->BackButton->isEnabled());
    viewer->ForwardButtonClick();
    EXPECT_EQ(viewer->CurrentTopic(), (HelpTarget{QStringLiteral("help 2.0.hlp"), 36}));
}

TEST_F(HelpViewerTest, MissingTopicAndFileAreSaidInTheViewer)
{
    ShowHelpTopic(QStringLiteral("help 2.1.hlp"), 35);
    EXPECT_FALSE(HelpViewer()->CurrentTopicFound());
    EXPECT_TRUE(Shown().contains(QStringLiteral("В файле справки «help 2.1.hlp» нет раздела с номером 35.")));

    ASSERT_TRUE(QFile::remove(folder.filePath(QStringLiteral("help 2.0.hlp"))));
    ShowHelpTopic(QStringLiteral("help 2.0.hlp"), 36);
    EXPECT_FALSE(HelpViewer()->CurrentTopicFound());
    EXPECT_TRUE(Shown().contains(QStringLiteral("Файл справки «help 2.0.hlp» не найден.")));
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_TRUE(dialogs.errors.isEmpty());
}

// F1 in the result window, shown modally, opens topic 36 in a viewer that takes clicks.
TEST_F(HelpViewerTest, F1InAModalWindowOpensAViewerThatTakesInput)
{
    // Start-up creates the windows, not the viewer.
    delete ExistingHelpViewer();
    DestroyForms();
    CreateForms();
    ASSERT_EQ(ExistingHelpViewer(), nullptr);

    SetDialogs(nullptr);  // the real help path, through the viewer
    InstallContextHelp();
    ResultForm->setWindowModality(Qt::ApplicationModal);
    ResultForm->show();
    ASSERT_EQ(QApplication::activeModalWidget(), ResultForm);

    QTest::keyClick(ResultForm->BitBtn1, Qt::Key_F1);
    THelpViewerForm* viewer = ExistingHelpViewer();
    ASSERT_NE(viewer, nullptr);
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_EQ(viewer->CurrentTopic(), (HelpTarget{QStringLiteral("help 2.0.hlp"), 36}));

    viewer->ShowTopic(QStringLiteral("help 2.1.hlp"), 1);
    ASSERT_TRUE(viewer->BackButton->isEnabled());
    ClickThroughWindow(viewer->BackButton);
    EXPECT_EQ(viewer->CurrentTopic(), (HelpTarget{QStringLiteral("help 2.0.hlp"), 36}));

    ResultForm->hide();
    SetDialogs(&dialogs);
}

// A viewer already open when a modal window appears goes on taking input.
TEST_F(HelpViewerTest, OpenViewerStaysUsableWhenAModalWindowOpens)
{
    ShowHelpTopic(QStringLiteral("help 2.1.hlp"), 1);
    THelpViewerForm* viewer = ExistingHelpViewer();
    viewer->ShowTopic(QStringLiteral("help 2.1.hlp"), 31);

    QDialog modal;
    modal.setWindowModality(Qt::ApplicationModal);
    modal.show();
    QCoreApplication::processEvents();

    ClickThroughWindow(viewer->BackButton);
    EXPECT_EQ(viewer->CurrentTopic(), (HelpTarget{QStringLiteral("help 2.1.hlp"), 1}));
    modal.hide();
}

// The way the tests above click does meet modal blocking: an ordinary window misses the click.
TEST_F(HelpViewerTest, OrdinaryWindowIsBlockedByAModalWindow)
{
    QWidget other;
    auto* button = new QPushButton(QStringLiteral("Кнопка"), &other);
    int clicks = 0;
    QObject::connect(button, &QPushButton::clicked, [&clicks] { ++clicks; });
    other.show();

    ClickThroughWindow(button);
    EXPECT_EQ(clicks, 1);

    QDialog modal;
    modal.setWindowModality(Qt::ApplicationModal);
    modal.show();
    ClickThroughWindow(button);
    EXPECT_EQ(clicks, 1);
    modal.hide();
}

}  // namespace
