// The window "Подбор параметров" and its menu item: enabled with "Результаты", answers for the
// calculation that succeeded last and the device confirmed now, names, hints, help and layout.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QTextBrowser>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QRadioButton>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QtCharts/QChart>
#include <QtCharts/QCategoryAxis>
#include <QtCharts/QChartView>
#include <QtCharts/QScatterSeries>
#include <QApplication>
#include <QDeadlineTimer>
#include <QTimer>
#include <QtTest/QTest>
#include <cmath>
#include <memory>
#include <utility>
#include <vector>

#include "CheckUnit.h"
#include "DeviceDefenceUnit.h"
#include "DeviceRules.h"
#include "FuseGate.h"
#include "FormsFixture.h"
#include "HelpViewer.h"
#include "MainUnit.h"
#include "MinimumSelection.h"
#include "QStringPrinter.h"
#include "RegionalSettings.h"
#include "ResultUnit.h"
#include "SelectionUnit.h"
#include "WindowLook.h"

namespace {

using SelectionWindowTest = HelpFormsTest;

void EnterPaperCable(const char* length)
{
    MainForm->FfLineComboBoxes[0]->setEditText(QStringLiteral("95"));
    MainForm->FnLineComboBoxes[0]->setEditText(QStringLiteral("50"));
    MainForm->LengthLineEdits[0]->setText(QString::fromLatin1(length));
}

// Iк1 min of the last calculation as "Проверка" finds it for the device confirmed now.
MinimumCurrentResult MinimumCurrentNow(const NetworkDescription& network)
{
    const CheckDevice device = CheckDeviceFrom(DeviceSettings);
    return CalculateMinimumCurrent(network, SharedResult, MinimumParameters(device), device.time, device.tripCurrent);
}

// The window's texts must be those composed for the answers of this network and device, at the
// current the window follows (Iк1 min unless the program's Iокз is chosen).
void ExpectTextsOf(const NetworkDescription& network)
{
    const SelectionDevice device = SelectionDeviceFrom(
        DeviceSettings, DeviceDefenceForm->TokNRCheckBox->isChecked(), DeviceDefenceForm->KZPPComboBox->currentText());
    const bool minimum = SelectionForm->CurrentBasisComboBox->currentIndex() == 1;
    const CheckDevice checked = CheckDeviceFrom(DeviceSettings);
    const SelectionTexts texts = ComposeSelectionTexts(
        minimum ? SelectParametersAtMinimumCurrent(network, SharedResult, device, MinimumParameters(checked), checked.time)
                : SelectParameters(network, SharedResult, device),
        RegionalSeparators(), minimum);
    EXPECT_EQ(SelectionForm->NoteLabel->text(), texts.note);
    EXPECT_EQ(SelectionForm->IokzLabel->text(), texts.iokz);
    EXPECT_EQ(SelectionForm->TokSRLabel->text(), texts.tokSR);
    EXPECT_EQ(SelectionForm->MarginLabel->text(), texts.margin);
    EXPECT_EQ(SelectionForm->RatingLabel->text(), texts.rating);
    for (int n = 0; n < LineSectionCount; ++n) {
        EXPECT_EQ(SelectionForm->LengthLabels[n]->text(), texts.length[n]) << n;
        EXPECT_EQ(SelectionForm->GreatestLengthLabels[n]->text(), texts.greatestLength[n]) << n;
        EXPECT_EQ(SelectionForm->SectionLabels[n]->text(), texts.section[n]) << n;
    }
}

TEST_F(SelectionWindowTest, MenuItemFollowsReportAndIsEnabledWithResults)
{
    const QList<QAction*> items = MainForm->MainMenu->actions();
    ASSERT_EQ(items.size(), 6);
    EXPECT_EQ(items[1], MainForm->ReportMenu);
    EXPECT_EQ(items[2], MainForm->SelectionMenu);
    EXPECT_EQ(MainForm->SelectionMenu->text(), QStringLiteral("Подбор"));
    EXPECT_EQ(MainForm->SelectionMenu->objectName(), QStringLiteral("SelectionMenu"));

    struct Step {
        const char* name;
        const char* length;
        bool enabled;
    };
    const Step steps[] = {{"at start", nullptr, false}, {"after a success", "100", true},
                          {"after a failure", "-1", false}, {"after another success", "50", true}};
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        if (step.length) {
            EnterPaperCable(step.length);
            MainForm->StartButtonClick();
        }
        EXPECT_EQ(MainForm->SelectionMenu->isEnabled(), step.enabled);
        EXPECT_EQ(MainForm->SelectionMenu->isEnabled(), MainForm->ResultMenu->isEnabled());
    }
}

