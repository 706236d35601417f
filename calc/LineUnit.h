// Resistance and reactance per metre of one conductor core, keyed by section, material and line type.
#pragma once

#include <array>
#include <string>
#include <string_view>

enum class LookupStatus { Ok, Failed, Overflow };

// The argument a failed lookup refused, so that a window can lead the user to it.
enum class LineInput { Section, Material, LineType };

struct LineImpedance {
    LookupStatus status = LookupStatus::Failed;
    double r = 0, x = 0;  // mOhm per metre
    std::string message;  // when Failed; when Overflow, the error's own text
    LineInput refused = LineInput::Section;  // when Failed or Overflow
    bool offSeries = false;  // when Failed: the section is a number, but none of SectionRow's
};

// Checks in this order: the section text (typed: a point or a comma), its row, the material,
// the line type, then the table's refusal of a combination that is not used (a negative entry),
// which asks for another section. A section beyond the range of a double gives Overflow. The
// section "0" yields r = x = 0 for any valid material and line type.
LineImpedance LookupLineImpedance(std::string_view section, std::string_view material,
                                  std::string_view lineType);

constexpr int SectionRowCount = 16;
constexpr int MaterialColumnCount = 2;
constexpr int LineTypeColumnCount = 3;

// The core sections (mm²) the table holds, each with its row, numbered from 1: the offered ones
// and 0, the absent core. A section is taken only at exactly one of these values: a cable of
// 0.75 or 1 mm² read as a neighbouring row, or as none, would overstate the fault current.
struct SectionRowEntry {
    double section;
    int row;
};
extern const std::array<SectionRowEntry, SectionRowCount> SectionRow;
constexpr int NoCoreRow = 16;  // the row of section 0

// The row of a core section typed as text (a point or a comma), or 0 when the text is not one
// of SectionRow's sections. The one rule of every reader of section texts.
int FindSectionRow(std::string_view section);

// The refusal of a section off the series; `core` names the core and its line section
// ("фазного провода (1-й участок)"), or is empty.
std::string OffSeriesSectionMessage(std::string_view core = {});

// Material and line type texts (exact, case-sensitive) and their table columns, numbered from 1.
struct TextColumnEntry {
    std::string_view text;
    int column;
};
extern const std::array<TextColumnEntry, MaterialColumnCount> MaterialColumn;
extern const std::array<TextColumnEntry, LineTypeColumnCount> LineTypeColumn;

// mOhm per metre of one core (= Ohm/km), [row - 1][column - 1]. A negative entry marks a
// combination that is not used; its magnitude is the physical value. Row 16 (section "0") is zero.
extern const double ConductorRTable[SectionRowCount][MaterialColumnCount];
extern const double ConductorXTable[SectionRowCount][LineTypeColumnCount];
