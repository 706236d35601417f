// The record of one fault point: everything that made its report row, so that the point can be
// opened again, recalculated after an upstream change and described in a calculation note.
// Plain data plus its text form, the lines a project document keeps for the point.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "DeviceSettings.h"
#include "MinimumCurrent.h"
#include "Numbers.h"
#include "ShortCircuit.h"

// The minimum fault current of a point as the check "Проверка" gives it, with what it was found with.
struct PointMinimumCurrent {
    MinimumCurrentParameters parameters;  // as used: the session's, with the device's fixed factor
    double time = 0;           // s: the device's normative time (0.4 s without a device)
    double current = 0;        // Iк1 min, A, at the end of `time`
    double tripCurrent = 0;    // Iср, A; 0: no device
    double margin = 0;         // Iк1 min / Iср
    bool trips = false;        // Iк1 min >= Iср
    bool withstands = true;    // every core stays within its short-circuit limit
    bool operator==(const PointMinimumCurrent&) const = default;
};

struct PointRecord {
    NetworkDescription network;        // the main window's 39 texts of the calculation
    ProtectiveDeviceSettings device;   // the confirmed device record (TokSR <= 0: none)
    DeviceWindowTexts deviceTexts;     // the device window as it was confirmed
    std::string verdict;               // the status line ("Срабатывание за нормативное время", ...)
    std::string tripTime;              // the trip time the row took ("Тср < 0,4 с", "---", ...)
    double iokz = 0;                   // the calculated current, A, unrounded
    NumberSeparators separators;       // the separators the row's figures were written with

    // Checks stored per point, each with its own key in the text form (absent: not computed).
    std::optional<PointMinimumCurrent> minimum;
};

bool operator==(const ProtectiveDeviceSettings& a, const ProtectiveDeviceSettings& b);
bool SameRecord(const PointRecord& a, const PointRecord& b);

// The record's lines in a project document, each "key=value\n"; values escape "\", "|", line
// ends as \\, \|, \n, \r, and numbers of the device record and the current are written exactly.
std::string WritePointRecord(const PointRecord& record);

// Why a record's text cannot be read, or the record. `text` holds the lines WritePointRecord
// writes, in any order; lines of keys it does not know are skipped.
struct PointRecordReading {
    std::optional<PointRecord> record;
    std::string refusal;   // Russian, for the user, when record is absent
};
PointRecordReading ReadPointRecord(std::string_view text);

// The keys of a record's lines: a line of any of them belongs to the record of the point above.
bool IsPointRecordKey(std::string_view key);

// Escaping of one value and the splitting of a line's value into its "|"-separated fields.
std::string EscapeValue(std::string_view text);
// Nothing when a "\" stands before anything but "\", "|", "n", "r" or ends the value.
std::optional<std::vector<std::string>> SplitValue(std::string_view value);
