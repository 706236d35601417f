// The About window: what it says, that it closes with Enter, fits its texts and has no help.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest/QTest>

#include "AboutProgramUnit.h"
#include "ContextHelp.h"
#include "FormsFixture.h"
#include "WindowLook.h"

namespace {

using AboutWindowTest = HelpFormsTest;

TEST_F(AboutWindowTest, NoInventedContactsAndEnterCloses)
{
    for (QLineEdit* field : {AboutProgramForm->HttpEdit, AboutProgramForm->EmailEdit, AboutProgramForm->PhoneEdit}) {
        EXPECT_EQ(field->text(), QStringLiteral("не указан"));
        EXPECT_TRUE(field->isReadOnly());
    }
    AboutProgramForm->show();
    QTest::keyClick(AboutProgramForm->VersionEdit, Qt::Key_Return);
    EXPECT_FALSE(AboutProgramForm->isVisible());
    EXPECT_EQ(AboutProgramForm->result(), QDialog::Accepted);
}

// Every opening starts on "Закрыть", with no field's text selected, even after the user has
// been in a field.
TEST_F(AboutWindowTest, OpensOnTheCloseButtonWithNothingSelected)
{
    for (int opening = 0; opening < 2; ++opening) {
        SCOPED_TRACE(opening);
        AboutProgramForm->show();
        QApplication::setActiveWindow(AboutProgramForm);
        EXPECT_EQ(AboutProgramForm->focusWidget(), AboutProgramForm->BitBtn1);
        for (const QLineEdit* field : AboutProgramForm->findChildren<QLineEdit*>())
            EXPECT_FALSE(field->hasSelectedText()) << field->objectName().toStdString();
        QTest::mouseClick(AboutProgramForm->VersionEdit, Qt::LeftButton);
        QTest::keyClick(AboutProgramForm->VersionEdit, Qt::Key_A, Qt::ControlModifier);
        ASSERT_TRUE(AboutProgramForm->VersionEdit->hasSelectedText());
        AboutProgramForm->hide();
    }
}

TEST_F(AboutWindowTest, F1DoesNothing)
{
    // Even with an application default file, a window without context numbers asks for nothing.
    SetDefaultHelpFile(QStringLiteral("help 2.0.hlp"));
    AboutProgramForm->show();
    for (QWidget* widget : {static_cast<QWidget*>(AboutProgramForm->BitBtn1),
                            static_cast<QWidget*>(AboutProgramForm->PhoneEdit), static_cast<QWidget*>(AboutProgramForm)})
        QTest::keyClick(widget, Qt::Key_F1);
    EXPECT_TRUE(dialogs.helpRequests.isEmpty());
    AboutProgramForm->hide();
}

TEST_F(AboutWindowTest, EverythingFitsTheFirstSize)
{
    AboutProgramForm->show();
    EXPECT_EQ(AboutProgramForm->size(), QSize(370, 239));
    const QSize needed = AboutProgramForm->minimumSizeHint();
    EXPECT_LE(needed.width(), 370);
    EXPECT_LE(needed.height(), 239);
    EXPECT_TRUE(AboutProgramForm->rect().contains(AboutProgramForm->BitBtn1->geometry()));
    for (const QLineEdit* field : AboutProgramForm->findChildren<QLineEdit*>()) {
        SCOPED_TRACE(field->objectName().toStdString());
        EXPECT_LE(QFontMetrics(field->font()).horizontalAdvance(field->text()), field->width());
        EXPECT_GE(field->height(), QFontMetrics(field->font()).height());
    }
    SaveSnapshot(AboutProgramForm, QStringLiteral("about-window"));
    AboutProgramForm->hide();
}

}  // namespace
