// F1 and the help file rule: which topic of which file a key press asks for.
#include <QDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest/QTest>
#include <gtest/gtest.h>

#include "ContextHelp.h"
#include "FakeDialogs.h"

namespace {

// A window like the program's: a group with its own number, a field with its own number
// inside it, and a button without one.
struct SampleWindow {
    QDialog window;
    QGroupBox* group = new QGroupBox(&window);
    QLineEdit* numbered = new QLineEdit(group);
    QLineEdit* unnumbered = new QLineEdit(group);
    QPushButton* button = new QPushButton(&window);

    SampleWindow(int windowContext, int groupContext, int fieldContext)
    {
        SetHelpContext(&window, windowContext);
        SetHelpContext(group, groupContext);
        SetHelpContext(numbered, fieldContext);
    }
};

class ContextHelpTest : public ::testing::Test {
protected:
    void SetUp() override { InstallContextHelp(); }
    void TearDown() override { SetDefaultHelpFile(QString()); }

    FakeDialogs dialogs;
};

TEST_F(ContextHelpTest, NearestNumberOutwardFromTheControl)
{
    struct Case {
        const char* name;
        int windowContext, groupContext, fieldContext;
        int numbered, unnumbered, button;  // expected numbers
    };
    const Case cases[] = {
        {"every level numbered", 1, 31, 32, 32, 31, 1},
        {"only the window", 36, 0, 0, 36, 36, 36},
        {"field and window", 1, 0, 33, 33, 1, 1},
        {"nothing numbered", 0, 0, 0, 0, 0, 0},
        {"only the group", 0, 34, 0, 34, 34, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SampleWindow sample(c.windowContext, c.groupContext, c.fieldContext);
        EXPECT_EQ(HelpContextFor(sample.numbered), c.numbered);
        EXPECT_EQ(HelpContextFor(sample.unnumbered), c.unnumbered);
        EXPECT_EQ(HelpContextFor(sample.button), c.button);
        EXPECT_EQ(HelpWindowFor(sample.numbered), &sample.window);
    }
}

TEST_F(ContextHelpTest, AnotherWindowDoesNotLendItsNumber)
{
    SampleWindow owner(1, 0, 0);
    QDialog child(&owner.window);  // a window of its own, although owned
    QLineEdit field(&child);
    EXPECT_EQ(HelpContextFor(&field), 0);
    EXPECT_EQ(HelpWindowFor(&field), &child);
}

TEST_F(ContextHelpTest, PopUpListCountsAsPartOfItsControl)
{
    SampleWindow sample(1, 0, 31);
    QWidget popup(sample.numbered, Qt::Popup);
    QLineEdit inside(&popup);
    EXPECT_EQ(HelpContextFor(&inside), 31);
    EXPECT_EQ(HelpWindowFor(&inside), &sample.window);
}

TEST_F(ContextHelpTest, WindowFileElseDefaultElseNothing)
{
    struct Case {
        const char* name;
        QString windowFile, defaultFile, expected;  // expected empty: nothing asked
    };
    const QString v21 = QStringLiteral("help 2.1.hlp"), v20 = QStringLiteral("help 2.0.hlp");
    const Case cases[] = {
        {"own file only", v21, QString(), v21},
        {"own file beats the default", v21, v20, v21},
        {"default for a window without one", QString(), v20, v20},
        {"neither", QString(), QString(), QString()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SampleWindow sample(1, 0, 32);
        SetHelpFile(&sample.window, c.windowFile);
        SetDefaultHelpFile(c.defaultFile);
        dialogs.helpRequests.clear();

        QTest::keyClick(sample.numbered, Qt::Key_F1);
        RequestHelp(&sample.window, 1);

        if (c.expected.isEmpty()) {
            EXPECT_TRUE(dialogs.helpRequests.isEmpty());
        } else {
            const QList<QPair<QString, int>> expected{{c.expected, 32}, {c.expected, 1}};
            EXPECT_EQ(dialogs.helpRequests, expected);
        }
    }
}

TEST_F(ContextHelpTest, OnlyPlainF1AsksAndOnlyOnce)
{
    InstallContextHelp();  // a second installation must not double the requests
    SampleWindow sample(1, 0, 32);
    SetHelpFile(&sample.window, QStringLiteral("help 2.1.hlp"));
    struct Case {
        const char* name;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        qsizetype requests;
    };
    const Case cases[] = {
        {"F1", Qt::Key_F1, Qt::NoModifier, 1},
        {"Shift+F1", Qt::Key_F1, Qt::ShiftModifier, 0},
        {"Ctrl+F1", Qt::Key_F1, Qt::ControlModifier, 0},
        {"F2", Qt::Key_F2, Qt::NoModifier, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        dialogs.helpRequests.clear();
        QTest::keyClick(sample.numbered, c.key, c.modifiers);
        EXPECT_EQ(dialogs.helpRequests.size(), c.requests);
    }
}

}  // namespace
