#include "LineUnit.h"

#include "Numbers.h"

const std::array<SectionRowEntry, SectionRowCount> SectionRow{{
    {1.5, 1}, {2.5, 2}, {4, 3}, {6, 4}, {10, 5}, {16, 6}, {25, 7}, {35, 8},
    {50, 9}, {70, 10}, {95, 11}, {120, 12}, {150, 13}, {185, 14}, {240, 15}, {0, 16},
}};

const std::array<TextColumnEntry, MaterialColumnCount> MaterialColumn{{
    {"Алюминий", 1}, {"Медь", 2},
}};

const std::array<TextColumnEntry, LineTypeColumnCount> LineTypeColumn{{
    {"Кабель с бумажной изоляцией", 1}, {"Кабель с ПВХ изоляцией", 2}, {"Воздушная", 3},
}};

// "Алюминий": 1000/(32·S) at about 20 °C, handbook table up to 1 kV, checked with GOST 22483-2012.
// "Медь": 1000/(54·S) at about 20 °C, same handbook table, checked with GOST 22483-2012.
// Not used: aluminium of 1.5 mm² (not made for power wiring).
const double ConductorRTable[SectionRowCount][MaterialColumnCount] = {
    // "Алюминий" "Медь"
    {-20.8, 12.3},   //  1.5
    {12.5, 7.4},     //  2.5
    {7.81, 4.63},    //  4
    {5.21, 3.09},    //  6
    {3.12, 1.84},    //  10
    {1.95, 1.16},    //  16
    {1.25, 0.74},    //  25
    {0.894, 0.53},   //  35
    {0.625, 0.37},   //  50
    {0.447, 0.265},  //  70
    {0.329, 0.195},  //  95
    {0.261, 0.154},  //  120
    {0.208, 0.124},  //  150
    {0.169, 0.1},    //  185
    {0.13, 0.077},   //  240
    {0, 0},          //  0: no core
};

// "Кабель с бумажной изоляцией": handbook table for networks up to 1 kV.
// "Кабель с ПВХ изоляцией": same table; 1.5 and 2.5 mm² by x = 0.1445·lg(D/r) + 0.0157 Ohm/km.
// "Воздушная": the same formula with a mean spacing of about 0.35 m.
// Not used: paper-insulated cable of 1.5 mm² (not made), bare overhead wire below 16 mm² (ПУЭ).
const double ConductorXTable[SectionRowCount][LineTypeColumnCount] = {
    // paper   PVC    overhead
    {-0.11, 0.12, -0.40},     //  1.5
    {0.104, 0.11, -0.38},     //  2.5
    {0.095, 0.107, -0.37},    //  4
    {0.090, 0.100, -0.36},    //  6
    {0.073, 0.099, -0.34},    //  10
    {0.0675, 0.095, 0.32},    //  16
    {0.0662, 0.091, 0.31},    //  25
    {0.0637, 0.087, 0.30},    //  35
    {0.0625, 0.085, 0.29},    //  50
    {0.0612, 0.082, 0.28},    //  70
    {0.0602, 0.081, 0.27},    //  95
    {0.0602, 0.08, 0.26},     //  120
    {0.0596, 0.079, 0.25},    //  150
    {0.0596, 0.078, 0.25},    //  185
    {0.0587, 0.077, 0.25},    //  240
    {0, 0, 0},                //  0: no core
};

namespace {

int FindColumn(const auto& columns, std::string_view text) {
    for (const TextColumnEntry& entry : columns) {
        if (entry.text == text) return entry.column;
    }
    return 0;
}

// The row of `section`, read from `text`.
int RowOf(std::string_view text, double section) {
    // A section too small for a double ("1e-400") reads as 0, but it is no absent core.
    const std::string_view mantissa = text.substr(0, text.find_first_of("eE"));
    if (section == 0 && mantissa.find_first_of("123456789") != std::string_view::npos) return 0;
    for (const SectionRowEntry& entry : SectionRow) {
        if (section == entry.section) return entry.row;
    }
    return 0;
}

}  // namespace

int FindSectionRow(std::string_view section) {
    const DecimalValue parsed = ParseDecimal(section, DecimalSign::PointOrComma);
    return parsed.status == DecimalStatus::Valid ? RowOf(section, parsed.value) : 0;
}

std::string OffSeriesSectionMessage(std::string_view core) {
    std::string message = "Сечение жилы ";
    if (!core.empty()) {
        message += core;
        message += ' ';
    }
    message += "не входит в ряд стандартных сечений: ";
    // Written as Russian texts write decimals, whatever the regional settings.
    const NumberSeparators russian{",", " "};
    for (const SectionRowEntry& entry : SectionRow) {
        if (entry.section == 0) continue;
        if (entry.row > 1) message += "; ";
        message += FormatGeneral(entry.section, russian);
    }
    return message + " мм²";
}

LineImpedance LookupLineImpedance(std::string_view section, std::string_view material,
                                  std::string_view lineType) {
    LineImpedance result;
    const DecimalValue parsed = ParseDecimal(section, DecimalSign::PointOrComma);
    if (parsed.status == DecimalStatus::Overflow) {
        result.status = LookupStatus::Overflow;
        result.message = "Floating point overflow";
        return result;
    }
    if (parsed.status == DecimalStatus::Invalid) {
        result.message = "Неверное сечение жилы";
        return result;
    }
    const int row = RowOf(section, parsed.value);
    if (row == 0) {
        result.message = OffSeriesSectionMessage();
        result.offSeries = true;
        return result;
    }
    const int materialColumn = FindColumn(MaterialColumn, material);
    if (materialColumn == 0) {
        result.message = "Неизвестный материал жилы проводника";
        result.refused = LineInput::Material;
        return result;
    }
    const int lineTypeColumn = FindColumn(LineTypeColumn, lineType);
    if (lineTypeColumn == 0) {
        result.message = "Неверный тип линии";
        result.refused = LineInput::LineType;
        return result;
    }
    const double r = ConductorRTable[row - 1][materialColumn - 1];
    const double x = ConductorXTable[row - 1][lineTypeColumn - 1];
    if (r < 0 || x < 0) {
        result.message = "Тип линии с выбранным сечением не используется. Выберите другое сечение.";
        return result;
    }
    result.status = LookupStatus::Ok;
    result.r = r;
    result.x = x;
    return result;
}
