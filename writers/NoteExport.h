// The calculation note saved as a PDF among the user's exports, and the viewer that shows it.
#pragma once

#include <QString>

#include "CalculationNote.h"

// Hands a saved note to the desktop's PDF viewer. Tests put their own in place so that nothing is
// started.
class NoteViewer {
public:
    virtual ~NoteViewer() = default;
    // Throws std::runtime_error (UTF-8) when no viewer could be started.
    virtual void Open(const QString& path) = 0;
};

// The viewer in use: the desktop's unless a test has put its own in place.
NoteViewer& CurrentNoteViewer();
// Puts `viewer` in place (not owned); nullptr restores the desktop's.
void SetNoteViewer(NoteViewer* viewer);

// Writes `note` into `folder` (created when missing) as "Расчетная записка <date> <time>.pdf",
// under a name no file there has yet, and returns the path. Throws std::runtime_error (UTF-8)
// when the folder or the file cannot be made; no file is left behind then.
QString SaveCalculationNote(const CalculationNote& note, const QString& folder);
