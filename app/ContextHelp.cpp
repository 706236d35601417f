#include "ContextHelp.h"

#include <QVariant>
#include <QWidget>

void SetHelpContext(QWidget* widget, int context) { widget->setProperty("helpContext", context); }

void SetHelpFile(QWidget* window, const QString& fileName) { window->setProperty("helpFile", fileName); }

void SetDefaultHelpFile(const QString&) {}

void RequestHelp(QWidget*, int) {}
