// The window "Проверка по минимальному току КЗ" and its menu item: both currents for the last
// successful calculation and the device confirmed now, the parameters typed, refused, restored and
// kept for the session, names, hints, help and layout.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QAbstractItemView>
#include <QDir>
#include <QDeadlineTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QtCharts/QAbstractSeries>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtTest/QTest>
#include <cmath>
#include <functional>

#include "CheckUnit.h"
#include "DeviceDefenceUnit.h"
#include "FormsFixture.h"
#include "HelpViewer.h"
#include "MainUnit.h"
#include "MinimumSelection.h"
#include "QStringPrinter.h"
#include "RegionalSettings.h"
#include "SelectionUnit.h"
#include "WindowLook.h"

namespace {

using CheckWindowTest = HelpFormsTest;

// Copper 2.5 mm² PVC cable of 60 m as line 1 behind the initial transformer.
void EnterFinalCircuit(const char* length = "60")
{
    MainForm->KindPerformLineComboBoxes[0]->setEditText(QStringLiteral("Кабель с ПВХ изоляцией"));
    MainForm->StuffLineComboBoxes[0]->setEditText(QStringLiteral("Медь"));
    MainForm->FfLineComboBoxes[0]->setEditText(QStringLiteral("2.5"));
    MainForm->FnLineComboBoxes[0]->setEditText(QStringLiteral("2.5"));
    MainForm->LengthLineEdits[0]->setText(QString::fromLatin1(length));
}

// "0,4 с" or "0.4 с", as the regional settings write it.
QString Decimal(const char* digits)
{
    return QString::fromUtf8(digits).replace(u'.', QString::fromStdString(RegionalSeparators().decimal));
}

// Types `text` into `field` as a user would: select all, type, then click "Пересчитать".
void TypeAndApply(QLineEdit* field, const QString& text)
{
    field->setFocus();
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty())
        QTest::keyClick(field, Qt::Key_Delete);
    else
        QTest::keyClicks(field, text);
    QTest::mouseClick(CheckForm->ApplyButton, Qt::LeftButton);
}

// Opens "Проверка" from the menu, lets `act` work on the shown window, then closes it.
void WithWindowFromTheMenu(const std::function<void()>& act)
{
    bool acted = false;
    QTimer watch;
    watch.setInterval(10);
    const QDeadlineTimer deadline(3000);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == CheckForm && !acted) {
            acted = true;
            act();
            QTest::mouseClick(CheckForm->CloseButton, Qt::LeftButton);
        } else if (deadline.hasExpired()) {
            ADD_FAILURE() << "the window did not come";
            if (auto* dialog = qobject_cast<QDialog*>(modal))
                dialog->reject();
        }
    });
    watch.start();
    MainForm->MinimumCheckMenu->trigger();
    watch.stop();
    EXPECT_TRUE(acted);
}

TEST_F(CheckWindowTest, MenuItemFollowsSelectionAndIsEnabledWithResults)
{
    const QList<QAction*> items = MainForm->MainMenu->actions();
    ASSERT_EQ(items.size(), 6);
    EXPECT_EQ(items[2], MainForm->SelectionMenu);
    EXPECT_EQ(items[3], MainForm->CheckMenu);
    EXPECT_EQ(MainForm->CheckMenu->text(), QStringLiteral("Проверка"));
    EXPECT_EQ(MainForm->CheckMenu->objectName(), QStringLiteral("CheckMenu"));
    // scripts/smoke-test.sh clicks "Помощь", now the fifth item, 265 pixels from the left edge.
    EXPECT_TRUE(MainForm->MainMenu->actionGeometry(MainForm->HelpMenu).contains(QPoint(265, 8)));
    struct Step {
        const char* name;
        const char* length;
        bool enabled;
    };
    const Step steps[] = {{"at start", nullptr, false}, {"after a success", "60", true},
                          {"after a failure", "-1", false}, {"after another success", "30", true}};
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        if (step.length) {
            EnterFinalCircuit(step.length);
            MainForm->StartButtonClick();
        }
        EXPECT_EQ(MainForm->CheckMenu->isEnabled(), step.enabled);
        EXPECT_EQ(MainForm->CheckMenu->isEnabled(), MainForm->ResultMenu->isEnabled());
    }
}

