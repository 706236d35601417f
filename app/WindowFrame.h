// What every window of the program is given first, in one place: its frame, name, title, font,
// help topic and fixed size.
#pragma once

#include <QSize>
#include <QString>
#include <Qt>

class QPushButton;
class QStatusBar;
class QWidget;

// The height of the hint line at a window's foot.
inline constexpr int StatusBarHeight = 19;

// The frame of the fixed-size windows that show results: a title and a close button, no resizing.
inline constexpr Qt::WindowFlags FixedWindowFlags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                                    Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                                                    Qt::MSWindowsFixedSizeDialogHint;

// Names the window for tests and accessibility tools, titles it, gives it the windows' font
// (MS Sans Serif 8, drawn as Liberation Sans), the help topic F1 opens, and, when `fixedSize` is
// valid, that size.
void SetUpWindow(QWidget* window, const QString& name, const QString& title, const QString& helpFile,
                 int helpContext, QSize fixedSize = QSize());

// The window's "Закрыть" button, 89 × 25, centred across `clientWidth` at `top`; it closes the
// window with the OK result.
QPushButton* MakeCloseButton(QWidget* window, int clientWidth, int top, const QString& hint);
// The hint line along the window's foot, where the status-bar hints of its controls show.
QStatusBar* MakeHintStatusBar(QWidget* window, int clientWidth, int clientHeight);
// Puts the window in the middle of the screen it is on.
void CentreOnScreen(QWidget* window);