TEST_F(SelectionWindowTest, ShowsTheLastSuccessfulCalculationAndTheDeviceConfirmedNow)
{
    SelectionForm->Refresh();
    EXPECT_EQ(SelectionForm->NoteLabel->text(),
              QStringLiteral("Выполните расчет тока однофазного короткого замыкания"));
    EXPECT_FALSE(SelectionForm->ChartLineComboBox->isEnabled());

    EnterPaperCable("100");
    MainForm->StartButtonClick();
    const NetworkDescription calculated = MainForm->CurrentNetwork();
    SelectionForm->Refresh();
    EXPECT_EQ(SelectionForm->NoteLabel->text(), QStringLiteral("Аппарат защиты в расчете не определен"));
    ExpectTextsOf(calculated);

    // A device confirmed afterwards, then texts edited and a failed press: the answers stay
    // those of the calculation that succeeded, against the device as confirmed now.
    DeviceDefenceForm->OKDDBitBtnClick();
    MainForm->LengthLineEdits[0]->setText(QStringLiteral("abc"));
    MainForm->StartButtonClick();
    ASSERT_EQ(dialogs.messages.size(), 1);
    SelectionForm->Refresh();
    ExpectTextsOf(calculated);
    EXPECT_TRUE(SelectionForm->NoteLabel->text().isEmpty());
    EXPECT_EQ(SelectionForm->TokSRLabel->text(), QStringLiteral("Iср=176 А"));
    EXPECT_EQ(SelectionForm->LengthLabels[0]->text(),
              QString::fromStdString(FormatGrouped(100, 1, RegionalSeparators())));
    EXPECT_EQ(SelectionForm->GreatestLengthLabels[1]->text(), QStringLiteral("—"));
    SaveSnapshot(SelectionForm, QStringLiteral("selection-breaker"));

    // The reset takes the device away.
    DeviceDefenceForm->BitBtn3Click();
    SelectionForm->Refresh();
    ExpectTextsOf(calculated);
    EXPECT_EQ(SelectionForm->MarginLabel->text(), QStringLiteral("—"));
}

// Opens "Подбор" from the menu and reads the margin the modal window shows, then closes it.
QString MarginShownByTheMenu()
{
    QString margin;
    QTimer watch;
    watch.setInterval(10);
    const QDeadlineTimer deadline(3000);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == SelectionForm) {
            margin = SelectionForm->MarginLabel->text();
            QTest::mouseClick(SelectionForm->CloseButton, Qt::LeftButton);
        } else if (deadline.hasExpired()) {
            ADD_FAILURE() << "the window did not come";
            if (auto* dialog = qobject_cast<QDialog*>(modal))
                dialog->reject();
        }
    });
    watch.start();
    MainForm->SelectionMenu->trigger();
    watch.stop();
    return margin;
}

TEST_F(SelectionWindowTest, MenuOpensTheWindowRecomputedAtEveryShowing)
{
    EnterPaperCable("100");
    MainForm->StartButtonClick();
    DeviceDefenceForm->OKDDBitBtnClick();  // 176 A
    const QString first = MarginShownByTheMenu();
    DeviceDefenceForm->KZAVComboBox->setEditText(QStringLiteral("1.2"));
    DeviceDefenceForm->OKDDBitBtnClick();  // 192 A
    const QString second = MarginShownByTheMenu();
    // Of Iк1 min, the window's default.
    const double minimum = MinimumCurrentNow(MainForm->CurrentNetwork()).minimumCurrent;
    const auto margin = [minimum](double tripCurrent) {
        const double shown = std::floor(minimum / tripCurrent * 100) / 100;
        return QString::fromStdString(FormatGrouped(shown, 2, RegionalSeparators()));
    };
    EXPECT_EQ(first, margin(176));
    EXPECT_EQ(second, margin(192));
    EXPECT_FALSE(SelectionForm->isVisible());
}

