// Control hints shown in a window's status bar while the mouse is over the control,
// never as pop-up tips.
#pragma once

#include <QString>

class QStatusBar;
class QWidget;

// Gives `control` its hint (also kept as its accessible description).
void SetStatusHint(QWidget* control, const QString& hint);

// Makes `bar` show the hint of the control of `window` under the mouse pointer.
void AttachHintStatusBar(QWidget* window, QStatusBar* bar);
