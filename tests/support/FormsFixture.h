// Test fixture that creates the program's seven windows for each test and destroys them after,
// with the message boxes replaced by a recording fake.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QTimer>
#include <functional>
#include <memory>

#include "ContextHelp.h"
#include "FakeDialogs.h"
#include "Forms.h"

class FormsTest : public ::testing::Test {
protected:
    void SetUp() override { CreateForms(); }
    void TearDown() override
    {
        // A watch that outlived its test would act on the next test's window.
        if (modalWatch)
            modalWatch->stop();
        modalWatch.reset();
        DestroyForms();
    }

    // Acts once on the next modal window; one still open after the deadline is rejected and the
    // test fails, so a broken test ends instead of hanging.
    void WhenModalShows(std::function<void(QWidget*)> action)
    {
        modalWatch = std::make_unique<QTimer>();
        modalWatch->setInterval(10);
        auto deadline = std::make_shared<QDeadlineTimer>(3000);
        auto acted = std::make_shared<bool>(false);
        QObject::connect(modalWatch.get(), &QTimer::timeout, [this, action, deadline, acted] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal != nullptr && !*acted) {
                *acted = true;
                action(modal);
            } else if (modal == nullptr && *acted) {
                modalWatch->stop();
            } else if (deadline->hasExpired()) {
                modalWatch->stop();
                ADD_FAILURE() << "the modal window did not come or did not close";
                if (auto* dialog = qobject_cast<QDialog*>(modal))
                    dialog->reject();
            }
        });
        modalWatch->start();
    }

    FakeDialogs dialogs;
    std::unique_ptr<QTimer> modalWatch;
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