// The trial's final circuit: copper PVC 4 mm², 49 m behind the initial transformer, breaker D25
// (Iср 550 A) at Iокз 457 A and Iк1 min 346 A. "Подбор" opens at Iк1 min, and its advice trips at
// the minimum current too; the program's Iокз, chosen in the list, would advise 20 A, which the
// minimum current does not trip. Every caption names the current the answers follow.
TEST_F(SelectionWindowTest, MinimumCurrentIsTheDefaultBasisAndTheCaptionsFollowTheChoice)
{
    MainForm->KindPerformLineComboBoxes[0]->setEditText(QStringLiteral("Кабель с ПВХ изоляцией"));
    MainForm->StuffLineComboBoxes[0]->setEditText(QStringLiteral("Медь"));
    MainForm->FfLineComboBoxes[0]->setEditText(QStringLiteral("4"));
    MainForm->FnLineComboBoxes[0]->setEditText(QStringLiteral("4"));
    MainForm->LengthLineEdits[0]->setText(QStringLiteral("49"));
    MainForm->StartButtonClick();
    DeviceDefenceForm->TokAVnomComboBox->setEditText(QStringLiteral("25"));
    DeviceDefenceForm->TokNRComboBox->setEditText(QStringLiteral("20 (\"D\")"));
    DeviceDefenceForm->OKDDBitBtnClick();
    ASSERT_EQ(DeviceSettings.TokSR, 550);
    ASSERT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join(u'\n').toStdString();

    struct Shown {
        QString basis, currentCaption, current, marginCaption, rating, curve, currentAxis;
        bool operator==(const Shown&) const = default;
    };
    const auto shown = [] {
        QChart* chart = SelectionForm->SelectionChartView->chart();
        return Shown{SelectionForm->CurrentBasisComboBox->currentText(), SelectionForm->CurrentCaptionLabel->text(),
                     SelectionForm->IokzLabel->text(), SelectionForm->MarginCaptionLabel->text(),
                     SelectionForm->RatingLabel->text(), chart->series().value(0)->name(),
                     chart->axes(Qt::Vertical).value(0)->titleText()};
    };
    // Opened from the menu; the list is switched with the keyboard while the window is open.
    std::vector<Shown> seen;
    QTimer watch;
    watch.setInterval(10);
    const QDeadlineTimer deadline(3000);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == SelectionForm) {
            watch.stop();
            QComboBox* basis = SelectionForm->CurrentBasisComboBox;
            seen.push_back(shown());
            basis->setFocus();
            QTest::keyClick(basis, Qt::Key_Up);
            seen.push_back(shown());
            QTest::keyClick(basis, Qt::Key_Down);
            seen.push_back(shown());
            QTest::mouseClick(SelectionForm->CloseButton, Qt::LeftButton);
        } else if (deadline.hasExpired()) {
            watch.stop();
            ADD_FAILURE() << "the window did not come";
            if (auto* dialog = qobject_cast<QDialog*>(modal))
                dialog->reject();
        }
    });
    watch.start();
    MainForm->SelectionMenu->trigger();
    ASSERT_EQ(seen.size(), 3u);
    const Shown minimum{QStringLiteral("по Iк1 min"), QStringLiteral("Наименьший ток КЗ:"), QStringLiteral("Iк1 min=346 А"),
                        QStringLiteral("Запас Iк1 min / Iср:"), QStringLiteral("13 А"), QStringLiteral("Iк1 min"),
                        QStringLiteral("Iк1 min, А")};
    const Shown program{QStringLiteral("по Iокз программы"), QStringLiteral("Ток однофазного КЗ:"),
                        QStringLiteral("Iокз=457 А"), QStringLiteral("Запас Iокз / Iср:"), QStringLiteral("20 А"),
                        QStringLiteral("Iокз"), QStringLiteral("Iокз, А")};
    const auto text = [](const Shown& s) {
        return QStringList{s.basis, s.currentCaption, s.current, s.marginCaption, s.rating, s.curve, s.currentAxis}
            .join(QStringLiteral(" | "))
            .toStdString();
    };
    EXPECT_EQ(text(seen[0]), text(minimum));
    EXPECT_EQ(text(seen[1]), text(program));
    EXPECT_EQ(text(seen[2]), text(minimum));
    for (QLabel* caption : {SelectionForm->CurrentCaptionLabel, SelectionForm->MarginCaptionLabel}) {
        EXPECT_LE(TextWidth(caption), caption->width()) << caption->text().toStdString();
        EXPECT_FALSE(caption->accessibleDescription().isEmpty());
    }

    // The advice at Iк1 min trips at both currents; the advice at Iокз only at the program's.
    const auto tripsWithRating = [](const char* rating) {
        DeviceDefenceForm->TokAVnomComboBox->setEditText(QString::fromLatin1(rating));
        DeviceDefenceForm->OKDDBitBtnClick();
        const bool program = MainForm->StatusDDLabel->text() == QStringLiteral("Срабатывание за нормативное время");
        return std::pair{program, MinimumCurrentNow(MainForm->CurrentNetwork()).trips};
    };
    EXPECT_EQ(tripsWithRating("13"), std::pair(true, true));
    EXPECT_EQ(tripsWithRating("20"), std::pair(true, false));
}

