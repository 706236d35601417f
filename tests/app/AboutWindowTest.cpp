// The About window: what it says, that it closes with Enter, fits its texts and has no help.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest/QTest>

#include "AboutProgramUnit.h"
#include "ContextHelp.h"
#include "FormsFixture.h"
#include "WindowLook.h"

namespace {

class AboutWindowTest : public FormsTest {
protected:
    void SetUp() override
    {
        MapWindowsFonts();
        FormsTest::SetUp();
        InstallContextHelp();
    }
    void TearDown() override
    {
        SetDefaultHelpFile(QString());
        FormsTest::TearDown();
    }
};

TEST_F(AboutWindowTest, RowsShowVersionAndNoInventedContacts)
{
    EXPECT_EQ(AboutProgramForm->windowTitle(), QStringLiteral("О программе..."));
    EXPECT_EQ(AboutProgramForm->ProgramNameLabel->text(), QStringLiteral("Зорант"));
    const std::pair<QString, QLineEdit*> rows[] = {
        {QStringLiteral("2.1"), AboutProgramForm->VersionEdit},
        {QStringLiteral("Проект «Зорант»"), AboutProgramForm->DeveloperEdit},
        {QStringLiteral("не указан"), AboutProgramForm->HttpEdit},
        {QStringLiteral("не указан"), AboutProgramForm->EmailEdit},
        {QStringLiteral("не указан"), AboutProgramForm->PhoneEdit},
    };
    for (const auto& [text, field] : rows) {
        SCOPED_TRACE(field->objectName().toStdString());
        EXPECT_EQ(field->text(), text);
        EXPECT_TRUE(field->isReadOnly());
        EXPECT_FALSE(field->hasFrame());
    }
    QStringList captions;
    for (const QLabel* label : AboutProgramForm->findChildren<QLabel*>())
        captions << label->text();
    for (const char* caption : {"Версия", "Разработчик", "http://", "e-mail", "тел."})
        EXPECT_TRUE(captions.contains(QString::fromUtf8(caption))) << caption;
}

TEST_F(AboutWindowTest, EnterClosesTheWindow)
{
    AboutProgramForm->show();
    EXPECT_TRUE(AboutProgramForm->BitBtn1->isDefault());
    QTest::keyClick(AboutProgramForm->VersionEdit, Qt::Key_Return);
    EXPECT_FALSE(AboutProgramForm->isVisible());
    EXPECT_EQ(AboutProgramForm->result(), QDialog::Accepted);
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
