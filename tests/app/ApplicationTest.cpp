// The application object: errors escaping a handler end in an error box and the program goes on;
// closing the main window ends the event loop.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTranslator>
#include <QFont>
#include <QFontInfo>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <functional>
#include <stdexcept>

#include "QStringPrinter.h"
#include "Application.h"
#include "AboutProgramUnit.h"
#include "AskNumberUnit.h"
#include "DeleteAllReportUnit.h"
#include "DeviceDefenceUnit.h"
#include "Dialogs.h"
#include "FakeDialogs.h"
#include "Forms.h"
#include "MainUnit.h"
#include "ReportUnit.h"
#include "ResultUnit.h"

namespace {

struct FullStopCase {
    const char* name;
    QString text;
    QString shown;
};

const FullStopCase FullStopCases[] = {
    {"Cyrillic letter", QStringLiteral("Ошибка автоматизации"), QStringLiteral("Ошибка автоматизации.")},
    {"Latin letter", QStringLiteral("Floating point overflow"), QStringLiteral("Floating point overflow.")},
    {"digit", QStringLiteral("Код 80004005"), QStringLiteral("Код 80004005.")},
    {"question mark comes after the point", QStringLiteral("Где файл?"), QStringLiteral("Где файл?.")},
    {"slash is the next code after the point", QStringLiteral("a/"), QStringLiteral("a/.")},
    {"already a full stop", QStringLiteral("Готово."), QStringLiteral("Готово.")},
    {"ellipsis", QStringLiteral("Ждите..."), QStringLiteral("Ждите...")},
    {"hyphen comes before the point", QStringLiteral("a-"), QStringLiteral("a-")},
    {"exclamation mark", QStringLiteral("Стоп!"), QStringLiteral("Стоп!")},
    {"closing bracket", QStringLiteral("(нет)"), QStringLiteral("(нет)")},
    {"comma", QStringLiteral("a,"), QStringLiteral("a,")},
    {"trailing blank", QStringLiteral("текст "), QStringLiteral("текст ")},
    {"empty", QString(), QString()},
};

TZorantApplication* App() { return static_cast<TZorantApplication*>(QCoreApplication::instance()); }

// Runs `open`, which shows a modal window, hands that window to `inspect` once it is up, then
// closes it by Esc. A window that does not come within 3 s fails the test instead of hanging it.
void WithModal(const std::function<void()>& open, const std::function<void(QWidget*)>& inspect)
{
    QTimer poll;
    poll.setInterval(10);
    const QDeadlineTimer deadline(3000);
    bool seen = false;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal != nullptr && !seen) {
            seen = true;
            inspect(modal);
            QTest::keyClick(modal, Qt::Key_Escape);
        } else if (!seen && deadline.hasExpired()) {
            poll.stop();
            ADD_FAILURE() << "no modal window came";
        }
    });
    poll.start();
    open();
    poll.stop();
    EXPECT_TRUE(seen);
}

}  // namespace

TEST(ErrorBoxTextTest, FullStopOnlyAfterCharactersAboveThePoint)
{
    for (const FullStopCase& c : FullStopCases)
        EXPECT_EQ(ErrorBoxText(c.text), c.shown) << c.name;
}

