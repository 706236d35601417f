#include "ContextHelp.h"

#include <QApplication>
#include <QKeyEvent>
#include <QVariant>
#include <QWidget>

#include "Dialogs.h"

namespace {

const char* const ContextProperty = "helpContext";
const char* const FileProperty = "helpFile";
// Kept on the application object, like the platform's application-wide help file.
const char* const DefaultFileProperty = "defaultHelpFile";
const char* const FilterName = "ContextHelpF1Filter";

// A pop-up (the open list of a drop-down) belongs to the window of the control that opened it.
bool IsOwnWindow(const QWidget* widget)
{
    return widget->isWindow() && widget->windowType() != Qt::Popup;
}

class F1Filter final : public QObject {
public:
    explicit F1Filter(QObject* parent) : QObject(parent) { setObjectName(QString::fromLatin1(FilterName)); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // Key events reach the window object first and then the focused widget; acting on
        // the widget alone asks once per press.
        if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_F1 || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
            return false;
        ShowContextHelp(static_cast<QWidget*>(watched));
        return true;
    }
};

}  // namespace

void SetHelpContext(QWidget* widget, int context) { widget->setProperty(ContextProperty, context); }

void SetHelpFile(QWidget* window, const QString& fileName) { window->setProperty(FileProperty, fileName); }

void SetDefaultHelpFile(const QString& fileName)
{
    if (qApp)
        qApp->setProperty(DefaultFileProperty, fileName);
}

int HelpContextFor(const QWidget* control)
{
    for (const QWidget* widget = control; widget; widget = widget->parentWidget()) {
        const int context = widget->property(ContextProperty).toInt();
        if (context != 0)
            return context;
        if (IsOwnWindow(widget))
            break;
    }
    return 0;
}

QWidget* HelpWindowFor(QWidget* control)
{
    QWidget* widget = control;
    while (widget && !IsOwnWindow(widget) && widget->parentWidget())
        widget = widget->parentWidget();
    return widget;
}

QString HelpFileFor(const QWidget* window)
{
    const QString own = window ? window->property(FileProperty).toString() : QString();
    if (!own.isEmpty())
        return own;
    return qApp ? qApp->property(DefaultFileProperty).toString() : QString();
}

void RequestHelp(QWidget* window, int context)
{
    const QString file = HelpFileFor(window);
    if (file.isEmpty())
        return;
    CurrentDialogs().ShowHelp(file, context);
}

bool ShowContextHelp(QWidget* control)
{
    const int context = HelpContextFor(control);
    if (context == 0)
        return false;
    QWidget* window = HelpWindowFor(control);
    if (HelpFileFor(window).isEmpty())
        return false;
    RequestHelp(window, context);
    return true;
}

void InstallContextHelp()
{
    if (!qApp || qApp->findChild<QObject*>(QString::fromLatin1(FilterName), Qt::FindDirectChildrenOnly))
        return;
    qApp->installEventFilter(new F1Filter(qApp));
}
