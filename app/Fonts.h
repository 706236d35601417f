// The windows name Windows font faces; this maps each onto a face installed with the program
// (Liberation and DejaVu), chosen for equal or near-equal glyph widths so captions keep their places.
#pragma once

// Call once, after the application object exists and before any window is created.
void InstallFontSubstitutions();