TEST(ApplicationTest, ErrorEscapingAHandlerIsShownAndTheProgramGoesOn)
{
    FakeDialogs dialogs;
    int runs = 0;
    // Handlers run from the event loop; a timer's is the shortest way there.
    const auto handler = [&] {
        ++runs;
        if (runs == 1)
            throw std::runtime_error("Не удалось запустить Excel");
        if (runs == 2)
            throw 42;  // not an exception class: still shown
    };
    for (int i = 0; i < 3; ++i) {
        QTimer::singleShot(0, handler);
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(runs, 3);
    ASSERT_EQ(dialogs.errors.size(), 2);
    EXPECT_EQ(dialogs.errors[0], QStringLiteral("Не удалось запустить Excel."));
    EXPECT_TRUE(dialogs.errors[1].endsWith(QLatin1Char('.')));
}

TEST(ApplicationTest, ClosingTheMainWindowEndsTheEventLoop)
{
    QWidget mainWindow;
    QWidget otherWindow;  // still open: does not keep the program running
    mainWindow.show();
    otherWindow.show();
    App()->SetMainWindow(&mainWindow);
    QTimer::singleShot(0, &mainWindow, &QWidget::close);
    QTimer::singleShot(3000, App(), [] { QCoreApplication::exit(1); });  // never hang
    const int code = QCoreApplication::exec();
    App()->SetMainWindow(nullptr);
    EXPECT_EQ(code, 0);
    EXPECT_FALSE(mainWindow.isVisible());
}

// The boxes stand in the middle of the screen even when the window they belong to is in a corner.
TEST(DialogsTest, MessageBoxesAreCentredOnTheScreen)
{
    QWidget window;
    window.setGeometry(0, 0, 300, 200);
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QPoint middle = window.screen()->availableGeometry().center();
    ASSERT_GT((window.frameGeometry().center() - middle).manhattanLength(), 100);

    const std::pair<const char*, std::function<void()>> boxes[] = {
        {"message", [] { CurrentDialogs().Message(QStringLiteral("Сообщение")); }},
        {"question", [] { EXPECT_FALSE(CurrentDialogs().Question(QStringLiteral("Вопрос?"))); }},
        {"error", [] { CurrentDialogs().Error(QStringLiteral("Ошибка.")); }},
    };
    for (const auto& [name, open] : boxes) {
        SCOPED_TRACE(name);
        QApplication::setActiveWindow(&window);
        WithModal(open, [&](QWidget* box) {
            EXPECT_EQ(box->parentWidget(), &window);
            EXPECT_LE((box->frameGeometry().center() - middle).manhattanLength(), 2);
        });
    }
}

// Every text the program's windows show: titles, buttons, labels, group and tab names, menu items.
QStringList WindowTexts()
{
    QStringList texts;
    for (QWidget* window : std::initializer_list<QWidget*>{MainForm, ResultForm, DeviceDefenceForm, AskNumberForm,
                                                          ReportForm, DeleteAllReportForm, AboutProgramForm}) {
        texts << window->windowTitle();
        for (const QWidget* child : window->findChildren<QWidget*>()) {
            if (const auto* button = qobject_cast<const QAbstractButton*>(child))
                texts << button->text();
            else if (const auto* label = qobject_cast<const QLabel*>(child))
                texts << label->text();
            else if (const auto* group = qobject_cast<const QGroupBox*>(child))
                texts << group->title();
            else if (const auto* tabs = qobject_cast<const QTabWidget*>(child))
                for (int i = 0; i < tabs->count(); ++i)
                    texts << tabs->tabText(i);
        }
        for (const QAction* action : window->findChildren<QAction*>())
            texts << action->text();
    }
    return texts;
}

// Under a Russian locale Qt's own buttons speak Russian, while every caption of the program,
// the delete-all dialog's "Cancel" among them, stays letter for letter.
TEST(TranslationsTest, RussianLocaleTranslatesOnlyQtsOwnTexts)
{
    EXPECT_EQ(InstallToolkitTranslations(QLocale(QLocale::English, QLocale::UnitedStates)), nullptr);
    CreateForms();
    const QStringList fixed = WindowTexts();
    DestroyForms();

    QTranslator* russian = InstallToolkitTranslations(QLocale(QLocale::Russian, QLocale::Russia));
    ASSERT_NE(russian, nullptr) << "qtbase_ru.qm of qt6-translations-l10n is missing";
    const QDialogButtonBox standard(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    const QString standardCancel = standard.button(QDialogButtonBox::Cancel)->text();
    CreateForms();
    const QStringList shown = WindowTexts();
    const QString deleteAllCancel = DeleteAllReportForm->CancelBitBtn->text();
    DestroyForms();
    QCoreApplication::removeTranslator(russian);
    delete russian;

    EXPECT_EQ(standardCancel, QStringLiteral("Отмена"));
    EXPECT_EQ(deleteAllCancel, QStringLiteral("Cancel"));
    EXPECT_EQ(shown, fixed);
}

TEST(FontsTest, WindowsFacesResolveToInstalledFacesOfLikeWidths)
{
    // The widget test main installs the substitutions, as the program's main does.
    const std::pair<const char*, const char*> cases[] = {
        {"MS Sans Serif", "Liberation Sans"},  {"Arial", "Liberation Sans"},
        {"Times New Roman", "Liberation Serif"}, {"Courier New", "Liberation Mono"},
        {"Comic Sans MS", "DejaVu Sans"},      {"Verdana", "DejaVu Sans"},
    };
    for (const auto& [face, installed] : cases)
        EXPECT_EQ(QFontInfo(QFont(QString::fromLatin1(face), 10)).family(), QString::fromLatin1(installed)) << face;
}
