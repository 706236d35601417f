// What every window's single-line input fields share: they hold one line whatever is pasted or
// dropped into them, and a refused input leads the user back to its field.
#pragma once

#include <QString>

class QWidget;

// A text that came with line breaks (from a spreadsheet cell, say) as one line: every line
// break goes, with the blanks on both sides of it; lines left empty go too, and the lines that
// remain are joined by one blank, so that nothing pasted disappears unseen. "150\n" gives "150",
// "150 \r\n" gives "150", "150\n200" gives "150 200". A text without line breaks stays as it is,
// blanks included. `cursor`, when given, is moved along with the text before it.
QString JoinLines(const QString& text, int* cursor = nullptr);

// Keeps every editable field of `window` (edit fields and the fields of editable lists) to one
// line by JoinLines, whatever way the text arrives: typed, pasted, dropped or set.
void KeepFieldsSingleLine(QWidget* window);

// Gives the keyboard focus to an input field refused by a message, with its whole text selected,
// so that the user can type the correction at once. A missing or disabled field is left alone.
void FocusFieldAtFault(QWidget* field);
