// Catalogue ratings of the distribution transformers of the program's table: short-circuit
// losses and impedance voltage, from which the positive-sequence impedance follows.
#pragma once

#include <cstdint>
#include <string_view>

#include "TransUnit.h"

struct TransformerRating {
    double losses = 0;            // ΔPк, W; 0: no such transformer
    double impedanceVoltage = 0;  // uк, %
};

// [row - 1][column - 1] of TransformerRTable, the same rows and scheme columns.
extern const TransformerRating TransformerRatingTable[TransformerRowCount][SchemeColumnCount];

// R1 = ΔPк·U²/S², X1 = √((uк·U²/S)² − R1²) at U = 0.4 kV (ГОСТ 28249-93, 2.1.1), mOhm.
struct PositiveSequence {
    bool ok = false;  // false: the power or the scheme is not in the table, or the cell has no data
    double r1 = 0, x1 = 0;
    double power = 0;  // S, kV·A
};
PositiveSequence LookupPositiveSequence(std::int32_t power, std::string_view scheme);
