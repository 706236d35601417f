// Pieces the result-style windows are built of: maroon serif captions over sunken white panels
// holding fixed-place output fields.
#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>
#include <Qt>

class QFrame;
class QLabel;
class QWidget;

inline const QColor Maroon(0x80, 0x00, 0x00);
inline const QColor Navy(0x00, 0x00, 0x80);

// Times New Roman 10, the captions over the panels.
QFont SerifFont();
void SetTextColor(QWidget* widget, const QColor& color);
// A caption sized to its text at (left, top).
QLabel* Caption(QWidget* parent, const QString& text, int left, int top, const QFont& font,
                const QColor& color = Qt::black);
// An output field of fixed place showing "—" until it is written, with its name and status-bar hint.
QLabel* Field(QWidget* parent, const QString& name, const QRect& place, const QString& hint,
              Qt::Alignment alignment = Qt::AlignLeft);
// A sunken white panel.
QFrame* ValuePanel(QWidget* parent, const QRect& place);
