// Helpers for tests that look at a window's layout: a check that a label shows its whole text,
// and pictures of windows.
#pragma once

#include <QDir>
#include <QFont>
#include <QFontMetrics>
#include <QLabel>
#include <QWidget>
#include <cstdlib>

// The width the label's text needs in the label's own font.
inline int TextWidth(const QLabel* label) { return QFontMetrics(label->font()).horizontalAdvance(label->text()); }

// Whether a word-wrapped label shows its whole text within its box.
inline bool FitsWrapped(const QLabel* label)
{
    const QRect needed = QFontMetrics(label->font()).boundingRect(QRect(0, 0, label->width(), 10000),
                                                                  Qt::TextWordWrap, label->text());
    return needed.height() <= label->height() && needed.width() <= label->width();
}

// Saves a picture of `window` as <name>.png when ZORANT_SNAPSHOT_DIR names a folder.
inline void SaveSnapshot(QWidget* window, const QString& name)
{
    const char* dir = std::getenv("ZORANT_SNAPSHOT_DIR");
    if (dir == nullptr || *dir == '\0')
        return;
    window->grab().save(QDir(QString::fromLocal8Bit(dir)).filePath(name + QStringLiteral(".png")));
}
