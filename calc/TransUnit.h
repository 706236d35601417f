// Impedances of the known distribution transformers, keyed by rated power and winding scheme.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

struct TransformerImpedance {
    bool ok = false;
    double Rt = 0, Xt = 0, Zt = 0;  // mOhm, summed over the 3 phases
    std::string message;            // when not ok
    bool schemeRefused = false;     // when not ok: the scheme, not the power, is at fault
};

// A power that is not one of the 13 rows, a scheme other than the three, or a cell without
// data (0) fails with one message; the power is examined first. A cell without data is laid to
// the power, which its message names first.
TransformerImpedance LookupTransformerImpedance(std::int32_t power, std::string_view scheme);

constexpr int TransformerRowCount = 13;
constexpr int SchemeColumnCount = 3;

// Rated power (kVA) and its table row, numbered from 1 in the order of the main window's list.
struct PowerRowEntry {
    std::int32_t power;
    int row;
};
extern const std::array<PowerRowEntry, TransformerRowCount> PowerRow;

// Winding scheme text (exact, Latin letters) and its table column, numbered from 1.
struct SchemeColumnEntry {
    std::string_view scheme;
    int column;
};
extern const std::array<SchemeColumnEntry, SchemeColumnCount> SchemeColumn;

// Resistance and reactance to the single-phase fault current, mOhm referred to 0.4 kV, summed
// over the 3 phases; [row - 1][column - 1]. 0 means no data for that transformer.
extern const double TransformerRTable[TransformerRowCount][SchemeColumnCount];
extern const double TransformerXTable[TransformerRowCount][SchemeColumnCount];
