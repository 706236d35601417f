// Test fixture that creates the program's seven windows for each test and destroys them after,
// with the message boxes replaced by a recording fake.
#pragma once

#include <gtest/gtest.h>

#include "ContextHelp.h"
#include "FakeDialogs.h"
#include "Forms.h"

class FormsTest : public ::testing::Test {
protected:
    void SetUp() override { CreateForms(); }
    void TearDown() override { DestroyForms(); }

    FakeDialogs dialogs;
};

// The same, with F1 answered as in the program; the default help file is forgotten after each test.
class HelpFormsTest : public FormsTest {
protected:
    void SetUp() override
    {
        FormsTest::SetUp();
        InstallContextHelp();
    }
    void TearDown() override
    {
        SetDefaultHelpFile(QString());
        FormsTest::TearDown();
    }
};
