// The pre-arcing current gates of gG fuse-links (IEC 60269-1 table 3 from 16 A, IEC 60269-2-1
// table III for 2–10 A; in Russia ГОСТ Р МЭК 60269-1 and ГОСТ Р МЭК 60269-2-1), and the check of
// a row of the fuse table against them. Some rows of the table promise operation within 5 s at a
// current below the one at which a gG link of the same rating is only guaranteed to melt within
// 5 s; the program keeps those values and its verdict, and warns.
#pragma once

#include <QString>
#include <array>
#include <optional>

#include "DeviceSettings.h"
#include "Numbers.h"

// One gate row, A: the link must not melt within 10 s below imin10s and must melt within 5 s at
// imax5s; the same for 0.1 s.
struct GgGate {
    double rating;
    double imin10s, imax5s, imin01s, imax01s;
};
extern const std::array<GgGate, 24> GgGates;

// The gate of a rating: its own row, or that of the next larger listed rating (31.5 A is checked
// against 32 A, 6.3 A against 10 A: the conservative side). Nothing above 1250 A.
std::optional<GgGate> GgGateFor(double rating);

// One row of the fuse table (type 1..3 and rating) against its gate.
struct FuseGateCheck {
    GgGate gate{};
    double current5s = 0, current04s = 0;  // the table's currents; 0 where the table has none
    bool below = false;         // the 5 s current is below imax5s
    bool notCredible = false;   // the 0.4 s current is below imax5s: it cannot melt the link in 0.4 s
    double coveringFactor = 1;  // the Kз that lifts the 5 s current to imax5s (at least 1)
};
// Nothing when the type has no such rating or no gate applies.
std::optional<FuseGateCheck> CheckFuseGate(int typePP, double rating);

// The warning line for the confirmed device: empty unless it is a fuse whose row lies below its
// gate, or whose 0.4 s current (when that time is chosen) is not credible. The verdict stays as
// it is; the line only says so.
QString FuseGateWarning(const ProtectiveDeviceSettings& settings, const NumberSeparators& separators);
