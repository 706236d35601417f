// The main window as the user meets it: inputs and their offers, commands and their enabled
// states, layout, keyboard order and the hints in the status bar.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>

#include "QStringPrinter.h"
#include "FormsFixture.h"
#include "MainUnit.h"

namespace {

using MainWindowTest = FormsTest;

const QStringList SectionItems = {"0",  "1.5", "2.5", "4",  "6",   "10",  "16",  "25",
                                  "35", "50",  "70",  "95", "120", "150", "185", "240"};
const QString Paper = QStringLiteral("Кабель с бумажной изоляцией");
const QString Pvc = QStringLiteral("Кабель с ПВХ изоляцией");

struct InputCase {
    QString name;
    QString initial;
    QStringList offered;  // empty: an edit field
};

std::vector<InputCase> InputCases()
{
    std::vector<InputCase> cases = {
        {"TransPowerComboBox", "250",
         {"25", "40", "63", "100", "160", "250", "400", "630", "800", "1000", "1250", "1600", "2500"}},
        {"WindKindComboBox", "T/Y-0", {"Y/Y-0", "T/Y-0", "Y/Z-0"}},
        {"RArcEdit", "40", {}},
    };
    for (int line = 1; line <= 6; ++line) {
        const auto name = [line](const char* role, const char* kind) {
            return QStringLiteral("%1Line%2%3").arg(QLatin1String(role)).arg(line).arg(QLatin1String(kind));
        };
        cases.push_back({name("KindPerform", "ComboBox"), line == 1 ? Paper : Pvc,
                         {Paper, Pvc, QStringLiteral("Воздушная")}});
        cases.push_back({name("Stuff", "ComboBox"), line == 1 ? QStringLiteral("Алюминий") : QStringLiteral("Медь"),
                         {QStringLiteral("Алюминий"), QStringLiteral("Медь")}});
        cases.push_back({name("Ff", "ComboBox"), "0", SectionItems});
        cases.push_back({name("Fn", "ComboBox"), "0", SectionItems});
        cases.push_back({name("Length", "Edit"), "0", {}});
        cases.push_back({name("QuanPar", "ComboBox"), QStringLiteral("нет"), {QStringLiteral("нет"), "2", "3", "4", "5", "6"}});
    }
    return cases;
}

QStringList Items(const QComboBox* list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->itemText(i);
    return items;
}

// The control as the user sees it: the text field inside an editable list counts as the list.
QString ControlName(QWidget* widget)
{
    if (widget && qobject_cast<QComboBox*>(widget->parentWidget()))
        widget = widget->parentWidget();
    return widget ? widget->objectName() : QStringLiteral("<none>");
}

// Types `text` key by key (QTest's key helpers take only ASCII).
void TypeKeys(QWidget* widget, const QString& text)
{
    for (const QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(widget, &release);
    }
}

QPoint ClientTopLeft(const QWidget* widget)
{
    return widget->mapTo(MainForm, QPoint(0, 0)) - MainForm->centralWidget()->pos();
}

}  // namespace

TEST_F(MainWindowTest, EveryInputStartsWithItsTextAndOffersItsList)
{
    for (const InputCase& c : InputCases()) {
        SCOPED_TRACE(c.name.toStdString());
        if (c.offered.isEmpty()) {
            auto* edit = MainForm->findChild<QLineEdit*>(c.name);
            ASSERT_NE(edit, nullptr);
            EXPECT_EQ(edit->text(), c.initial);
            continue;
        }
        auto* list = MainForm->findChild<QComboBox*>(c.name);
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(list->currentText(), c.initial);
        EXPECT_EQ(Items(list), c.offered);
        EXPECT_TRUE(list->isEditable());
        EXPECT_EQ(list->insertPolicy(), QComboBox::NoInsert);
    }
}

