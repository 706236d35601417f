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

// Makes F1 ask for help on the control that has the focus, in every window of the
// application. Called once at start-up, after the QApplication exists; further calls do nothing.
void InstallContextHelp();

// The pieces F1 is made of, open to tests.
// The context number for `control`: its own, else that of the nearest enclosing widget up to
// and including its window; 0 when none has one.
int HelpContextFor(const QWidget* control);
// The window whose help file applies to `control` (a pop-up list counts as part of its owner).
QWidget* HelpWindowFor(QWidget* control);
// The help file for `window`: its own, else the application's default; empty when neither.
QString HelpFileFor(const QWidget* window);
// What F1 does on `control`; false when it found no context or no help file.
bool ShowContextHelp(QWidget* control);
