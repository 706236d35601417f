#include "StatusHints.h"

#include <QWidget>

void SetStatusHint(QWidget* control, const QString& hint) { control->setAccessibleDescription(hint); }

void AttachHintStatusBar(QWidget*, QStatusBar*) {}
