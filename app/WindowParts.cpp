#include "WindowParts.h"

#include <QFrame>
#include <QLabel>
#include <QPalette>

#include "StatusHints.h"

QFont SerifFont()
{
    QFont font(QStringLiteral("Times New Roman"), 10);
    font.setStyleHint(QFont::Serif);
    return font;
}

void SetTextColor(QWidget* widget, const QColor& color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, color);
    widget->setPalette(palette);
}

QLabel* Caption(QWidget* parent, const QString& text, int left, int top, const QFont& font, const QColor& color)
{
    auto* label = new QLabel(text, parent);
    label->setFont(font);
    SetTextColor(label, color);
    label->adjustSize();
    label->move(left, top);
    return label;
}

QLabel* Field(QWidget* parent, const QString& name, const QRect& place, const QString& hint, Qt::Alignment alignment)
{
    auto* label = new QLabel(QStringLiteral("—"), parent);
    label->setObjectName(name);
    label->setAlignment(alignment | Qt::AlignVCenter);
    label->setGeometry(place);
    SetStatusHint(label, hint);
    return label;
}

QFrame* ValuePanel(QWidget* parent, const QRect& place)
{
    auto* panel = new QFrame(parent);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, Qt::white);
    panel->setPalette(palette);
    panel->setAutoFillBackground(true);
    panel->setGeometry(place);
    return panel;
}