TEST_F(SelectionWindowTest, ChartFollowsTheChosenLine)
{
    DeviceDefenceForm->OKDDBitBtnClick();
    EnterPaperCable("100");
    MainForm->KindPerformLineComboBoxes[2]->setEditText(QStringLiteral("Воздушная"));
    MainForm->StuffLineComboBoxes[2]->setEditText(QStringLiteral("Алюминий"));
    MainForm->FfLineComboBoxes[2]->setEditText(QStringLiteral("50"));
    MainForm->FnLineComboBoxes[2]->setEditText(QStringLiteral("50"));
    MainForm->LengthLineEdits[2]->setText(QStringLiteral("250"));
    MainForm->StartButtonClick();
    SelectionForm->Refresh();

    QComboBox* lines = SelectionForm->ChartLineComboBox;
    ASSERT_EQ(lines->count(), 2);
    EXPECT_EQ(lines->itemText(0), QStringLiteral("Линия 1"));
    EXPECT_EQ(lines->currentText(), QStringLiteral("Линия 3"));  // nearest the fault point
    const auto axisTitle = [] {
        return SelectionForm->SelectionChartView->chart()->axes(Qt::Horizontal).value(0)->titleText();
    };
    EXPECT_EQ(axisTitle(), QStringLiteral("Длина линии 3, м"));
    EXPECT_EQ(SelectionForm->SelectionChartView->chart()->series().size(), 5);
    SaveSnapshot(SelectionForm, QStringLiteral("selection-two-lines"));

    // A section made active afterwards: the automatic choice follows the last active section.
    const auto activate = [](int n) {
        MainForm->KindPerformLineComboBoxes[n]->setEditText(QStringLiteral("Воздушная"));
        MainForm->StuffLineComboBoxes[n]->setEditText(QStringLiteral("Алюминий"));
        MainForm->FfLineComboBoxes[n]->setEditText(QStringLiteral("50"));
        MainForm->FnLineComboBoxes[n]->setEditText(QStringLiteral("50"));
        MainForm->LengthLineEdits[n]->setText(QStringLiteral("20"));
        MainForm->StartButtonClick();
        SelectionForm->Refresh();
    };
    activate(3);
    EXPECT_EQ(lines->currentText(), QStringLiteral("Линия 4"));
    EXPECT_EQ(axisTitle(), QStringLiteral("Длина линии 4, м"));

    // The user's choice is kept at every showing and after a new calculation.
    QTest::keyClick(lines, Qt::Key_Home);
    EXPECT_EQ(lines->currentText(), QStringLiteral("Линия 1"));
    EXPECT_EQ(axisTitle(), QStringLiteral("Длина линии 1, м"));
    SelectionForm->Refresh();
    EXPECT_EQ(lines->currentText(), QStringLiteral("Линия 1"));
    activate(4);
    EXPECT_EQ(lines->currentText(), QStringLiteral("Линия 1"));
}

