#include "ShortCircuit.h"

#include <cmath>
#include <initializer_list>
#include <optional>

#include "LineUnit.h"
#include "Numbers.h"
#include "TransUnit.h"

NetworkDescription InitialNetworkDescription() {
    NetworkDescription network;
    network.TransPower = "250";
    network.WindKind = "T/Y-0";
    for (int n = 0; n < LineSectionCount; ++n) {
        LineSection& line = network.Lines[n];
        line.KindPerform = n == 0 ? "Кабель с бумажной изоляцией" : "Кабель с ПВХ изоляцией";
        line.Stuff = n == 0 ? "Алюминий" : "Медь";
        line.Ff = "0";
        line.Fn = "0";
        line.Length = "0";
        line.QuanPar = "нет";
    }
    network.RArc = "40";
    return network;
}

namespace {

constexpr double PhaseVoltage = 231000;  // 231 V, with the loop impedance in mOhm
constexpr const char* OverflowText = "Floating point overflow";

CalculationOutcome Failure(std::string message) {
    CalculationOutcome outcome;
    outcome.status = CalculationStatus::Failed;
    outcome.message = std::move(message);
    return outcome;
}

CalculationOutcome OverflowStop() {
    CalculationOutcome outcome;
    outcome.status = CalculationStatus::Overflow;
    outcome.message = OverflowText;
    return outcome;
}

// "... линии 1" .. "... линии 6".
std::string ForLine(const char* text, int index) {
    return std::string(text) + static_cast<char>('1' + index);
}

// The core values of one line section, looked up and paired.
struct SectionCores {
    double rPhase = 0, xPhase = 0, rNeutral = 0, xNeutral = 0;
};

bool AllFinite(const ShortCircuitResult& r) {
    for (int n = 0; n < LineSectionCount; ++n) {
        if (!std::isfinite(r.RLine[n]) || !std::isfinite(r.XLine[n]) || !std::isfinite(r.ZLine[n])) return false;
    }
    for (double v : {r.Rt, r.Xt, r.Zt, r.RLineSum, r.XLineSum, r.ZLineSum, r.Rother, r.Rsum, r.Xsum, r.Zsum,
                     r.Iokz}) {
        if (!std::isfinite(v)) return false;
    }
    return true;
}

}  // namespace

CalculationOutcome CalculateShortCircuit(const NetworkDescription& network) {
    const std::optional<std::int32_t> power = ParseInteger(network.TransPower);
    if (!power) {
        CalculationOutcome outcome;
        outcome.status = CalculationStatus::InvalidPower;
        outcome.message = "Неверная мощность трансформатора";
        return outcome;
    }

    const TransformerImpedance transformer = LookupTransformerImpedance(*power, network.WindKind);
    if (!transformer.ok) return Failure(transformer.message);

    // Every section is looked up and paired before any length is read.
    std::array<SectionCores, LineSectionCount> cores;
    for (int n = 0; n < LineSectionCount; ++n) {
        const LineSection& line = network.Lines[n];
        const LineImpedance phase = LookupLineImpedance(line.Ff, line.Stuff, line.KindPerform);
        if (phase.status == LookupStatus::Overflow) return OverflowStop();
        if (phase.status != LookupStatus::Ok) return Failure(phase.message);
        const LineImpedance neutral = LookupLineImpedance(line.Fn, line.Stuff, line.KindPerform);
        if (neutral.status == LookupStatus::Overflow) return OverflowStop();
        if (neutral.status != LookupStatus::Ok) return Failure(neutral.message);
        // Only the "0" row has a zero resistance, so this compares presence, not texts.
        if (phase.r != 0 && neutral.r == 0) return Failure(ForLine("Выберите сечение жилы нулевого провода линии ", n));
        if (phase.r == 0 && neutral.r != 0) return Failure(ForLine("Выберите сечение жилы фазного провода линии ", n));
        cores[n] = {phase.r, phase.x, neutral.r, neutral.x};
    }

    std::array<double, LineSectionCount> lengths{};
    for (int n = 0; n < LineSectionCount; ++n) {
        const DecimalValue length = ParseDecimal(network.Lines[n].Length);
        if (length.status == DecimalStatus::Overflow) return OverflowStop();
        if (length.status == DecimalStatus::Invalid || length.value < 0) {
            return Failure(ForLine("Неверная длина линии ", n));
        }
        lengths[n] = length.value;
    }

    std::array<std::int32_t, LineSectionCount> counts{};
    for (int n = 0; n < LineSectionCount; ++n) {
        const std::string& text = network.Lines[n].QuanPar;
        const std::optional<std::int32_t> count = text == "нет" ? std::optional<std::int32_t>(1) : ParseInteger(text);
        if (!count || *count < 1) return Failure(ForLine("Неверное количество параллельных проводов линии ", n));
        counts[n] = *count;
    }

    const DecimalValue arc = ParseDecimal(network.RArc);
    if (arc.status == DecimalStatus::Overflow) return OverflowStop();
    if (arc.status == DecimalStatus::Invalid || arc.value < 0 || arc.value > 40) {
        return Failure("Неверное сопротивление электрической дуги. Введите величину в диапазоне 0..40 мОм");
    }

    CalculationOutcome outcome;
    ShortCircuitResult& r = outcome.result;
    r.Rt = transformer.Rt;
    r.Xt = transformer.Xt;
    r.Zt = transformer.Zt;
    for (int n = 0; n < LineSectionCount; ++n) {
        const SectionCores& c = cores[n];
        r.RLine[n] = (c.rPhase + c.rNeutral) * lengths[n] / counts[n];
        r.XLine[n] = (c.xPhase + c.xNeutral) * lengths[n] / counts[n];
        r.ZLine[n] = std::sqrt(r.RLine[n] * r.RLine[n] + r.XLine[n] * r.XLine[n]);
        r.RLineSum += r.RLine[n];
        r.XLineSum += r.XLine[n];
    }
    r.ZLineSum = std::sqrt(r.RLineSum * r.RLineSum + r.XLineSum * r.XLineSum);
    r.Rother = arc.value;
    r.Rsum = r.Rt / 3 + r.RLineSum + r.Rother;
    r.Xsum = r.Xt / 3 + r.XLineSum;
    r.Zsum = std::sqrt(r.Rsum * r.Rsum + r.Xsum * r.Xsum);
    r.Iokz = PhaseVoltage / r.Zsum;
    // A product or square beyond the range of a double stops the calculation like a typed one.
    if (!AllFinite(r)) return OverflowStop();
    outcome.status = CalculationStatus::Success;
    return outcome;
}
