#include "MinimumSelection.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>

#include "LineUnit.h"
#include "Numbers.h"

namespace {

// Written as a user would type it, so that the calculation reads the network as it reads any.
const NumberSeparators Typed{".", ""};

// Iк1 min of `network`, or nothing when the calculation refuses it.
std::optional<double> MinimumCurrentOf(const NetworkDescription& network, const MinimumCurrentParameters& p,
                                       double time)
{
    const CalculationOutcome calculated = CalculateShortCircuit(network);
    if (calculated.status != CalculationStatus::Success)
        return std::nullopt;
    // A melted core (not ok) gives no current to trip at: such a length or section is not offered.
    const MinimumCurrentResult r = CalculateMinimumCurrent(network, calculated.result, p, time, 0);
    if (!r.ok)
        return std::nullopt;
    return r.minimumCurrent;
}

// The length of section `line` at which Iк1 min equals Iср, bracketed by doubling from the entered
// length and then halved until the bracket lies within one step of the shown length (0.1 m, or
// 1 km from LongLengthFrom on, both ends on the same side of it) and within 1e-9 of the length.
// ShownLengthLimit when the device still trips there; 0 when not even at 0 m.
double MinimumRoot(double entered, const std::function<bool(double)>& tripsAt)
{
    if (!tripsAt(0))
        return 0;
    double low = 0, high = std::min(std::max(1.0, entered), ShownLengthLimit);
    while (tripsAt(high)) {
        low = high;
        if (!(high < ShownLengthLimit))
            return low;
        high = std::min(2 * high, ShownLengthLimit);
    }
    for (;;) {
        const double width = high - low;
        const bool oneSide = (low < LongLengthFrom) == (high < LongLengthFrom);
        if (oneSide && width <= 1e-9 * high && width <= (high < LongLengthFrom ? 0.1 : 1000))
            break;
        const double middle = low + width / 2;
        if (!(middle > low && middle < high))
            break;
        (tripsAt(middle) ? low : high) = middle;
    }
    return low;
}

void AnswerLength(const NetworkDescription& network, int line, const MinimumCurrentParameters& p, double time,
                  double tripCurrent, LineSelection& answer)
{
    const auto tripsAt = [&](double length) {
        const std::optional<double> current = MinimumCurrentAtLength(network, line, length, p, time);
        return current && *current >= tripCurrent;
    };
    // Rounded, checked and said "more than" by the search the program's Iокз uses.
    AnswerGreatestLength(MinimumRoot(answer.length, tripsAt), tripsAt, answer);
}

void AnswerSection(NetworkDescription network, int line, const MinimumCurrentParameters& p, double time,
                   double tripCurrent, LineSelection& answer)
{
    LineSection& s = network.Lines[line];
    AnswerSmallestSection(
        s.Stuff, s.KindPerform,
        [&](const std::string& section, const LineImpedance&) {
            s.Ff = s.Fn = section;
            const std::optional<double> current = MinimumCurrentOf(network, p, time);
            return current && *current >= tripCurrent;
        },
        answer);
}

}  // namespace

std::optional<double> MinimumCurrentAtLength(NetworkDescription network, int line, double length,
                                             const MinimumCurrentParameters& parameters, double time)
{
    network.Lines[line].Length = FormatGeneral(length, Typed);
    return MinimumCurrentOf(network, parameters, time);
}

SelectionAnswers SelectParametersAtMinimumCurrent(const NetworkDescription& network, const ShortCircuitResult& result,
                                                  const SelectionDevice& device,
                                                  const MinimumCurrentParameters& parameters, double time)
{
    SelectionAnswers answers;
    const std::optional<SelectionChain> chain = ReadSelectionChain(network, result);
    const MinimumCurrentResult minimum = CalculateMinimumCurrent(network, result, parameters, time, 0);
    if (!chain || !minimum.ok) {
        if (chain && minimum.melted)
            answers.refusal = minimum.message;
        return answers;
    }
    const double tripCurrent = device.tripCurrent;
    const double current = minimum.minimumCurrent;
    if (!StartAnswers(*chain, current, device, current >= tripCurrent, answers))
        return answers;
    for (int n = 0; n < LineSectionCount; ++n) {
        if (!answers.lines[n].active)
            continue;
        AnswerLength(network, n, parameters, time, tripCurrent, answers.lines[n]);
        AnswerSection(network, n, parameters, time, tripCurrent, answers.lines[n]);
    }
    return answers;
}