TEST_F(CheckWindowTest, FinalCircuitWithBreakerShowsBothCurrentsSideBySide)
{
    CheckForm->Refresh();
    EXPECT_EQ(CheckForm->NoteLabel->text(), QStringLiteral("Выполните расчет тока однофазного короткого замыкания"));
    EXPECT_EQ(CheckForm->MinimumCurrentLabel->text(), QStringLiteral("—"));

    EnterFinalCircuit();
    MainForm->StartButtonClick();
    DeviceDefenceForm->OKDDBitBtnClick();  // C16: 176 A
    ASSERT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join(u'\n').toStdString();
    // Texts edited after the calculation change nothing here.
    MainForm->LengthLineEdits[0]->setText(QStringLiteral("600"));
    WithWindowFromTheMenu([] {
        EXPECT_TRUE(CheckForm->NoteLabel->text().isEmpty());
        EXPECT_EQ(CheckForm->DeviceLabel->text(), QStringLiteral("Автоматический выключатель, Iср=176 А"));
        EXPECT_EQ(CheckForm->ProgramVoltageLabel->text(), QStringLiteral("231 В"));
        EXPECT_EQ(CheckForm->MinimumVoltageLabel->text(), Decimal("218.5 В"));
        EXPECT_EQ(CheckForm->IokzLabel->text(), QStringLiteral("Iокз=246 А"));
        EXPECT_EQ(CheckForm->StartCurrentLabel->text(), QStringLiteral("196 А"));
        EXPECT_EQ(CheckForm->MinimumCurrentLabel->text(), QStringLiteral("Iк1 min=187 А"));
        EXPECT_EQ(CheckForm->TimeLabel->text(), Decimal("0.4 с"));
        EXPECT_EQ(CheckForm->ProgramVerdictLabel->text(), QStringLiteral("Срабатывание"));
        EXPECT_EQ(CheckForm->MinimumVerdictLabel->text(), QStringLiteral("Срабатывание"));
        EXPECT_EQ(CheckForm->ProgramMarginLabel->text(), Decimal("1.39"));
        EXPECT_EQ(CheckForm->MinimumMarginLabel->text(), Decimal("1.06"));
        EXPECT_EQ(CheckForm->PhaseLabels[0]->text(), QStringLiteral("84"));
        EXPECT_EQ(CheckForm->NeutralLabels[0]->text(), QStringLiteral("84"));
        EXPECT_EQ(CheckForm->LimitLabels[0]->text(), QStringLiteral("150"));
        EXPECT_EQ(CheckForm->WithstandLabels[0]->text(), QStringLiteral("стойка"));
        EXPECT_EQ(CheckForm->PhaseLabels[1]->text(), QStringLiteral("—"));
        SaveSnapshot(CheckForm, QStringLiteral("check-breaker"));
    });

    // The 5 s fuse time: the device no longer trips at the minimum current, the cores overheat.
    DeviceSettings.TypeDD = 2;
    DeviceSettings.TimePP = 1;
    DeviceSettings.TypePP = 1;
    DeviceSettings.TokPP = 25;
    CheckForm->Refresh();
    EXPECT_EQ(CheckForm->TimeLabel->text(), QStringLiteral("5 с"));
    EXPECT_EQ(CheckForm->MinimumCurrentLabel->text(), QStringLiteral("Iк1 min=133 А"));
    EXPECT_EQ(CheckForm->MinimumVerdictLabel->text(), QStringLiteral("Несрабатывание"));
    EXPECT_EQ(CheckForm->MinimumVerdictLabel->palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_EQ(CheckForm->PhaseLabels[0]->text(), QStringLiteral("219"));
    EXPECT_EQ(CheckForm->WithstandLabels[0]->text(), QStringLiteral("термически не стойка"));
    EXPECT_EQ(CheckForm->WithstandLabels[0]->palette().color(QPalette::WindowText), QColor(Qt::red));
}

TEST_F(CheckWindowTest, WithoutDeviceShowsBothTimesAndTheHeatingOverFiveSeconds)
{
    EnterFinalCircuit();
    MainForm->StartButtonClick();
    CheckForm->Refresh();
    EXPECT_EQ(CheckForm->DeviceLabel->text(), QStringLiteral("—"));
    EXPECT_EQ(CheckForm->MinimumCurrentLabel->text(), QStringLiteral("Iк1 min=187 А / 133 А"));
    EXPECT_EQ(CheckForm->TimeLabel->text(), Decimal("0.4 с / 5 с"));
    EXPECT_EQ(CheckForm->MinimumVerdictLabel->text(), QStringLiteral("—"));
    EXPECT_EQ(CheckForm->ProgramMarginLabel->text(), QStringLiteral("—"));
    EXPECT_EQ(CheckForm->PhaseLabels[0]->text(), QStringLiteral("219"));
    EXPECT_EQ(CheckForm->WithstandLabels[0]->text(), QStringLiteral("термически не стойка"));
    EXPECT_FALSE(CheckForm->NoteLabel->text().isEmpty());
}

TEST_F(CheckWindowTest, TypedParametersApplyABadOneChangesNothingDefaultsComeBack)
{
    EnterFinalCircuit();
    MainForm->StartButtonClick();
    DeviceDefenceForm->OKDDBitBtnClick();
    CheckForm->show();
    QApplication::setActiveWindow(CheckForm);

    // c_min = 1 and 220 V: 220 V over the same loop.
    TypeAndApply(CheckForm->CMinEdit, QStringLiteral("1"));
    CheckForm->VoltageComboBox->setCurrentIndex(1);
    QTest::mouseClick(CheckForm->ApplyButton, Qt::LeftButton);
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_EQ(CheckForm->Parameters.cMin, 1);
    EXPECT_EQ(CheckForm->Parameters.phaseVoltage, 220);
    EXPECT_EQ(CheckForm->MinimumVoltageLabel->text(), QStringLiteral("220 В"));
    const QString current = CheckForm->MinimumCurrentLabel->text();

    // Refused values, each with its message; the parameters and the results stay.
    struct Bad {
        QLineEdit* field;
        const char* text;
        QString message;
    };
    const Bad bads[] = {
        {CheckForm->CMinEdit, "abc",
         QStringLiteral("Неверный коэффициент напряжения cmin. Введите величину в диапазоне 0.8..1.1")},
        {CheckForm->NetworkPowerEdit, "-5",
         QStringLiteral("Неверная мощность короткого замыкания питающей сети. Введите величину в диапазоне "
                        "1..100000 МВ·А (0 или пусто - сеть не учитывается)")},
        {CheckForm->PvcStartEdit, "1e400",
         QStringLiteral("Неверная длительно допустимая температура жил. Введите величину в диапазоне 0..250 °C")},
        {CheckForm->BareCopperLimitEdit, "2000",
         QStringLiteral("Неверная предельная температура жил при КЗ. Введите величину в диапазоне 0..1000 °C")},
    };
    const MinimumCurrentParameters before = CheckForm->Parameters;
    for (const Bad& bad : bads) {
        SCOPED_TRACE(bad.text);
        dialogs.messages.clear();
        const QString kept = bad.field->text();
        TypeAndApply(bad.field, QString::fromLatin1(bad.text));
        ASSERT_EQ(dialogs.messages.size(), 1);
        EXPECT_EQ(dialogs.messages[0], bad.message);
        EXPECT_TRUE(CheckForm->Parameters == before);
        EXPECT_EQ(CheckForm->MinimumCurrentLabel->text(), current);
        EXPECT_TRUE(bad.field->hasFocus());
        bad.field->setText(kept);
    }

    // A network of 1 MV·A lowers the current; an emptied field takes it away again.
    dialogs.messages.clear();
    TypeAndApply(CheckForm->NetworkPowerEdit, QStringLiteral("1"));
    EXPECT_EQ(CheckForm->Parameters.networkPower, 1);
    EXPECT_NE(CheckForm->MinimumCurrentLabel->text(), current);
    TypeAndApply(CheckForm->NetworkPowerEdit, QString());
    EXPECT_EQ(CheckForm->Parameters.networkPower, 0);
    EXPECT_EQ(CheckForm->MinimumCurrentLabel->text(), current);
    EXPECT_TRUE(dialogs.messages.isEmpty());

    QTest::mouseClick(CheckForm->DefaultsButton, Qt::LeftButton);
    EXPECT_TRUE(CheckForm->Parameters == MinimumCurrentParameters{});
    EXPECT_EQ(CheckForm->CMinEdit->text(), QStringLiteral("0.95"));
    EXPECT_EQ(CheckForm->VoltageComboBox->currentText(), QStringLiteral("230"));
    EXPECT_EQ(CheckForm->MinimumCurrentLabel->text(), QStringLiteral("Iк1 min=187 А"));
    CheckForm->hide();
}

// Sк typed as next to nothing and Enter pressed: refused with its field and range named, the field
// keeps the focus and the text, nothing else changes. The c_min field offers its list.
TEST_F(CheckWindowTest, NetworkPowerBelowOneMegavoltAmpereIsRefusedOnEnter)
{
    EnterFinalCircuit();
    MainForm->StartButtonClick();
    DeviceDefenceForm->OKDDBitBtnClick();
    CheckForm->show();
    QApplication::setActiveWindow(CheckForm);
    const MinimumCurrentParameters before = CheckForm->Parameters;
    const QString current = CheckForm->MinimumCurrentLabel->text();
    QLineEdit* field = CheckForm->NetworkPowerEdit;
    // The message itself and the table of refused values are checked by the parameter tests.
    QTest::mouseClick(field, Qt::LeftButton);
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(field, QStringLiteral("1e-300"));
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(field->hasFocus());
    EXPECT_EQ(field->text(), QStringLiteral("1e-300"));
    EXPECT_TRUE(CheckForm->Parameters == before);
    EXPECT_EQ(CheckForm->MinimumCurrentLabel->text(), current);
    // Ctrl+↓ in the c_min field lists the standard's two values.
    CheckForm->CMinEdit->setFocus();
    QTest::keyClick(CheckForm->CMinEdit, Qt::Key_Down, Qt::ControlModifier);
    const QAbstractItemModel* offered = CheckForm->CMinEdit->completer()->completionModel();
    EXPECT_TRUE(CheckForm->CMinEdit->completer()->popup()->isVisible());
    EXPECT_EQ(offered->rowCount(), 2);
    EXPECT_EQ(offered->index(1, 0).data().toString(), QStringLiteral("0.90"));
    CheckForm->hide();
}

TEST_F(CheckWindowTest, ParametersAreKeptForTheSessionAndTheFieldsShowThemAtEveryShowing)
{
    EnterFinalCircuit();
    MainForm->StartButtonClick();
    WithWindowFromTheMenu([] {
        CheckForm->HeatingComboBox->setCurrentIndex(1);
        TypeAndApply(CheckForm->PvcStartEdit, QStringLiteral("65"));
        // Typed but never applied: forgotten at the next showing.
        CheckForm->CMinEdit->setText(QStringLiteral("1.05"));
    });
    EXPECT_EQ(CheckForm->Parameters.heating, ConductorHeating::UteFactors);
    EXPECT_EQ(CheckForm->Parameters.pvcCableStart, 65);

    EnterFinalCircuit("40");
    MainForm->StartButtonClick();
    WithWindowFromTheMenu([] {
        EXPECT_EQ(CheckForm->HeatingComboBox->currentIndex(), 1);
        EXPECT_EQ(CheckForm->PvcStartEdit->text(), QStringLiteral("65"));
        EXPECT_EQ(CheckForm->CMinEdit->text(), QStringLiteral("0.95"));
        // The fixed factor: one current from start to end.
        EXPECT_EQ(CheckForm->StartCurrentLabel->text() + QString(),
                  CheckForm->MinimumCurrentLabel->text().section(u'=', 1).section(QStringLiteral(" / "), 0, 0));
    });
}

// "Подбор" follows Iк1 min when chosen: answers, texts and chart of the minimum current, with the
// parameters in force in "Проверка"; the program's Iокз again when chosen back.
TEST_F(CheckWindowTest, SelectionFollowsTheMinimumCurrentWhenChosen)
{
    EnterFinalCircuit();
    MainForm->StartButtonClick();
    DeviceDefenceForm->OKDDBitBtnClick();  // C16: 176 A
    SelectionForm->Refresh();
    QComboBox* basis = SelectionForm->CurrentBasisComboBox;
    ASSERT_EQ(basis->count(), 2);
    EXPECT_EQ(basis->currentIndex(), 1);  // Iк1 min by default
    basis->setCurrentIndex(0);
    EXPECT_EQ(SelectionForm->IokzLabel->text(), QStringLiteral("Iокз=246 А"));
    const QString programLength = SelectionForm->GreatestLengthLabels[0]->text();

    basis->setCurrentIndex(1);
    EXPECT_EQ(SelectionForm->IokzLabel->text(), QStringLiteral("Iк1 min=187 А"));
    EXPECT_EQ(SelectionForm->MarginLabel->text(), Decimal("1.06"));
    const NetworkDescription network = MainForm->CurrentNetwork();
    const SelectionDevice device = SelectionDeviceFrom(DeviceSettings, false, QString());
    const SelectionTexts expected = ComposeSelectionTexts(
        SelectParametersAtMinimumCurrent(network, SharedResult, device, MinimumCurrentParameters{}, 0.4),
        RegionalSeparators(), true);
    EXPECT_EQ(SelectionForm->GreatestLengthLabels[0]->text(), expected.greatestLength[0]);
    EXPECT_EQ(SelectionForm->RatingLabel->text(), expected.rating);
    EXPECT_EQ(SelectionForm->SectionLabels[0]->text(), expected.section[0]);
    EXPECT_NE(SelectionForm->GreatestLengthLabels[0]->text(), programLength);
    EXPECT_EQ(SelectionForm->SelectionChartView->chart()->series().value(0)->name(), QStringLiteral("Iк1 min"));
    SaveSnapshot(SelectionForm, QStringLiteral("selection-minimum"));

    // The parameters of "Проверка" count: at c_min = 1 the current rises.
    CheckForm->Parameters.cMin = 1;
    SelectionForm->Refresh();
    EXPECT_EQ(SelectionForm->IokzLabel->text(), QStringLiteral("Iк1 min=196 А"));

    basis->setCurrentIndex(0);
    EXPECT_EQ(SelectionForm->IokzLabel->text(), QStringLiteral("Iокз=246 А"));
    EXPECT_EQ(SelectionForm->GreatestLengthLabels[0]->text(), programLength);
    EXPECT_EQ(SelectionForm->SelectionChartView->chart()->series().value(0)->name(), QStringLiteral("Iокз"));

    // A thin core of 2 m behind 2500 kV·A melts within 0.4 s: no answers at Iк1 min, the note says why.
    basis->setCurrentIndex(1);
    MainForm->TransPowerComboBox->setEditText(QStringLiteral("2500"));
    MainForm->RArcEdit->setText(QStringLiteral("0"));
    MainForm->FfLineComboBoxes[0]->setEditText(QStringLiteral("1.5"));
    MainForm->FnLineComboBoxes[0]->setEditText(QStringLiteral("1.5"));
    MainForm->LengthLineEdits[0]->setText(QStringLiteral("2"));
    MainForm->StartButtonClick();
    SelectionForm->Refresh();
    EXPECT_EQ(SelectionForm->NoteLabel->text(), QStringLiteral("Жила линии 1 нагревается выше температуры плавления: "
                                                               "наименьший ток КЗ вне области применения методики"));
    EXPECT_LE(TextWidth(SelectionForm->NoteLabel), SelectionForm->NoteLabel->width());
    EXPECT_EQ(SelectionForm->SelectionChartView->chart()->title(), QStringLiteral("Iк1 min вне методики"));
}

TEST_F(CheckWindowTest, EveryControlIsNamedHintedAndHelpedAndNoTextIsClipped)
{
    EXPECT_EQ(CheckForm->windowTitle(), QStringLiteral("Проверка по минимальному току КЗ"));
    EXPECT_EQ(CheckForm->minimumSize(), CheckForm->maximumSize());
    EXPECT_EQ(HelpContextFor(CheckForm->CMinEdit), 39);
    EXPECT_EQ(HelpFileFor(CheckForm), QStringLiteral("help 2.1.hlp"));

    // The widest texts the window gets: six overheated sections, no device (two currents).
    for (int n = 0; n < LineSectionCount; ++n) {
        MainForm->KindPerformLineComboBoxes[n]->setEditText(QStringLiteral("Кабель с ПВХ изоляцией"));
        MainForm->StuffLineComboBoxes[n]->setEditText(QStringLiteral("Медь"));
        MainForm->FfLineComboBoxes[n]->setEditText(QStringLiteral("1.5"));
        MainForm->FnLineComboBoxes[n]->setEditText(QStringLiteral("1.5"));
        MainForm->LengthLineEdits[n]->setText(QStringLiteral("1"));
    }
    MainForm->TransPowerComboBox->setEditText(QStringLiteral("2500"));
    MainForm->RArcEdit->setText(QStringLiteral("0"));
    MainForm->StartButtonClick();
    ASSERT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join(u'\n').toStdString();
    CheckForm->Refresh();
    SaveSnapshot(CheckForm, QStringLiteral("check-wide"));
    EXPECT_FALSE(CheckForm->WithstandLabels[5]->isVisibleTo(CheckForm));
    EXPECT_EQ(CheckForm->MeltedLabels[5]->text(),
              QStringLiteral("фазная и нулевая: выше температуры плавления — жила разрушится"));

    for (QWidget* control : CheckForm->findChildren<QWidget*>()) {
        const QString name = control->objectName();
        if (!name.isEmpty() && !name.startsWith(QLatin1String("qt_"))) {
            EXPECT_FALSE(control->accessibleDescription().isEmpty()) << name.toStdString();
        }
    }
    for (QWidget* control : std::initializer_list<QWidget*>{
             CheckForm->CMinEdit, CheckForm->VoltageComboBox, CheckForm->NetworkPowerEdit, CheckForm->HeatingComboBox,
             CheckForm->PaperStartEdit, CheckForm->PvcStartEdit, CheckForm->OverheadStartEdit, CheckForm->PvcLimitEdit,
             CheckForm->PaperLimitEdit, CheckForm->BareAluminiumLimitEdit, CheckForm->BareCopperLimitEdit,
             CheckForm->ApplyButton, CheckForm->DefaultsButton, CheckForm->CloseButton, CheckForm->StatusBar1}) {
        EXPECT_FALSE(control->objectName().isEmpty());
        EXPECT_FALSE(control->accessibleDescription().isEmpty()) << control->objectName().toStdString();
    }
    for (const QLabel* label : CheckForm->findChildren<QLabel*>()) {
        if (!label->wordWrap()) {
            EXPECT_LE(TextWidth(label), label->width()) << label->text().toStdString();
        }
    }
    const QRect client = CheckForm->rect();
    for (const QWidget* control : CheckForm->findChildren<QWidget*>()) {
        const QRect place(control->mapTo(CheckForm, QPoint(0, 0)), control->size());
        if (control->isVisibleTo(CheckForm) && !control->objectName().startsWith(QLatin1String("qt_"))) {
            EXPECT_TRUE(client.contains(place)) << control->objectName().toStdString();
        }
    }
}

// --- window-free pieces ------------------------------------------------------------------------

TEST(CheckFieldsTest, EachRefusedFieldIsNamedWithItsMessageAndGoodFieldsReadBack)
{
    MinimumCurrentParameters typed;
    typed.cMin = 1.05;
    typed.phaseVoltage = 220;
    typed.networkPower = 12.5;
    typed.heating = ConductorHeating::UteFactors;
    typed.paperCableStart = 65;
    typed.bareCopperLimit = 250;
    const CheckFieldReading back = ReadCheckFields(CheckFieldTextsOf(typed), MinimumCurrentParameters{});
    ASSERT_TRUE(back.parameters.has_value()) << back.message.toStdString();
    EXPECT_TRUE(*back.parameters == typed);

    struct Case {
        QString CheckFieldTexts::*text;
        const char* value;
        const char* field;  // empty: accepted
    };
    const Case cases[] = {
        {&CheckFieldTexts::cMin, "0.79", "CMinEdit"},
        {&CheckFieldTexts::cMin, "0,95", ""},  // the decimal comma reads as the point
        {&CheckFieldTexts::cMin, "", "CMinEdit"},
        {&CheckFieldTexts::networkPower, "", ""},
        {&CheckFieldTexts::networkPower, "0", ""},
        {&CheckFieldTexts::networkPower, "x", "NetworkPowerEdit"},
        {&CheckFieldTexts::networkPower, "1e-300", "NetworkPowerEdit"},
        {&CheckFieldTexts::networkPower, "1", ""},
        {&CheckFieldTexts::paperStart, "251", "PaperStartEdit"},
        {&CheckFieldTexts::pvcStart, "-1", "PvcStartEdit"},
        {&CheckFieldTexts::overheadStart, "nan", "OverheadStartEdit"},
        {&CheckFieldTexts::pvcLimit, "1001", "PvcLimitEdit"},
        {&CheckFieldTexts::paperLimit, "1e999", "PaperLimitEdit"},
        {&CheckFieldTexts::bareAluminiumLimit, "200 ", "BareAluminiumLimitEdit"},
        {&CheckFieldTexts::bareCopperLimit, "1000", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.field) + " '" + c.value + "'");
        CheckFieldTexts texts = CheckFieldTextsOf(MinimumCurrentParameters{});
        texts.*c.text = QString::fromLatin1(c.value);
        const CheckFieldReading reading = ReadCheckFields(texts, MinimumCurrentParameters{});
        EXPECT_EQ(reading.field, QString::fromLatin1(c.field));
        EXPECT_EQ(reading.parameters.has_value(), *c.field == '\0');
        EXPECT_EQ(reading.message.isEmpty(), *c.field == '\0');
    }
}

