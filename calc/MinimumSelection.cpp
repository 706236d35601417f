#include "MinimumSelection.h"

#include <cmath>
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

void AnswerLength(const NetworkDescription& network, int line, const MinimumCurrentParameters& p, double time,
                  double tripCurrent, LineSelection& answer)
{
    const auto tripsAt = [&](double length) {
        const std::optional<double> current = MinimumCurrentAtLength(network, line, length, p, time);
        return current && *current >= tripCurrent;
    };
    if (!tripsAt(0)) {
        answer.lengthAnswer = SelectionAnswer::None;
        return;
    }
    // The current falls with the length: bracket the boundary by doubling, then halve the bracket.
    double low = 0, high = std::max(1.0, answer.length);
    while (tripsAt(high)) {
        low = high;
        high *= 2;
        if (!(high < ShownLengthLimit)) {
            answer.lengthAnswer = SelectionAnswer::Value;
            answer.greatestLength = answer.shownLength = ShownLengthLimit;
            answer.lengthStep = 0;
            answer.lengthBeyond = true;
            return;
        }
    }
    for (int i = 0; i < 64 && high - low > 1e-9 * high; ++i) {
        const double middle = (low + high) / 2;
        (tripsAt(middle) ? low : high) = middle;
    }
    answer.greatestLength = low;
    // Shown rounded down to its step and checked: that length trips, one step more does not
    // (0 m trips, so there is always one).
    const int exponent = low < LongLengthFrom ? -1 : 3;
    answer.lengthAnswer = SelectionAnswer::Value;
    answer.shownLength = GreatestStep(low, exponent, tripsAt).value_or(0);
    answer.lengthStep = exponent < 0 ? 0.1 : 1000;
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
    answers.calculated = true;
    answers.iokz = minimum.minimumCurrent;
    for (int n = 0; n < LineSectionCount; ++n) {
        answers.lines[n].active = chain->sections[n].active;
        answers.lines[n].length = chain->sections[n].length;
    }
    const double tripCurrent = device.tripCurrent;
    if (device.kind == SelectionDevice::Kind::None || !(tripCurrent > 0))
        return answers;
    answers.device = true;
    answers.tripCurrent = tripCurrent;
    answers.margin = answers.iokz / tripCurrent;
    AnswerRating(device, answers.iokz, answers);
    for (int n = 0; n < LineSectionCount; ++n) {
        if (!answers.lines[n].active)
            continue;
        AnswerLength(network, n, parameters, time, tripCurrent, answers.lines[n]);
        AnswerSection(network, n, parameters, time, tripCurrent, answers.lines[n]);
    }
    return answers;
}
