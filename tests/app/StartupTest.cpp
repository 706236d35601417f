#include <QLabel>
#include <QPushButton>

#include "AboutProgramUnit.h"
#include "AskNumberUnit.h"
#include "DeleteAllReportUnit.h"
#include "DeviceDefenceUnit.h"
#include "FormsFixture.h"
#include "MainUnit.h"
#include "ProjectUnit.h"
#include "RecalcUnit.h"
#include "ReportUnit.h"
#include "ResultUnit.h"
#include "SelectionUnit.h"

using StartupTest = FormsTest;

TEST_F(StartupTest, MainWindowHasItsCaption)
{
    ASSERT_NE(MainForm, nullptr);
    EXPECT_EQ(MainForm->windowTitle(), QStringLiteral("Зорант 2.1"));
    EXPECT_EQ(MainForm->IokzLabel->text(), QStringLiteral("Введите исходные данные для расчета"));
}

// A focused push button takes Enter unless told otherwise, so every window is checked: Enter
// belongs to the window's one default button, or to no button at all.
TEST_F(StartupTest, OnlyTheDefaultButtonOfEachWindowTakesEnter)
{
    struct Case {
        QWidget* window;
        const char* defaultButton;   // nullptr: Enter presses no button
    };
    const Case cases[] = {
        {MainForm, nullptr},           {ResultForm, "BitBtn1"},
        {DeviceDefenceForm, nullptr},  {AskNumberForm, nullptr},
        {ReportForm, "CloseReportBitBtn"}, {DeleteAllReportForm, "OKBitBtn"},
        {AboutProgramForm, "BitBtn1"},  {SelectionForm, "CloseButton"},
        {ProjectForm, "OKButton"},      {RecalcForm, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.window->objectName().toStdString());
        const QList<QPushButton*> buttons = c.window->findChildren<QPushButton*>();
        EXPECT_FALSE(buttons.isEmpty());
        int defaults = 0;
        for (const QPushButton* button : buttons) {
            SCOPED_TRACE(button->objectName().toStdString());
            if (c.defaultButton != nullptr && button->objectName() == QLatin1String(c.defaultButton)) {
                EXPECT_TRUE(button->isDefault());
                ++defaults;
            } else {
                EXPECT_FALSE(button->isDefault());
                EXPECT_FALSE(button->autoDefault());
            }
        }
        EXPECT_EQ(defaults, c.defaultButton != nullptr ? 1 : 0);
    }
}
