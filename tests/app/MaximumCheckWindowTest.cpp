// The window "Проверка по максимальному току КЗ" driven as a user drives it: opened from the menu,
// the capacity typed, a bad value refused, Sк shared with the minimum check, defaults restored.
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest/QTest>

#include "CheckUnit.h"
#include "FormsFixture.h"
#include "MainUnit.h"
#include "MaximumCheckUnit.h"
#include "QStringPrinter.h"
#include "RegionalSettings.h"
#include "WindowLook.h"

namespace {

using MaximumCheckWindowTest = FormsTest;

QString Decimal(const char* digits)
{
    return QString::fromUtf8(digits).replace(u'.', QString::fromStdString(RegionalSeparators().decimal));
}

void Type(QWidget* field, const QString& text)
{
    field->setFocus();
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, text);
}

TEST_F(MaximumCheckWindowTest, CapacityAgainstTheCurrentsAtTheDevice)
{
    // Two parallel copper 185 mm² cables of 20 m from 1000 kV·A to a board, a final circuit after it.
    MainForm->TransPowerComboBox->setEditText(QStringLiteral("1000"));
    const char* lines[2][4] = {{"185", "20", "2"}, {"2.5", "20", "нет"}};
    for (int n = 0; n < 2; ++n) {
        MainForm->KindPerformLineComboBoxes[n]->setEditText(QStringLiteral("Кабель с ПВХ изоляцией"));
        MainForm->StuffLineComboBoxes[n]->setEditText(QStringLiteral("Медь"));
        MainForm->FfLineComboBoxes[n]->setEditText(QString::fromUtf8(lines[n][0]));
        MainForm->FnLineComboBoxes[n]->setEditText(QString::fromUtf8(lines[n][0]));
        MainForm->LengthLineEdits[n]->setText(QString::fromUtf8(lines[n][1]));
        MainForm->QuanParLineComboBoxes[n]->setEditText(QString::fromUtf8(lines[n][2]));
    }
    MainForm->StartButtonClick();
    TMaximumCheckForm* w = MaximumCheckForm;
    bool acted = false;
    WhenModalShows([&](QWidget* modal) {
        ASSERT_EQ(modal, w);
        acted = true;
        EXPECT_EQ(w->PlaceLabel->text(), QStringLiteral("начало линии 2"));
        EXPECT_EQ(w->GostLabels[0]->text(), Decimal("23.53 кА"));
        EXPECT_EQ(w->NoteLabel->text(), QStringLiteral("Задайте отключающую способность аппарата защиты"));
        EXPECT_EQ(w->SmallestLabel->text(), QStringLiteral("нет в списке"));  // 25.47 kA > 25 kA

        Type(w->CapacityComboBox->lineEdit(), QStringLiteral("4.5"));
        QTest::keyClick(w->CapacityComboBox->lineEdit(), Qt::Key_Return);  // Enter recalculates
        EXPECT_EQ(w->VerdictLabel->text(), Decimal("Отключающая способность недостаточна: Iк max = 25.47 кА > "
                                                   "Icu = 4.5 кА"));
        EXPECT_EQ(w->VerdictLabel->palette().color(QPalette::WindowText), QColor(Qt::red));
        SaveSnapshot(w, QStringLiteral("maximum-check-short"));
        for (const QLabel* label : w->findChildren<QLabel*>()) {
            if (!label->wordWrap()) {
                EXPECT_LE(TextWidth(label), label->width()) << label->text().toStdString();
            }
        }

        // A bad Sк: its message, the focus there, nothing changed.
        Type(w->NetworkPowerEdit, QStringLiteral("x"));
        w->CMaxComboBox->setFocus();
        QTest::mouseClick(w->ApplyButton, Qt::LeftButton);
        ASSERT_EQ(dialogs.messages.size(), 1);
        EXPECT_TRUE(dialogs.messages[0].startsWith(QStringLiteral("Неверная мощность короткого замыкания")));
        EXPECT_EQ(w->focusWidget(), w->NetworkPowerEdit);
        EXPECT_TRUE(w->IecLabels[0]->text() == Decimal("25.47 кА") && CheckForm->Parameters.networkPower == 0);

        // Sк 200 MV·A, c_max 1.10 and a 25 kA breaker: enough, and shared with the minimum check.
        Type(w->NetworkPowerEdit, QStringLiteral("200"));
        w->CMaxComboBox->setCurrentIndex(1);
        Type(w->CapacityComboBox->lineEdit(), QStringLiteral("25"));
        QTest::mouseClick(w->ApplyButton, Qt::LeftButton);
        EXPECT_EQ(CheckForm->Parameters.networkPower, 200);
        EXPECT_EQ(w->IecLabels[0]->text(), Decimal("23.55 кА"));
        EXPECT_EQ(w->VerdictLabel->text(), QStringLiteral("Отключающая способность достаточна"));
        EXPECT_EQ(w->MakingLabel->text(), Decimal("Icm=2.1·25 кА = 52.50 кА"));
        EXPECT_EQ(w->SmallestLabel->text(), QStringLiteral("25 кА"));

        // At the busbar, then the defaults: the place, c_max and Sк go back, the capacity stays.
        w->PlaceComboBox->setCurrentIndex(1);
        QTest::mouseClick(w->ApplyButton, Qt::LeftButton);
        EXPECT_EQ(w->PlaceLabel->text(), QStringLiteral("шины 0,4 кВ трансформатора"));
        QTest::mouseClick(w->DefaultsButton, Qt::LeftButton);
        EXPECT_EQ(w->PlaceLabel->text(), QStringLiteral("начало линии 2"));
        EXPECT_TRUE(w->NetworkPowerEdit->text().isEmpty() && CheckForm->Parameters.networkPower == 0);
        EXPECT_EQ(w->CapacityComboBox->currentText(), QStringLiteral("25"));
        QTest::mouseClick(w->CloseButton, Qt::LeftButton);
    });
    MainForm->MaximumCheckMenu->trigger();
    EXPECT_TRUE(acted);
    EXPECT_EQ(dialogs.messages.size(), 1);

    for (QWidget* control : w->findChildren<QWidget*>()) {
        const QString name = control->objectName();
        if (!name.isEmpty() && !name.startsWith(QLatin1String("qt_"))) {
            EXPECT_FALSE(control->accessibleDescription().isEmpty()) << name.toStdString();
        }
    }
}

}  // namespace
