#include <QLabel>

#include "FormsFixture.h"
#include "MainUnit.h"
#include "ResultUnit.h"

using StartupTest = FormsTest;

TEST_F(StartupTest, MainWindowHasItsCaption)
{
    ASSERT_NE(MainForm, nullptr);
    EXPECT_EQ(MainForm->windowTitle(), QStringLiteral("Зорант 2.1"));
    EXPECT_EQ(MainForm->IokzLabel->text(), QStringLiteral("Введите исходные данные для расчета"));
}
