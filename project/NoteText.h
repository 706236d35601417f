// How the calculation note writes what it takes from elsewhere: a Russian document always shows
// the decimal comma and a no-break space between digit groups, whatever the regional settings the
// report's rows and the typed inputs were written with, and its own quotes are «».
#pragma once

#include <string>

#include "Numbers.h"

// The separators of every number the note writes.
const NumberSeparators& NoteSeparators();

// A typed input as entered, with the decimal comma: "2.5" -> "2,5", "12.5" -> "12,5"; a text that
// is no number stays as it is.
std::string NoteInput(const std::string& text);

// A figure of a report row, written with the regional `rowSeparators` (as DocumentSeparators
// makes them), with the note's separators, its decimals and its grouping or none; a text of another shape ("---", "Тср < 0,4 с") stays as it is.
std::string NoteRowFigure(const std::string& text, const NumberSeparators& rowSeparators);

// Straight double quotes in pairs become «»: 10 ("C") -> 10 («C»).
std::string NoteQuotes(const std::string& text);
