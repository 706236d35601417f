// Keeps a command that writes a file and opens a program from running twice on one intent: a
// double click arrives as two clicks, and a command that lets events through while it works
// could be started again from inside itself.
#pragma once

#include <QAbstractButton>
#include <QEvent>
#include <QObject>
#include <QScopeGuard>
#include <utility>

class SinglePress final : public QObject {
public:
    // Swallows the second click of a double click on `button`: the second press comes as a press
    // and a double click, and the release after them would make a second click.
    explicit SinglePress(QAbstractButton* button) : QObject(button), button_(button)
    {
        button->installEventFilter(this);
    }

    // Runs `command` unless it is running already.
    template <typename Command>
    void Run(Command&& command)
    {
        if (running_)
            return;
        running_ = true;
        const auto done = qScopeGuard([this] { running_ = false; });
        command();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::MouseButtonDblClick) {
            afterDoubleClick_ = true;
            return true;
        }
        if (event->type() == QEvent::MouseButtonRelease && std::exchange(afterDoubleClick_, false)) {
            button_->setDown(false);
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QAbstractButton* button_;
    bool running_ = false;
    bool afterDoubleClick_ = false;
};