TEST(CheckFieldsTest, DeviceRecordGivesNameTimeAndFactor)
{
    ProtectiveDeviceSettings fuse;
    fuse.TypeDD = 2;
    fuse.TypePP = 2;
    fuse.TimePP = 2;
    fuse.TokPP = 63;
    fuse.TokSR = 300;
    const CheckDevice device = CheckDeviceFrom(fuse);
    EXPECT_TRUE(device.present);
    EXPECT_TRUE(device.fuse);
    EXPECT_EQ(device.time, 0.4);
    EXPECT_EQ(device.name, QStringLiteral("Предохранитель ПН2 63 А"));
    fuse.TimePP = 1;
    EXPECT_EQ(CheckDeviceFrom(fuse).time, 5);

    ProtectiveDeviceSettings breaker;
    breaker.TypeDD = 1;
    breaker.TokSR = 176;
    EXPECT_FALSE(CheckDeviceFrom(breaker).fuse);
    EXPECT_EQ(CheckDeviceFrom(breaker).time, 0.4);
    EXPECT_FALSE(CheckDeviceFrom(ProtectiveDeviceSettings{}).present);
}

TEST(CheckFieldsTest, TextsMarkOverheatedSectionsAndCoresThatHaveGone)
{
    CheckAnswers answers;
    answers.calculated = true;
    answers.iokz = 1000;
    answers.device = {true, QStringLiteral("Автоматический выключатель"), 1000, 0.4, false};
    answers.result.ok = true;
    answers.result.time = 0.4;
    answers.result.voltage = 218.5;
    answers.result.startCurrent = answers.result.minimumCurrent = 999.5;
    answers.result.margin = 0.9995;
    SectionHeating& hot = answers.result.sections[2];
    hot = {true, 160.4, 159.6, 160, 160, false, true};
    const CheckTexts t = ComposeCheckTexts(answers, {",", " "});
    EXPECT_EQ(t.programVerdict, QStringLiteral("Срабатывание"));  // 1000 >= 1000
    EXPECT_EQ(t.programMargin, QStringLiteral("1,00"));
    EXPECT_EQ(t.minimumVerdict, QStringLiteral("Несрабатывание"));
    EXPECT_TRUE(t.minimumFails);
    EXPECT_EQ(t.minimumMargin, QStringLiteral("0,99"));  // rounded down, never up to 1,00
    EXPECT_EQ(t.phaseTemperature[2], QStringLiteral("160"));
    EXPECT_EQ(t.neutralTemperature[2], QStringLiteral("160"));
    EXPECT_EQ(t.withstand[2], QStringLiteral("термически не стойка"));
    EXPECT_TRUE(t.overheated[2]);
    EXPECT_EQ(t.withstand[1], QStringLiteral("—"));
    EXPECT_FALSE(t.overheated[1]);

    // A melted neutral core: no current, no verdict on it, no margin.
    answers.result.ok = false;
    answers.result.melted = true;
    hot.neutralMelted = true;
    const CheckTexts melted = ComposeCheckTexts(answers, {",", " "});
    EXPECT_EQ(melted.melted[2], QStringLiteral("нулевая: выше температуры плавления — жила разрушится"));
    EXPECT_EQ(melted.minimumCurrent, QStringLiteral("Iк1 min вне методики"));
    EXPECT_EQ(melted.minimumVerdict, QStringLiteral("не определено"));
    EXPECT_EQ(melted.minimumMargin, QStringLiteral("—"));
    // Without a device, only the 5 s current may be beyond the method.
    answers.device = CheckDevice{};
    answers.longer = answers.result;
    answers.result.ok = true;
    answers.result.melted = false;
    EXPECT_EQ(ComposeCheckTexts(answers, {",", " "}).minimumCurrent, QStringLiteral("Iк1 min=1000 А / вне методики"));
}

