#include "Selection.h"

#include <cmath>

#include "LineUnit.h"
#include "Numbers.h"

namespace {

constexpr double PhaseVoltage = 231000;  // 231 V, with the loop impedance in mOhm

bool Trips(double iokz, double tripCurrent) { return iokz >= tripCurrent; }

// The greatest L >= 0 with (R0 + a·L)² + (X0 + b·L)² <= Z², a, b >= 0 and not both 0;
// nothing when even L = 0 is beyond Z. Scaled by Z so that a large limit cannot overflow.
std::optional<double> GreatestLength(double r0, double x0, double a, double b, double z)
{
    r0 /= z;
    x0 /= z;
    a /= z;
    b /= z;
    const double c = r0 * r0 + x0 * x0 - 1;
    if (c > 0)
        return std::nullopt;
    const double aa = a * a + b * b;
    const double bb = a * r0 + b * x0;
    // The positive root of aa·L² + 2·bb·L + c = 0, written without cancellation (c <= 0).
    return -c / (bb + std::sqrt(bb * bb - aa * c));
}

// k × 10^exponent, correctly rounded: the double a user gets by typing that decimal.
double Decimal(double k, int exponent)
{
    const double power = std::pow(10.0, std::abs(exponent));  // exact up to 10^22
    return exponent < 0 ? k / power : k * power;
}

void AnswerLength(const SelectionChain& chain, int line, double tripCurrent, LineSelection& answer)
{
    const SelectionChain::Section& s = chain.sections[line];
    double r0 = chain.Rt / 3 + chain.Rother, x0 = chain.Xt / 3;
    for (int n = 0; n < LineSectionCount; ++n) {
        if (n == line)
            continue;
        r0 += chain.RLine[n];
        x0 += chain.XLine[n];
    }
    const double z = PhaseVoltage / tripCurrent;
    const auto tripsAt = [&](double length) { return Trips(ChainIokzAtLength(chain, line, length), tripCurrent); };
    // No root in rounding may still be a boundary that 0 m meets exactly.
    const double root = GreatestLength(r0, x0, s.rPerMetre / s.count, s.xPerMetre / s.count, z).value_or(0);
    AnswerGreatestLength(root, tripsAt, answer);
}

void AnswerSection(const SelectionChain& chain, int line, double tripCurrent, LineSelection& answer)
{
    const SelectionChain::Section& s = chain.sections[line];
    AnswerSmallestSection(
        s.material, s.lineType,
        [&](const std::string&, const LineImpedance& core) {
            // Phase and neutral core of the same section, summed as the calculation sums them.
            const double rLine = (core.r + core.r) * s.length / s.count;
            const double xLine = (core.x + core.x) * s.length / s.count;
            return Trips(ChainIokz(chain, line, rLine, xLine), tripCurrent);
        },
        answer);
}

}  // namespace

std::optional<double> GreatestStep(double estimate, int exponent, const std::function<bool(double)>& tripsAt)
{
    const auto trips = [&](double k) { return tripsAt(Decimal(k, exponent)); };
    double k = std::floor(Decimal(estimate, -exponent));
    if (!(k >= 0))
        k = 0;
    // A bracket of whole numbers, `low` tripping and `high` not, found by steps that double.
    double low = k, high = k;
    if (trips(k)) {
        for (double step = 1; trips(high = low + step); step *= 2)
            low = high;
    } else {
        for (double step = 1; !trips(low = std::max(0.0, high - step)); step *= 2) {
            if (low == 0)
                return std::nullopt;
            high = low;
        }
    }
    // Halved down to neighbours (or to no whole number between them).
    for (;;) {
        const double middle = std::floor(low + (high - low) / 2);
        if (!(middle > low && middle < high))
            break;
        (trips(middle) ? low : high) = middle;
    }
    return Decimal(low, exponent);
}

