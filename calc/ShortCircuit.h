// The single-phase short-circuit calculation of one supply chain: transformer, six line
// sections in series and the transient resistance of contacts and arc.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

constexpr int LineSectionCount = 6;

// One line section as the user typed it.
struct LineSection {
    std::string KindPerform;  // line type
    std::string Stuff;        // core material
    std::string Ff;           // phase core section, mm2
    std::string Fn;           // neutral core section, mm2
    std::string Length;       // metres
    std::string QuanPar;      // parallel conductors, "нет" or a whole number
    bool operator==(const LineSection&) const = default;
};

// The texts of the main window's inputs, exactly as the user left them.
struct NetworkDescription {
    std::string TransPower;
    std::string WindKind;
    std::array<LineSection, LineSectionCount> Lines;
    std::string RArc;
    bool operator==(const NetworkDescription&) const = default;
};

// The main window's initial texts.
NetworkDescription InitialNetworkDescription();

// Outcome of one successful calculation; resistances in mOhm, the current in A.
// Line arrays are indexed 0..5 for line sections 1..6.
struct ShortCircuitResult {
    double Rt = 0, Xt = 0, Zt = 0;
    std::array<double, LineSectionCount> RLine{}, XLine{}, ZLine{};
    double RLineSum = 0, XLineSum = 0, ZLineSum = 0;
    double Rother = 0;
    double Rsum = 0, Xsum = 0, Zsum = 0;
    double Iokz = 0;
};

enum class CalculationStatus {
    Success,
    InvalidPower,  // the power text is not a whole number: the window sets its texts first
    Failed,        // any other input refused: `message` says why
    Overflow,      // a number beyond the range of a double
};

// An input of the main window, as the calculation names the one it refused.
enum class NetworkField { None, TransPower, WindKind, KindPerform, Stuff, Ff, Fn, Length, QuanPar, RArc };

struct CalculationOutcome {
    CalculationStatus status = CalculationStatus::Failed;
    std::string message;        // for InvalidPower and Failed; for Overflow the error's own text,
                                // "Floating point overflow", which the error box ends with a full stop
    ShortCircuitResult result;  // for Success
    // The input at fault, so that the window can lead the user to it: for InvalidPower and Failed,
    // and for an Overflow typed into a field (None when a sum or product overflowed).
    NetworkField field = NetworkField::None;
    int line = -1;              // the section 0..5 of a section's field
};

// The number of parallel conductors of a section: "нет" in any letter case gives 1, any other
// text is a whole number by ParseInteger. Counts below 1 are the caller's to refuse.
std::optional<std::int32_t> ParseParallelCount(std::string_view text);

// Reads the texts in a fixed order, stopping at the first one refused: power, transformer,
// the two cores of each section 1..6 with their pairing, the six lengths, the six parallel
// counts, Rпр. Lengths, sections and Rпр are typed numbers: a point or a comma. Then sums the loop: RLine = (r_ph + r_n)·L/n, Rsum = Rt/3 + RLineSum + Rother,
// Iokz = 231000 / Zsum.
CalculationOutcome CalculateShortCircuit(const NetworkDescription& network);