// The figures of the window and its chart are grouped the same way, the greatest length is
// marked on the chart with the window's own text, and the crossing with Iср is readable.
TEST_F(SelectionWindowTest, ChartMarksTheGreatestLengthAndGroupsItsFigures)
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    DeviceDefenceForm->OKDDBitBtnClick();  // 176 A
    EnterPaperCable("100");
    MainForm->StartButtonClick();
    SelectionForm->CurrentBasisComboBox->setCurrentIndex(0);  // the program's Iокз
    SelectionForm->Refresh();
    const QString greatest = SelectionForm->GreatestLengthLabels[0]->text();
    EXPECT_EQ(greatest, QStringLiteral("1\u00A0308,5"));
    EXPECT_EQ(SelectionForm->IokzLabel->text(), QStringLiteral("Iокз=1\u00A0527 А"));

    QChart* chart = SelectionForm->SelectionChartView->chart();
    const auto* mark = [&]() -> const QScatterSeries* {
        for (QAbstractSeries* series : chart->series())
            if (series->name() == QStringLiteral("Наибольшая длина"))
                return qobject_cast<QScatterSeries*>(series);
        return nullptr;
    }();
    ASSERT_NE(mark, nullptr);
    EXPECT_TRUE(mark->pointLabelsVisible());
    EXPECT_EQ(mark->pointLabelsFormat(), greatest + QStringLiteral(" м"));
    ASSERT_EQ(mark->count(), 1);
    EXPECT_EQ(mark->at(0), QPointF(1308.5, 0));  // on the length axis, below the crossing

    auto* currents = qobject_cast<QCategoryAxis*>(chart->axes(Qt::Vertical).value(0));
    auto* lengths = qobject_cast<QCategoryAxis*>(chart->axes(Qt::Horizontal).value(0));
    ASSERT_TRUE(currents && lengths);
    EXPECT_LE(currents->max(), 5 * 176.0);  // not 0 to Iокз at 0 m, about 4 000 A
    EXPECT_TRUE(lengths->categoriesLabels().contains(QStringLiteral("1\u00A0000")))
        << lengths->categoriesLabels().join(u'|').toStdString();
    SaveSnapshot(SelectionForm, QStringLiteral("selection-russian"));
    QLocale::setDefault(saved);
}

// A fuse whose table row lies below its gG gate: a warning line in this window and on the result
// window's device tab, the verdict unchanged; gone after the reset.
TEST_F(SelectionWindowTest, FuseBelowItsGateIsWarnedAbout)
{
    EnterPaperCable("100");
    MainForm->StartButtonClick();
    DeviceDefenceForm->PPRadioButton->click();
    DeviceDefenceForm->TokPPComboBox->setEditText(QStringLiteral("1000"));
    DeviceDefenceForm->OKDDBitBtnClick();
    ASSERT_TRUE(dialogs.messages.isEmpty());
    SelectionForm->Refresh();
    const QString warning = FuseGateWarning(DeviceSettings, RegionalSeparators());
    EXPECT_TRUE(warning.contains(QStringLiteral("ГОСТ Р МЭК 60269-1")));
    EXPECT_EQ(SelectionForm->FuseWarningLabel->text(), warning);
    EXPECT_EQ(ResultForm->FuseWarningLabel->text(), warning);
    EXPECT_TRUE(FitsWrapped(SelectionForm->FuseWarningLabel));
    EXPECT_TRUE(FitsWrapped(ResultForm->FuseWarningLabel));
    EXPECT_EQ(ResultForm->StatusDDLabel->text(), JudgeDevice(SharedResult.Iokz, DeviceSettings).status);
    SaveSnapshot(SelectionForm, QStringLiteral("selection-fuse-warning"));
    ResultForm->ResultPageControl->setCurrentWidget(ResultForm->DefenceTabSheet);
    SaveSnapshot(ResultForm, QStringLiteral("result-fuse-warning"));

    DeviceDefenceForm->BitBtn3Click();
    SelectionForm->Refresh();
    EXPECT_TRUE(SelectionForm->FuseWarningLabel->text().isEmpty());
    EXPECT_TRUE(ResultForm->FuseWarningLabel->text().isEmpty());
}