void AnswerGreatestLength(double root, const std::function<bool(double)>& tripsAt, LineSelection& answer)
{
    answer.greatestLength = root;
    if (!(root < ShownLengthLimit) && tripsAt(ShownLengthLimit)) {
        answer.lengthAnswer = SelectionAnswer::Value;
        answer.shownLength = ShownLengthLimit;
        answer.lengthStep = 0;
        answer.lengthBeyond = true;
        return;
    }
    const int exponent = root < LongLengthFrom ? -1 : 3;
    const std::optional<double> shown = GreatestStep(std::min(root, ShownLengthLimit), exponent, tripsAt);
    if (!shown) {
        answer.lengthAnswer = SelectionAnswer::None;
        return;
    }
    answer.lengthAnswer = SelectionAnswer::Value;
    answer.shownLength = *shown;
    answer.lengthStep = Decimal(1, exponent);
}

void AnswerSmallestSection(const std::string& material, const std::string& lineType,
                           const std::function<bool(const std::string&, const LineImpedance&)>& tripsWith,
                           LineSelection& answer)
{
    bool anyOffered = false, everyTrips = true;
    std::string smallest;
    for (const std::string& section : OfferedSections()) {
        const LineImpedance core = LookupLineImpedance(section, material, lineType);
        if (core.status != LookupStatus::Ok)
            continue;  // not made for this line type and material
        anyOffered = true;
        if (tripsWith(section, core)) {
            if (smallest.empty())
                smallest = section;
        } else {
            everyTrips = false;
        }
    }
    if (!anyOffered || smallest.empty())
        answer.sectionAnswer = SelectionAnswer::None;
    else if (everyTrips)
        answer.sectionAnswer = SelectionAnswer::Any;
    else {
        answer.sectionAnswer = SelectionAnswer::Value;
        answer.section = smallest;
    }
}

void AnswerRating(const SelectionDevice& device, double iokz, SelectionAnswers& answers)
{
    using Kind = SelectionDevice::Kind;
    if (device.kind == Kind::BreakerRelease) {
        answers.releaseCurrent = true;
        const double factor = device.safetyFactor;
        const auto tripsAt = [&](double current) {
            return current > 0 && Trips(iokz, static_cast<double>(static_cast<long double>(current) * factor));
        };
        double largest = iokz / factor;
        if (!tripsAt(largest))
            largest = std::nextafter(largest, 0.0);
        if (!(largest > 0) || !std::isfinite(largest) || !tripsAt(largest)) {
            answers.ratingAnswer = SelectionAnswer::None;
            return;
        }
        // Tenths of an ampere; a current below 0.1 A keeps three significant digits.
        constexpr int MaxDecimals = 18;
        const int decimals = largest >= 0.1 ? 1 : 2 - static_cast<int>(std::floor(std::log10(largest)));
        const std::optional<double> shown =
            decimals <= MaxDecimals ? GreatestStep(largest, -decimals, tripsAt) : std::nullopt;
        answers.ratingAnswer = SelectionAnswer::Value;
        answers.rating = largest;
        answers.shownRating = shown ? *shown : largest;
        answers.ratingDecimals = shown ? decimals : -1;
        return;
    }
    if (device.kind != Kind::Breaker && device.kind != Kind::Fuse)
        return;  // Unknown
    std::optional<double> largest;
    for (std::size_t i = 0; i < device.ratings.size(); ++i) {
        const double trip = CandidateTripCurrent(device, i);
        if (trip > 0 && Trips(iokz, trip) && (!largest || device.ratings[i] > *largest))
            largest = device.ratings[i];
    }
    if (!largest) {
        answers.ratingAnswer = SelectionAnswer::None;
        return;
    }
    answers.ratingAnswer = SelectionAnswer::Value;
    answers.rating = answers.shownRating = *largest;
}

