#include "StatusHints.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QStatusBar>
#include <QVariant>
#include <QWidget>

namespace {

const char* const HintProperty = "statusHint";

// The hint that applies to `widget`: its own, else that of the nearest enclosing control of the
// same window that has one (the text field inside an editable list gives the list's hint).
// Frames and captions have none, so over them the bar is empty.
QString HintFor(const QWidget* widget)
{
    for (const QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
        const QVariant hint = w->property(HintProperty);
        if (hint.isValid())
            return hint.toString();
        if (w->isWindow())
            break;
    }
    return {};
}

// Watches the mouse entering and leaving the controls of one window. Leave events come from the
// innermost widget outwards and enter events from the outermost inwards, so after each event the
// bar holds the hint of the widget now under the pointer.
class HintWatcher final : public QObject {
public:
    HintWatcher(QWidget* window, QStatusBar* bar) : QObject(window), window(window), bar(bar) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const QEvent::Type type = event->type();
        if (type != QEvent::Enter && type != QEvent::Leave)
            return false;
        if (!watched->isWidgetType() || bar == nullptr)
            return false;
        auto* widget = static_cast<QWidget*>(watched);
        if (widget->window() != window)
            return false;
        if (type == QEvent::Enter)
            Show(HintFor(widget));
        else
            Show(widget->isWindow() ? QString() : HintFor(widget->parentWidget()));
        return false;
    }

private:
    void Show(const QString& hint)
    {
        if (hint.isEmpty())
            bar->clearMessage();
        else
            bar->showMessage(hint);
    }

    QWidget* window;
    QPointer<QStatusBar> bar;
};

}  // namespace

void SetStatusHint(QWidget* control, const QString& hint)
{
    control->setProperty(HintProperty, hint);
    control->setAccessibleDescription(hint);
}

void AttachHintStatusBar(QWidget* window, QStatusBar* bar)
{
    // Watched at the application, because enter and leave events of every descendant count,
    // including the ones created inside a control (the text field of an editable list).
    qApp->installEventFilter(new HintWatcher(window, bar));
}
