// The calculation note laid out on A4 pages in the manner of Russian design documentation: a frame,
// a title block on the first sheet and a small one with "Лист N из M" on the others, numbered
// sections and tables, chain drawings; every text wraps inside its place.
#pragma once

#include <QString>

#include "CalculationNote.h"

class QPagedPaintDevice;
class QPrinter;

// Paints the whole note on `device` (a QPdfWriter or a QPrinter), setting A4 and no margins
// first. Returns the number of pages.
int PaintCalculationNote(const CalculationNote& note, QPagedPaintDevice& device);

// Writes the note as a PDF file at `path` through a temporary file, so that the file is either
// the whole note or as it was; returns the number of pages. Throws std::runtime_error (UTF-8
// text) when it cannot be written.
int WriteCalculationNotePdf(const CalculationNote& note, const QString& path);

// Prints the note on `printer` as set up by the print or preview dialog.
void PrintCalculationNote(const CalculationNote& note, QPrinter& printer);