std::optional<SelectionChain> ReadSelectionChain(const NetworkDescription& network,
                                                 const ShortCircuitResult& result)
{
    if (!(result.Iokz > 0))
        return std::nullopt;
    SelectionChain chain;
    chain.Rt = result.Rt;
    chain.Xt = result.Xt;
    chain.Rother = result.Rother;
    for (int n = 0; n < LineSectionCount; ++n) {
        const LineSection& line = network.Lines[n];
        SelectionChain::Section& s = chain.sections[n];
        const LineImpedance phase = LookupLineImpedance(line.Ff, line.Stuff, line.KindPerform);
        const LineImpedance neutral = LookupLineImpedance(line.Fn, line.Stuff, line.KindPerform);
        const DecimalValue length = ParseDecimal(line.Length, DecimalSign::PointOrComma);
        const std::optional<std::int32_t> count = ParseParallelCount(line.QuanPar);
        if (phase.status != LookupStatus::Ok || neutral.status != LookupStatus::Ok ||
            length.status != DecimalStatus::Valid || !count || *count < 1)
            return std::nullopt;
        s.active = phase.r != 0;
        s.rPerMetre = phase.r + neutral.r;
        s.xPerMetre = phase.x + neutral.x;
        s.length = length.value;
        s.count = *count;
        s.material = line.Stuff;
        s.lineType = line.KindPerform;
        chain.RLine[n] = s.rPerMetre * s.length / s.count;
        chain.XLine[n] = s.xPerMetre * s.length / s.count;
    }
    chain.Iokz = ChainIokz(chain, 0, chain.RLine[0], chain.XLine[0]);
    // The texts may have been edited since: only the network that gave this result will do.
    if (chain.Iokz != result.Iokz)
        return std::nullopt;
    return chain;
}

double ChainIokz(const SelectionChain& chain, int line, double rLine, double xLine)
{
    double rLineSum = 0, xLineSum = 0;
    for (int n = 0; n < LineSectionCount; ++n) {
        rLineSum += n == line ? rLine : chain.RLine[n];
        xLineSum += n == line ? xLine : chain.XLine[n];
    }
    const double rsum = chain.Rt / 3 + rLineSum + chain.Rother;
    const double xsum = chain.Xt / 3 + xLineSum;
    return PhaseVoltage / std::sqrt(rsum * rsum + xsum * xsum);
}

double ChainIokzAtLength(const SelectionChain& chain, int line, double length)
{
    const SelectionChain::Section& s = chain.sections[line];
    return ChainIokz(chain, line, s.rPerMetre * length / s.count, s.xPerMetre * length / s.count);
}

const std::vector<std::string>& OfferedSections()
{
    static const std::vector<std::string> sections = {"1.5", "2.5", "4",  "6",   "10",  "16",  "25", "35",
                                                      "50",  "70",  "95", "120", "150", "185", "240"};
    return sections;
}

double CandidateTripCurrent(const SelectionDevice& device, std::size_t rating)
{
    if (rating >= device.ratings.size())
        return 0;
    // Formed as the device window forms it: in extended precision, stored as a double.
    if (device.kind == SelectionDevice::Kind::Breaker)
        return static_cast<double>(static_cast<long double>(device.ratings[rating]) * device.releaseMultiple *
                                   device.safetyFactor);
    if (device.kind == SelectionDevice::Kind::Fuse && rating < device.tableCurrents.size())
        return static_cast<double>(static_cast<long double>(device.tableCurrents[rating]) * device.safetyFactor);
    return 0;
}

bool StartAnswers(const SelectionChain& chain, double current, const SelectionDevice& device, bool trips,
                  SelectionAnswers& answers)
{
    answers.calculated = true;
    answers.iokz = current;
    for (int n = 0; n < LineSectionCount; ++n) {
        answers.lines[n].active = chain.sections[n].active;
        answers.lines[n].length = chain.sections[n].length;
    }
    const double tripCurrent = device.tripCurrent;
    if (device.kind == SelectionDevice::Kind::None || !(tripCurrent > 0))
        return false;
    answers.device = true;
    answers.tripCurrent = tripCurrent;
    answers.margin = current / tripCurrent;
    if (!trips)
        answers.margin = std::min(answers.margin, std::nextafter(1.0, 0.0));
    AnswerRating(device, current, answers);
    return true;
}

SelectionAnswers SelectParameters(const NetworkDescription& network, const ShortCircuitResult& result,
                                  const SelectionDevice& device)
{
    SelectionAnswers answers;
    const std::optional<SelectionChain> chain = ReadSelectionChain(network, result);
    if (!chain)
        return answers;
    const double tripCurrent = device.tripCurrent;
    if (!StartAnswers(*chain, result.Iokz, device, Trips(result.Iokz, tripCurrent), answers))
        return answers;
    for (int n = 0; n < LineSectionCount; ++n) {
        if (!answers.lines[n].active)
            continue;
        AnswerLength(*chain, n, tripCurrent, answers.lines[n]);
        AnswerSection(*chain, n, tripCurrent, answers.lines[n]);
    }
    return answers;
}
