// Context help: help files addressed by name and context number, asked for with F1.
#pragma once

#include <QString>

class QWidget;

// Gives a window or a control its context number (0: none of its own).
void SetHelpContext(QWidget* widget, int context);
// Names the help file of a window ("help 2.1.hlp", "help 2.0.hlp"); empty: none.
void SetHelpFile(QWidget* window, const QString& fileName);

// The application's default help file, used for windows that name none; empty at start.
void SetDefaultHelpFile(const QString& fileName);
// Asks for topic `context` of the help file that applies to `window`: its own, else the default.
void RequestHelp(QWidget* window, int context);
