#include "Fonts.h"

#include <QFont>

void InstallFontSubstitutions()
{
    // Liberation Sans, Serif and Mono have the advance widths of Arial, Times New Roman and
    // Courier New. "MS Sans Serif" is a bitmap face of Arial's proportions. Comic Sans MS and
    // Verdana are wide, round faces: DejaVu Sans (a Verdana-like design) comes closest.
    struct Substitution {
        const char* face;
        const char* replacement;
    };
    static constexpr Substitution substitutions[] = {
        {"MS Sans Serif", "Liberation Sans"},   {"Microsoft Sans Serif", "Liberation Sans"},
        {"Arial", "Liberation Sans"},           {"Times New Roman", "Liberation Serif"},
        {"MS Serif", "Liberation Serif"},       {"Courier New", "Liberation Mono"},
        {"Comic Sans MS", "DejaVu Sans"},       {"Verdana", "DejaVu Sans"},
    };
    for (const Substitution& s : substitutions)
        QFont::insertSubstitution(QString::fromLatin1(s.face), QString::fromLatin1(s.replacement));
}
