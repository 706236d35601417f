// What every window of the program is given first, in one place: its frame, name, title, font,
// help topic and fixed size.
#pragma once

#include <QSize>
#include <QString>
#include <Qt>

class QWidget;

// The frame of the fixed-size windows that show results: a title and a close button, no resizing.
inline constexpr Qt::WindowFlags FixedWindowFlags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                                    Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                                                    Qt::MSWindowsFixedSizeDialogHint;

// Names the window for tests and accessibility tools, titles it, gives it the windows' font
// (MS Sans Serif 8, drawn as Liberation Sans), the help topic F1 opens, and, when `fixedSize` is
// valid, that size.
void SetUpWindow(QWidget* window, const QString& name, const QString& title, const QString& helpFile,
                 int helpContext, QSize fixedSize = QSize());
