#include "TransformerRatings.h"

#include <cmath>

// Catalogue tables of ТМ/ТМГ oil transformers: ΔPк for Y/Yн, Δ/Yн and Y/Zн; uк 4.5 % up to
// 400 kV·A (4.7 % for Δ/Yн of 25–63 kV·A and for every Y/Zн), 5.5 % for 630–1000, 6.0 % for
// 1250–1600, 6.5 % for 2500. 800 kV·A has no catalogue row: ΔPк about 10.2 kW, uк 5.5 % assumed.
// Y/Zн is made only up to 250 kV·A. The "T/Y-0" and "Y/Z-0" cells of TransformerRTable and
// TransformerXTable are 3·R1 and 3·X1 of these very ratings.
const TransformerRating TransformerRatingTable[TransformerRowCount][SchemeColumnCount] = {
    //  "Y/Y-0"      "T/Y-0"       "Y/Z-0"
    {{600, 4.5}, {690, 4.7}, {690, 4.7}},        //   25 kVA
    {{880, 4.5}, {1000, 4.7}, {1000, 4.7}},      //   40 kVA
    {{1280, 4.5}, {1470, 4.7}, {1470, 4.7}},     //   63 kVA
    {{1900, 4.5}, {2270, 4.5}, {2270, 4.7}},     //  100 kVA
    {{2600, 4.5}, {3100, 4.5}, {3100, 4.7}},     //  160 kVA
    {{3700, 4.5}, {4200, 4.5}, {4200, 4.7}},     //  250 kVA
    {{5500, 4.5}, {5900, 4.5}, {0, 0}},          //  400 kVA
    {{7900, 5.5}, {8500, 5.5}, {0, 0}},          //  630 kVA
    {{10200, 5.5}, {10200, 5.5}, {0, 0}},        //  800 kVA
    {{12200, 5.5}, {12200, 5.5}, {0, 0}},        // 1000 kVA
    {{15000, 6.0}, {15000, 6.0}, {0, 0}},        // 1250 kVA
    {{18000, 6.0}, {18000, 6.0}, {0, 0}},        // 1600 kVA
    {{28000, 6.5}, {28000, 6.5}, {0, 0}},        // 2500 kVA
};

PositiveSequence LookupPositiveSequence(std::int32_t power, std::string_view scheme)
{
    PositiveSequence result;
    int row = 0, column = 0;
    for (const PowerRowEntry& entry : PowerRow) {
        if (entry.power == power)
            row = entry.row;
    }
    for (const SchemeColumnEntry& entry : SchemeColumn) {
        if (entry.scheme == scheme)
            column = entry.column;
    }
    if (row == 0 || column == 0)
        return result;
    const TransformerRating& rating = TransformerRatingTable[row - 1][column - 1];
    if (rating.losses == 0)
        return result;
    // U² / S with U in kV and S in kV·A gives kOhm: 0.16·10⁶ / S mOhm.
    const double squaredVoltage = 0.4 * 0.4;
    const double impedance = rating.impedanceVoltage / 100 * squaredVoltage / power * 1e6;
    // ΔPк in W with U in kV and S in kV·A gives Ohm.
    result.r1 = rating.losses * squaredVoltage / (static_cast<double>(power) * power) * 1e3;
    result.x1 = std::sqrt(impedance * impedance - result.r1 * result.r1);
    result.power = power;
    result.ok = true;
    return result;
}
