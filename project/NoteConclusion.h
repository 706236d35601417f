// The one conclusion of a point on automatic disconnection of supply (ПУЭ 1.7.79;
// ГОСТ Р 50571.4.41-2022, 411.3.2): the condition must hold at the smallest fault current, so a
// point that keeps its Iк1 min meets it only when Iк1 min ≥ Iср and Iокз ≥ Iср. The summary, the
// point's section and the closing «Заключение» all take their verdict from here.
#pragma once

#include <string>

#include "CalculationNote.h"

class NoteBuilder;

enum class NoteCheck { Passes, Fails, Unknown };

struct PointConclusion {
    NoteCheck atIokz = NoteCheck::Unknown;
    NoteCheck atMinimum = NoteCheck::Unknown;  // Unknown: no Iк1 min against a device
    NoteCheck overall = NoteCheck::Unknown;    // fails when either fails
    bool onMinimum = false;       // the conclusion rests on Iк1 min, else on Iокз alone
    double bindingCurrent = 0;    // A, the current it rests on; 0 when the point cannot say
    double tripCurrent = 0;       // Iср, A; 0 when not known
};

// `regional`: the separators the point's row was written with.
PointConclusion ConcludePoint(const NotePoint& point, const NumberSeparators& regional);

// "обеспечено", "не обеспечено", "не определено".
std::string CheckText(NoteCheck check);

// The normative time a trip time text refers to: a fuse checked for 5 s says so, every other
// device is checked for 0.4 s.
std::string NormativeTime(const std::string& tripTime);

// The conclusion paragraph of a point with inputs and a device.
std::string PointConclusionText(const NoteBuilder& b, const NotePoint& point, const PointConclusion& c);
