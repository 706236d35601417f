// Single-line fields in every window: what a pasted text with line breaks becomes.
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "AboutProgramUnit.h"
#include "AskNumberUnit.h"
#include "DeleteAllReportUnit.h"
#include "DeviceDefenceUnit.h"
#include "FormsFixture.h"
#include "InputFields.h"
#include "MainUnit.h"
#include "QStringPrinter.h"
#include "ReportUnit.h"
#include "ResultUnit.h"
#include "SelectionUnit.h"

namespace {

TEST(JoinLinesTest, DropsLineBreaksWithTheirBlanksAndKeepsEveryLine)
{
    const struct {
        const char* name;
        QString text, joined;
    } cases[] = {
        {"spreadsheet cell", "150\n", "150"},
        {"Windows line end", "150\r\n", "150"},
        {"old Mac line end", "150\r", "150"},
        {"blanks before the break", "150 \t\r\n", "150"},
        {"empty lines around", "\r\n\r\n 150 \r\n\r\n", "150"},
        {"two cells of a column", "150\r\n200\r\n", "150 200"},
        {"blank lines between", "К-1\n \n К-2", "К-1 К-2"},
        {"Unicode line separator", QString("1,5") + QChar(0x2028), "1,5"},
        {"paragraph separator", QString("1,5") + QChar(0x2029) + "2", "1,5 2"},
        {"only line breaks", "\n\r\n", ""},
        // Without a line break nothing changes, blanks and tabs included.
        {"leading blank", " 12", " 12"},
        {"trailing blank", "12 ", "12 "},
        {"cells of a row", "150\t200", "150\t200"},
        {"blank inside", "Кабель с ПВХ изоляцией", "Кабель с ПВХ изоляцией"},
        // The text before the first break keeps its leading blanks: they may be the user's own.
        {"leading blank kept", " 12\n", " 12"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(JoinLines(c.text), c.joined);
    }
}

TEST(JoinLinesTest, CursorFollowsTheText)
{
    int cursor = 4;   // after "150\n"
    EXPECT_EQ(JoinLines("150\n", &cursor), QString("150"));
    EXPECT_EQ(cursor, 3);
    cursor = 4;       // after "7\n" pasted into "1250" after "12"
    EXPECT_EQ(JoinLines("127\n50", &cursor), QString("127 50"));
    EXPECT_EQ(cursor, 3);
    cursor = 2;
    EXPECT_EQ(JoinLines("12", &cursor), QString("12"));
    EXPECT_EQ(cursor, 2);
}

using SingleLineFieldsTest = FormsTest;

// Every field that takes typing, in every window, keeps a pasted cell to one line.
TEST_F(SingleLineFieldsTest, EveryEditableFieldOfEveryWindowTakesNoLineBreak)
{
    QApplication::clipboard()->setText(QStringLiteral(" 63 \r\n"));
    int fields = 0;
    for (QWidget* window : std::initializer_list<QWidget*>{MainForm, ResultForm, DeviceDefenceForm, AskNumberForm,
                                                           ReportForm, DeleteAllReportForm, AboutProgramForm,
                                                           SelectionForm}) {
        window->show();
        QApplication::setActiveWindow(window);
        for (QLineEdit* edit : window->findChildren<QLineEdit*>()) {
            if (edit->isReadOnly() || !edit->isVisibleTo(window))
                continue;
            SCOPED_TRACE(edit->objectName().isEmpty() ? edit->parent()->objectName().toStdString()
                                                      : edit->objectName().toStdString());
            QWidget* field = edit;
            if (auto* list = qobject_cast<QComboBox*>(edit->parentWidget()))
                field = list;
            field->setEnabled(true);
            field->setFocus();
            edit->selectAll();
            QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
            EXPECT_EQ(edit->text(), QStringLiteral(" 63"));
            ++fields;
        }
        window->hide();
    }
    // The main window's 39, the device window's 7 and the point name at least.
    EXPECT_GE(fields, 47);
}

// The point name pasted from a list of names keeps to one line and is accepted as typed.
TEST_F(SingleLineFieldsTest, PastedPointNameIsOneLine)
{
    AskNumberForm->show();
    QApplication::setActiveWindow(AskNumberForm);
    AskNumberForm->NumberEdit->setFocus();
    QApplication::clipboard()->setText(QStringLiteral("К-1\r\n"));
    QTest::keyClick(AskNumberForm->NumberEdit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(AskNumberForm->NumberEdit->text(), QStringLiteral("К-1"));
    AskNumberForm->hide();
}

// A refused name leaves the keyboard in the name field with the name selected.
TEST_F(SingleLineFieldsTest, RefusedPointNameTakesTheFocus)
{
    AskNumberForm->show();
    QApplication::setActiveWindow(AskNumberForm);
    AskNumberForm->NumberEdit->setText(QStringLiteral(" К-1"));
    QTest::mouseClick(AskNumberForm->OKButton, Qt::LeftButton);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(QApplication::focusWidget(), AskNumberForm->NumberEdit);
    EXPECT_EQ(AskNumberForm->NumberEdit->selectedText(), QStringLiteral(" К-1"));
    AskNumberForm->hide();
}

}  // namespace