// The topic is reached from both contents and names the window in its heading.
TEST(CheckHelpTest, TopicIsInBothContentsAndCarriesTheWorkedExample)
{
    const QStringList folders{QDir::currentPath()};
    EXPECT_TRUE(LoadHelpTopic(QStringLiteral("help 2.1.hlp"), 1, folders).html.contains(QLatin1String("\"#topic-39\"")));
    EXPECT_TRUE(LoadHelpTopic(QStringLiteral("help 2.0.hlp"), 1, folders)
                    .html.contains(QLatin1String("\"help 2.1.hlp#topic-39\"")));
    THelpViewerForm viewer;
    viewer.SetDirectories(folders);
    viewer.ShowTopic(QStringLiteral("help 2.1.hlp"), 39);
    ASSERT_TRUE(viewer.CurrentTopicFound());
    EXPECT_EQ(viewer.windowTitle().section(QStringLiteral(" — "), 1), QStringLiteral("Проверка по минимальному току КЗ"));
    // The worked example's figures are those of the calculation for the same chain.
    NetworkDescription network = InitialNetworkDescription();
    network.Lines[0] = {"Кабель с ПВХ изоляцией", "Медь", "2.5", "2.5", "60", "нет"};
    const ShortCircuitResult result = CalculateShortCircuit(network).result;
    const MinimumCurrentResult breaker = CalculateMinimumCurrent(network, result, {}, 0.4, 176);
    const MinimumCurrentResult fiveSeconds = CalculateMinimumCurrent(network, result, {}, 5, 176);
    const NumberSeparators russian{",", " "};
    const auto shown = [&](double value, int decimals) {
        return QString::fromStdString(FormatGrouped(value, decimals, russian));
    };
    // Four-digit figures of the help's running text carry no group separator.
    const auto plain = [](double value) { return QString::fromStdString(FormatGrouped(value, 0, {",", ""})); };
    MinimumCurrentParameters network10;
    network10.networkPower = 10;
    const MinimumCurrentResult withNetwork = CalculateMinimumCurrent(network, result, network10, 0.4, 176);
    // The core that melts though not of almost no length.
    NetworkDescription thin = InitialNetworkDescription();
    thin.TransPower = "2500";
    thin.RArc = "0";
    thin.Lines[0] = {"Кабель с ПВХ изоляцией", "Медь", "1.5", "1.5", "10", "нет"};
    const MinimumCurrentResult melted = CalculateMinimumCurrent(thin, CalculateShortCircuit(thin).result, {}, 5, 0);
    EXPECT_TRUE(melted.melted);
    const QString html = LoadHelpTopic(QStringLiteral("help 2.1.hlp"), 39, folders).html;
    for (const QString& figure :
         {shown(result.Iokz, 2), shown(breaker.startCurrent, 2), shown(breaker.minimumCurrent, 2),
          shown(breaker.sections[0].phaseTemperature, 1), shown(std::floor(breaker.margin * 100) / 100, 2),
          shown(fiveSeconds.minimumCurrent, 1), shown(fiveSeconds.sections[0].phaseTemperature, 1),
          shown(withNetwork.minimumCurrent, 2) + QStringLiteral(" А"),
          QStringLiteral("до ") + plain(melted.sections[0].phaseTemperature) + QStringLiteral(" °C")})
        EXPECT_TRUE(html.contains(figure)) << figure.toStdString();
    // The assumptions' topic quotes the window for its 1527 A example (paper-insulated Al 95/50 mm², 100 m).
    NetworkDescription paper = InitialNetworkDescription();
    paper.Lines[0] = {"Кабель с бумажной изоляцией", "Алюминий", "95", "50", "100", "нет"};
    const ShortCircuitResult paperResult = CalculateShortCircuit(paper).result;
    const MinimumCurrentResult paperMinimum = CalculateMinimumCurrent(paper, paperResult, {}, 0.4, 0);
    const QString assumptions = LoadHelpTopic(QStringLiteral("help 2.1.hlp"), 38, folders).html;
    for (const QString& figure :
         {plain(paperResult.Iokz) + QStringLiteral(" А"), plain(paperMinimum.minimumCurrent) + QStringLiteral(" А"),
          plain(std::round((1 - paperMinimum.minimumCurrent / paperResult.Iokz) * 100)) + QStringLiteral(" %")})
        EXPECT_TRUE(assumptions.contains(figure)) << figure.toStdString();
    viewer.resize(820, 700);
    SaveSnapshot(&viewer, QStringLiteral("check-help"));
}

}  // namespace