TEST_F(SelectionWindowTest, EveryControlIsNamedHintedAndHelpedAndNoTextIsClipped)
{
    EXPECT_EQ(SelectionForm->windowTitle(), QStringLiteral("Подбор параметров"));
    EXPECT_EQ(SelectionForm->minimumSize(), SelectionForm->maximumSize());
    EXPECT_EQ(HelpContextFor(SelectionForm->ChartLineComboBox), 37);
    EXPECT_EQ(HelpFileFor(SelectionForm), QStringLiteral("help 2.0.hlp"));

    // The widest answers the window can get.
    DeviceDefenceForm->TokNRCheckBox->setChecked(true);
    DeviceDefenceForm->TokNRComboBox->setEditText(QStringLiteral("0.5"));
    DeviceDefenceForm->OKDDBitBtnClick();
    for (int n = 0; n < LineSectionCount; ++n) {
        MainForm->FfLineComboBoxes[n]->setEditText(QStringLiteral("240"));
        MainForm->FnLineComboBoxes[n]->setEditText(QStringLiteral("185"));
        MainForm->LengthLineEdits[n]->setText(QStringLiteral("123456.7"));
    }
    MainForm->StartButtonClick();
    ASSERT_TRUE(dialogs.messages.isEmpty());
    SelectionForm->Refresh();
    SaveSnapshot(SelectionForm, QStringLiteral("selection-wide"));

    for (QWidget* control : SelectionForm->findChildren<QWidget*>()) {
        const bool named = !control->objectName().isEmpty();
        if (named && !control->objectName().startsWith(QLatin1String("qt_"))) {
            EXPECT_FALSE(control->accessibleDescription().isEmpty()) << control->objectName().toStdString();
        }
    }
    EXPECT_FALSE(SelectionForm->SelectionChartView->accessibleName().isEmpty());
    const QList<QWidget*> controls = {SelectionForm->IokzLabel, SelectionForm->TokSRLabel, SelectionForm->MarginLabel,
                                      SelectionForm->RatingLabel, SelectionForm->LegendLabel,
                                      SelectionForm->FuseWarningLabel, SelectionForm->ChartLineComboBox,
                                      SelectionForm->SelectionChartView, SelectionForm->CloseButton,
                                      SelectionForm->StatusBar1};
    for (QWidget* control : controls) {
        EXPECT_FALSE(control->objectName().isEmpty());
        EXPECT_FALSE(control->accessibleDescription().isEmpty()) << control->objectName().toStdString();
    }
    for (const QLabel* label : SelectionForm->findChildren<QLabel*>())
        EXPECT_LE(TextWidth(label), label->width()) << label->text().toStdString();

    // The longest answers of the columns, and a huge root in kilometres beside them.
    const QList<std::pair<QLabel*, QString>> widest = {
        {SelectionForm->LengthLabels[0], QStringLiteral("999\u00A0999\u00A0999,9")},
        {SelectionForm->GreatestLengthLabels[0], QStringLiteral("999\u00A0999\u00A0999\u00A0999\u00A0999 км")},
        {SelectionForm->GreatestLengthLabels[1], QStringLiteral("более 10¹⁵ км")},
        {SelectionForm->SectionLabels[0], QStringLiteral("любое")},
        {SelectionForm->MarginLabel, QStringLiteral("999\u00A0999\u00A0999\u00A0999\u00A0999,99")},
        {SelectionForm->RatingLabel, QStringLiteral("999\u00A0999\u00A0999\u00A0999\u00A0999,9 А")},
        {SelectionForm->TokSRLabel, QStringLiteral("Iср=999\u00A0999\u00A0999\u00A0999\u00A0999 А")},
    };
    for (const auto& [label, text] : widest) {
        label->setText(text);
        EXPECT_LE(TextWidth(label), label->width()) << text.toStdString();
    }
    SaveSnapshot(SelectionForm, QStringLiteral("selection-widest"));
}

}  // namespace

namespace {

// The topic of the window is reached from the contents and shows its picture, which travels
// beside the help files.
TEST(SelectionHelpTest, TopicIsInTheContentsAndShowsThePictureOfTheWindow)
{
    const QStringList folders{QDir::currentPath()};
    const HelpPage contents = LoadHelpTopic(QStringLiteral("help 2.0.hlp"), 1, folders);
    EXPECT_TRUE(contents.html.contains(QLatin1String("\"#topic-37\"")));
    THelpViewerForm viewer;
    viewer.SetDirectories(folders);
    viewer.ShowTopic(QStringLiteral("help 2.0.hlp"), 37);
    ASSERT_TRUE(viewer.CurrentTopicFound());
    EXPECT_EQ(viewer.windowTitle().section(QStringLiteral(" — "), 1), QStringLiteral("Подбор параметров"));
    const QVariant picture =
        viewer.TopicBrowser->loadResource(QTextDocument::ImageResource, QUrl(QStringLiteral("selection.png")));
    EXPECT_FALSE(QImage::fromData(picture.toByteArray()).isNull());
    viewer.resize(820, 700);
    SaveSnapshot(&viewer, QStringLiteral("selection-help"));
}

}  // namespace
