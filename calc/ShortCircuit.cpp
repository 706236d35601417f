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

CalculationOutcome Failure(std::string message, NetworkField field, int line = -1) {
    CalculationOutcome outcome;
    outcome.status = CalculationStatus::Failed;
    outcome.message = std::move(message);
    outcome.field = field;
    outcome.line = line;
    return outcome;
}

CalculationOutcome OverflowStop(NetworkField field = NetworkField::None, int line = -1) {
    CalculationOutcome outcome;
    outcome.status = CalculationStatus::Overflow;
    outcome.message = OverflowText;
    outcome.field = field;
    outcome.line = line;
    return outcome;
}

// The failure of one core's lookup, laid to the field the lookup refused.
CalculationOutcome CoreFailure(const LineImpedance& core, NetworkField sectionField, int line) {
    NetworkField field = sectionField;
    if (core.refused == LineInput::Material) field = NetworkField::Stuff;
    if (core.refused == LineInput::LineType) field = NetworkField::KindPerform;
    if (core.status == LookupStatus::Overflow) return OverflowStop(field, line);
    if (core.offSeries) {
        const std::string which = sectionField == NetworkField::Ff ? "фазного провода (" : "нулевого провода (";
        return Failure(OffSeriesSectionMessage(which + static_cast<char>('1' + line) + "-й участок)"), field, line);
    }
    return Failure(core.message, field, line);
}

// Cyrillic capitals of UTF-8 text in lower case; every other byte as it is.
std::string LowerCyrillic(std::string_view text) {
    std::string lower(text);
    for (std::size_t i = 0; i + 1 < lower.size(); ++i) {
        const auto lead = static_cast<unsigned char>(lower[i]);
        const auto next = static_cast<unsigned char>(lower[i + 1]);
        if (lead == 0xD0 && next >= 0x90 && next <= 0x9F) {  // А..П -> а..п
            lower[i + 1] = static_cast<char>(next + 0x20);
        } else if (lead == 0xD0 && next >= 0xA0 && next <= 0xAF) {  // Р..Я -> р..я
            lower[i] = static_cast<char>(0xD1);
            lower[i + 1] = static_cast<char>(next - 0x20);
        } else if (lead == 0xD0 && next == 0x81) {  // Ё -> ё
            lower[i] = static_cast<char>(0xD1);
            lower[i + 1] = static_cast<char>(0x91);
        }
        if (lead >= 0xC0) ++i;  // the continuation byte is done
    }
    return lower;
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

std::optional<std::int32_t> ParseParallelCount(std::string_view text) {
    if (LowerCyrillic(text) == "нет") return 1;
    return ParseInteger(text);
}

CalculationOutcome CalculateShortCircuit(const NetworkDescription& network) {
    const std::optional<std::int32_t> power = ParseInteger(network.TransPower);
    if (!power) {
        CalculationOutcome outcome;
        outcome.status = CalculationStatus::InvalidPower;
        outcome.message = "Неверная мощность трансформатора";
        outcome.field = NetworkField::TransPower;
        return outcome;
    }

    const TransformerImpedance transformer = LookupTransformerImpedance(*power, network.WindKind);
    if (!transformer.ok) {
        return Failure(transformer.message, transformer.schemeRefused ? NetworkField::WindKind : NetworkField::TransPower);
    }

    // Every section is looked up and paired before any length is read.
    std::array<SectionCores, LineSectionCount> cores;
    for (int n = 0; n < LineSectionCount; ++n) {
        const LineSection& line = network.Lines[n];
        const LineImpedance phase = LookupLineImpedance(line.Ff, line.Stuff, line.KindPerform);
        if (phase.status != LookupStatus::Ok) return CoreFailure(phase, NetworkField::Ff, n);
        const LineImpedance neutral = LookupLineImpedance(line.Fn, line.Stuff, line.KindPerform);
        if (neutral.status != LookupStatus::Ok) return CoreFailure(neutral, NetworkField::Fn, n);
        // Only the "0" row has a zero resistance, so this compares presence, not texts.
        if (phase.r != 0 && neutral.r == 0) {
            return Failure(ForLine("Выберите сечение жилы нулевого провода линии ", n), NetworkField::Fn, n);
        }
        if (phase.r == 0 && neutral.r != 0) {
            return Failure(ForLine("Выберите сечение жилы фазного провода линии ", n), NetworkField::Ff, n);
        }
        cores[n] = {phase.r, phase.x, neutral.r, neutral.x};
    }

    std::array<double, LineSectionCount> lengths{};
    for (int n = 0; n < LineSectionCount; ++n) {
        const DecimalValue length = ParseDecimal(network.Lines[n].Length, DecimalSign::PointOrComma);
        if (length.status == DecimalStatus::Overflow) return OverflowStop(NetworkField::Length, n);
        if (length.status == DecimalStatus::Invalid || length.value < 0) {
            return Failure(ForLine("Неверная длина линии ", n), NetworkField::Length, n);
        }
        lengths[n] = length.value;
    }

    std::array<std::int32_t, LineSectionCount> counts{};
    for (int n = 0; n < LineSectionCount; ++n) {
        const std::optional<std::int32_t> count = ParseParallelCount(network.Lines[n].QuanPar);
        if (!count || *count < 1) {
            return Failure(ForLine("Неверное количество параллельных проводов линии ", n), NetworkField::QuanPar, n);
        }
        counts[n] = *count;
    }

    const DecimalValue arc = ParseDecimal(network.RArc, DecimalSign::PointOrComma);
    if (arc.status == DecimalStatus::Overflow) return OverflowStop(NetworkField::RArc);
    if (arc.status == DecimalStatus::Invalid || arc.value < 0 || arc.value > 40) {
        return Failure("Неверное сопротивление электрической дуги. Введите величину в диапазоне 0..40 мОм",
                       NetworkField::RArc);
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
