#include "TransUnit.h"

#include <cmath>

const std::array<PowerRowEntry, TransformerRowCount> PowerRow{{
    {25, 1}, {40, 2}, {63, 3}, {100, 4}, {160, 5}, {250, 6}, {400, 7},
    {630, 8}, {800, 9}, {1000, 10}, {1250, 11}, {1600, 12}, {2500, 13},
}};

const std::array<SchemeColumnEntry, SchemeColumnCount> SchemeColumn{{
    {"Y/Y-0", 1}, {"T/Y-0", 2}, {"Y/Z-0", 3},
}};

// Basis: R1 = ΔPк·U²/S², X1 = √((uк·U²/S)² − R1²) at 0.4 kV (GOST 28249-93, 2.1.1), catalogue ТМ/ТМГ data.
// "Y/Y-0": handbook totals Zт(1), split by X0/R0 = 2.43 (160 kVA read, 800/1250/2500 as 9.1·Z1).
// "T/Y-0": Z0 = Z1 for low-voltage faults (GOST 28249-93, 2.1.2), so 3·R1 and 3·X1.
// "Y/Z-0": Z0 = Z1 as handbooks group it with Δ/Yн, 3·R1 and 3·X1; made only up to 250 kVA.
// 800 kVA has no catalogue row: uк 5.5 %, ΔPк about 10.2 kW assumed.
const double TransformerRTable[TransformerRowCount][SchemeColumnCount] = {
    //  "Y/Y-0"  "T/Y-0"  "Y/Z-0"
    {1274.0, 529.92, 529.92},  //   25 kVA
    {781.4, 300.00, 300.00},   //   40 kVA
    {487.1, 177.78, 177.78},   //   63 kVA
    {317.2, 108.96, 108.96},   //  100 kVA
    {185.0, 58.13, 58.13},     //  160 kVA
    {115.8, 32.26, 32.26},     //  250 kVA
    {71.5, 17.70, 0},          //  400 kVA
    {44.9, 10.28, 0},          //  630 kVA
    {35.2, 7.65, 0},           //  800 kVA
    {28.1, 5.86, 0},           // 1000 kVA
    {23.9, 4.61, 0},           // 1250 kVA
    {18.3, 3.38, 0},           // 1600 kVA
    {12.6, 2.15, 0},           // 2500 kVA
};

const double TransformerXTable[TransformerRowCount][SchemeColumnCount] = {
    //  "Y/Y-0"  "T/Y-0"  "Y/Z-0"
    {2837.1, 730.42, 730.42},  //   25 kVA
    {1785.5, 477.59, 477.59},  //   40 kVA
    {1137.1, 310.85, 310.85},  //   63 kVA
    {711.5, 186.50, 197.54},   //  100 kVA
    {451.0, 121.85, 128.46},   //  160 kVA
    {289.7, 80.15, 84.28},     //  250 kVA
    {181.4, 51.02, 0},         //  400 kVA
    {120.9, 40.62, 0},         //  630 kVA
    {94.7, 32.10, 0},          //  800 kVA
    {76.0, 25.74, 0},          // 1000 kVA
    {65.7, 22.57, 0},          // 1250 kVA
    {50.8, 17.68, 0},          // 1600 kVA
    {35.3, 12.29, 0},          // 2500 kVA
};

TransformerImpedance LookupTransformerImpedance(std::int32_t power, std::string_view scheme) {
    TransformerImpedance result;
    int row = 0;
    for (const PowerRowEntry& entry : PowerRow) {
        if (entry.power == power) row = entry.row;
    }
    if (row == 0) {
        result.message = "Неизвестная мощность трансформатора. Выберите мощность из списка";
        return result;
    }
    int column = 0;
    for (const SchemeColumnEntry& entry : SchemeColumn) {
        if (entry.scheme == scheme) column = entry.column;
    }
    if (column == 0) {
        result.message = "Неправильная схема соединения обмоток трансформатора.";
        result.schemeRefused = true;
        return result;
    }
    const double r = TransformerRTable[row - 1][column - 1];
    const double x = TransformerXTable[row - 1][column - 1];
    if (r == 0 || x == 0) {
        result.message =
            "Неизвестная марка трансформатора. Попробуйте выбрать трансформатор другой мощности или "
            "изменить схему соединения обмоток";
        return result;
    }
    result.ok = true;
    result.Rt = r;
    result.Xt = x;
    result.Zt = std::sqrt(r * r + x * x);
    return result;
}