TEST_F(MainWindowTest, TypedTextIsKeptExactlyAndNeverJoinsTheList)
{
    QComboBox* count = MainForm->QuanParLineComboBoxes[2];
    MainForm->show();
    count->lineEdit()->selectAll();
    TypeKeys(count->lineEdit(), QStringLiteral("Нет"));
    QTest::keyClick(count->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(count->currentText(), QStringLiteral("Нет"));
    EXPECT_EQ(count->count(), 6);
}

TEST_F(MainWindowTest, StartsWithInitialTextsAndResultCommandsDisabled)
{
    EXPECT_EQ(MainForm->IokzLabel->text(), QStringLiteral("Введите исходные данные для расчета"));
    EXPECT_EQ(MainForm->StatusDDLabel->text(), QStringLiteral("В расчете не определен"));
    EXPECT_FALSE(MainForm->ResultMenu->isEnabled());
    EXPECT_FALSE(MainForm->AddToReportButton->isEnabled());
    for (QAction* always : {MainForm->ReportMenu, MainForm->HelpMenu, MainForm->AboutMenu})
        EXPECT_TRUE(always->isEnabled()) << always->objectName().toStdString();
    for (QPushButton* always : {MainForm->StartButton, MainForm->DDButton, MainForm->BitBtn1})
        EXPECT_TRUE(always->isEnabled()) << always->objectName().toStdString();
}

TEST_F(MainWindowTest, MenuBarHoldsSixCommandsAndTheChecksSubmenu)
{
    auto* menuBar = MainForm->findChild<QMenuBar*>(QStringLiteral("MainMenu"));
    ASSERT_NE(menuBar, nullptr);
    EXPECT_EQ(MainForm->menuBar(), menuBar);
    const QList<QAction*> actions = menuBar->actions();
    const QStringList names = {"ResultMenu", "ReportMenu", "SelectionMenu", "CheckMenu", "HelpMenu", "AboutMenu"};
    const QStringList captions = {QStringLiteral("Результаты"), QStringLiteral("Отчет"), QStringLiteral("Подбор"),
                                  QStringLiteral("Проверка"), QStringLiteral("Помощь"), QStringLiteral("О программе")};
    ASSERT_EQ(actions.size(), names.size());
    for (int i = 0; i < actions.size(); ++i) {
        EXPECT_EQ(actions[i]->objectName(), names[i]);
        EXPECT_EQ(actions[i]->text(), captions[i]);
        EXPECT_EQ(actions[i]->menu() != nullptr, names[i] == QLatin1String("CheckMenu"));
    }
    EXPECT_EQ(MainForm->CheckMenu->menu()->actions(),
              (QList<QAction*>{MainForm->MinimumCheckMenu, MainForm->MaximumCheckMenu}));
}

TEST_F(MainWindowTest, CommandsCarryTheirCaptions)
{
    const std::pair<const char*, QString> cases[] = {
        {"StartButton", QStringLiteral("Расчет")},
        {"DDButton", QStringLiteral("Параметры аппарата защиты")},
        {"AddToReportButton", QStringLiteral("Добавить в отчет...")},
        {"BitBtn1", QStringLiteral("Выход")},
    };
    for (const auto& [name, caption] : cases) {
        auto* button = MainForm->findChild<QPushButton*>(QLatin1String(name));
        ASSERT_NE(button, nullptr) << name;
        EXPECT_EQ(button->text(), caption) << name;
    }
    EXPECT_FALSE(MainForm->BitBtn1->icon().isNull());
}

TEST_F(MainWindowTest, WindowIsFixedWithItsCaptionAndIcon)
{
    EXPECT_EQ(MainForm->windowTitle(), QStringLiteral("Зорант 2.1"));
    EXPECT_FALSE(MainForm->windowIcon().isNull());
    EXPECT_EQ(MainForm->minimumSize(), MainForm->maximumSize());
    EXPECT_EQ(MainForm->width(), 752);
    EXPECT_TRUE(MainForm->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(MainForm->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(MainForm->StatusBar1->isSizeGripEnabled());
}

TEST_F(MainWindowTest, ControlsSitWhereTheLayoutPutsThem)
{
    MainForm->show();
    const std::pair<const char*, QRect> cases[] = {
        {"VoltageBevel", {312, 1, 433, 28}},     {"TransBevel", {8, 56, 113, 305}},
        {"NetBevel", {136, 56, 609, 305}},       {"RArcPanel", {136, 320, 609, 41}},
        {"DeviceGroupBox", {8, 368, 737, 49}},   {"DDButton", {544, 384, 193, 25}},
        {"Panel1", {8, 424, 737, 34}},           {"AddToReportButton", {8, 472, 137, 25}},
        {"StartButton", {160, 472, 441, 25}},    {"BitBtn1", {616, 472, 129, 25}},
        {"StatusBar1", {0, 510, 752, 19}},
    };
    for (const auto& [name, expected] : cases) {
        auto* widget = MainForm->findChild<QWidget*>(QLatin1String(name));
        ASSERT_NE(widget, nullptr) << name;
        EXPECT_EQ(QRect(ClientTopLeft(widget), widget->size()), expected) << name;
    }
    // The client area ends with the status bar: 529 pixels below the menu bar.
    EXPECT_EQ(MainForm->height() - MainForm->centralWidget()->y(), 529);
}

TEST_F(MainWindowTest, LineRowsAre32PixelsApartFromTop128)
{
    MainForm->show();
    for (int n = 0; n < 6; ++n) {
        const int top = 128 + 32 * n;
        for (QWidget* field : {static_cast<QWidget*>(MainForm->KindPerformLineComboBoxes[n]),
                               static_cast<QWidget*>(MainForm->StuffLineComboBoxes[n]),
                               static_cast<QWidget*>(MainForm->LengthLineEdits[n]),
                               static_cast<QWidget*>(MainForm->QuanParLineComboBoxes[n]),
                               static_cast<QWidget*>(MainForm->FfLineComboBoxes[n]),
                               static_cast<QWidget*>(MainForm->FnLineComboBoxes[n])})
            EXPECT_EQ(ClientTopLeft(field).y(), top) << field->objectName().toStdString();
    }
}

TEST_F(MainWindowTest, TabWalksTheInputsThenTheButtons)
{
    MainForm->StartButtonClick();  // enables "Добавить в отчет...", which Tab skips while disabled
    ASSERT_TRUE(MainForm->AddToReportButton->isEnabled());
    MainForm->show();
    QApplication::setActiveWindow(MainForm);
    ASSERT_TRUE(QTest::qWaitForWindowActive(MainForm));

    QStringList expected = {"TransPowerComboBox", "WindKindComboBox"};
    for (int line = 1; line <= 6; ++line)
        for (const char* role : {"KindPerformLine%1ComboBox", "StuffLine%1ComboBox", "LengthLine%1Edit",
                                 "QuanParLine%1ComboBox", "FfLine%1ComboBox", "FnLine%1ComboBox"})
            expected << QString::fromLatin1(role).arg(line);
    expected << "RArcEdit" << "DDButton" << "StartButton" << "AddToReportButton" << "BitBtn1"
             << "TransPowerComboBox";

    MainForm->TransPowerComboBox->setFocus();
    QStringList visited = {ControlName(QApplication::focusWidget())};
    for (qsizetype i = 1; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << ControlName(QApplication::focusWidget());
    }
    EXPECT_EQ(visited, expected);
}

// ---- Hints in the status bar

namespace {

struct HintCase {
    const char* control;
    QString hint;
};

const QString QuanParHint = QStringLiteral(
    "Введите количество параллельных проводов. \"Нет\" или \"1\" вводится при отсутствии параллельных "
    "проводов.");

const HintCase HintCases[] = {
    {"StartButton", QStringLiteral("Запуск расчета")},
    {"DDButton", QStringLiteral("Выбор аппарата защиты линии")},
    {"AddToReportButton", QStringLiteral("Добавление результатов в отчет")},
    {"BitBtn1", QStringLiteral("Выход из программы")},
    {"IokzLabel", QStringLiteral("Строка вывода результатов расчета")},
    {"StatusDDLabel", QStringLiteral("Строка состояния аппарата защиты")},
    {"StatusBar1", QStringLiteral("Строка помощи")},
    {"TransPowerComboBox", QStringLiteral("Выберите мощность трансформатора в кВ*А из списка стандартных значений")},
    {"WindKindComboBox", QStringLiteral("Выберите тип соединения обмоток трансформатора")},
    {"KindPerformLine1ComboBox",
     QStringLiteral("Выберите тип линии: кабель в бумажной изоляции, кабель в ПВХ (резиновой) изоляции (провода в "
                    "трубе), воздушная")},
    {"StuffLine2ComboBox", QStringLiteral("Введите материал жилы: алюминий или медь")},
    {"FfLine3ComboBox", QStringLiteral("Выберите сечение фазной жилы из списка стандартных сечений")},
    {"FnLine4ComboBox", QStringLiteral("Выберите сечение нулевой жилы из списка стандартных значений")},
    {"LengthLine5Edit", QStringLiteral("Введите длину линии в метрах")},
    {"QuanParLine6ComboBox", QuanParHint},
    {"QuanParLine1ComboBox", QuanParHint},
    {"RArcEdit", QStringLiteral("Введите переходное сопротивление контактов в диапазоне 0..40 мОм")},
};

void Enter(QWidget* widget)
{
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(widget, &enter);
}

void Leave(QWidget* widget)
{
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(widget, &leave);
}

}  // namespace

TEST_F(MainWindowTest, StatusBarShowsTheHintOfTheControlUnderThePointer)
{
    for (const HintCase& c : HintCases) {
        auto* control = MainForm->findChild<QWidget*>(QLatin1String(c.control));
        ASSERT_NE(control, nullptr) << c.control;
        Enter(control);
        EXPECT_EQ(MainForm->StatusBar1->currentMessage(), c.hint) << c.control;
        Leave(control);
    }
}

TEST_F(MainWindowTest, HintsNeverPopUpExceptTheStatusBarsOwn)
{
    for (const HintCase& c : HintCases) {
        auto* control = MainForm->findChild<QWidget*>(QLatin1String(c.control));
        ASSERT_NE(control, nullptr) << c.control;
        const QString expectedTip = QLatin1String(c.control) == QLatin1String("StatusBar1") ? c.hint : QString();
        EXPECT_EQ(control->toolTip(), expectedTip) << c.control;
    }
}

TEST_F(MainWindowTest, TextFieldInsideAListGivesTheListsHint)
{
    Enter(MainForm->FfLineComboBoxes[0]);
    Enter(MainForm->FfLineComboBoxes[0]->lineEdit());
    EXPECT_EQ(MainForm->StatusBar1->currentMessage(),
              QStringLiteral("Выберите сечение фазной жилы из списка стандартных сечений"));
    // Back from the text field onto the list's arrow: still the list.
    Leave(MainForm->FfLineComboBoxes[0]->lineEdit());
    EXPECT_EQ(MainForm->StatusBar1->currentMessage(),
              QStringLiteral("Выберите сечение фазной жилы из списка стандартных сечений"));
}

TEST_F(MainWindowTest, StatusBarIsEmptyOverFramesCaptionsAndMenus)
{
    auto* netFrame = MainForm->findChild<QFrame*>(QStringLiteral("NetBevel"));
    ASSERT_NE(netFrame, nullptr);
    QLabel* caption = nullptr;
    for (QLabel* label : netFrame->findChildren<QLabel*>())
        if (label->text() == QStringLiteral("Линия 3"))
            caption = label;
    ASSERT_NE(caption, nullptr);

    const std::pair<const char*, QWidget*> places[] = {
        {"network frame", netFrame},
        {"caption", caption},
        {"menu bar", MainForm->MainMenu},
        {"device group box", MainForm->DeviceGroupBox},
    };
    for (const auto& [where, widget] : places) {
        Enter(MainForm->StartButton);
        ASSERT_FALSE(MainForm->StatusBar1->currentMessage().isEmpty());
        Leave(MainForm->StartButton);
        Enter(widget);
        EXPECT_EQ(MainForm->StatusBar1->currentMessage(), QString()) << where;
    }
    // From the device status line back into its group box.
    Enter(MainForm->DeviceGroupBox);
    Enter(MainForm->StatusDDLabel);
    Leave(MainForm->StatusDDLabel);
    EXPECT_EQ(MainForm->StatusBar1->currentMessage(), QString());
}

TEST_F(MainWindowTest, LeavingTheWindowClearsTheHint)
{
    Enter(MainForm);
    Enter(MainForm->centralWidget());
    Enter(MainForm->StartButton);
    Leave(MainForm->StartButton);
    Leave(MainForm->centralWidget());
    Leave(MainForm);
    EXPECT_EQ(MainForm->StatusBar1->currentMessage(), QString());
}

TEST_F(MainWindowTest, ExitButtonClosesTheWindow)
{
    MainForm->show();
    ASSERT_TRUE(MainForm->isVisible());
    QTest::mouseClick(MainForm->BitBtn1, Qt::LeftButton);
    EXPECT_FALSE(MainForm->isVisible());
}

TEST_F(MainWindowTest, MovingThePointerAcrossTheWindowFollowsItsControls)
{
    MainForm->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(MainForm));
    struct Stop {
        QWidget* over;
        QString hint;
    };
    const Stop stops[] = {
        {MainForm->StartButton, QStringLiteral("Запуск расчета")},
        {MainForm->DeviceGroupBox, QString()},
        {MainForm->DDButton, QStringLiteral("Выбор аппарата защиты линии")},
        {MainForm->LengthLineEdits[3], QStringLiteral("Введите длину линии в метрах")},
        {MainForm->FnLineComboBoxes[0], QStringLiteral("Выберите сечение нулевой жилы из списка стандартных значений")},
        {MainForm->StatusDDLabel, QStringLiteral("Строка состояния аппарата защиты")},
    };
    for (const Stop& stop : stops) {
        QTest::mouseMove(stop.over, QPoint(4, 4));
        EXPECT_EQ(MainForm->StatusBar1->currentMessage(), stop.hint) << stop.over->objectName().toStdString();
    }
}
