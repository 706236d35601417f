#include "MinimumCurrent.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "LineUnit.h"
#include "Numbers.h"

namespace {

constexpr double TemperatureCoefficient = 0.004;  // 1/°C, of the 20 °C resistance (IEC 60909-0)
constexpr double NetworkVoltage = 400;            // V, the transformer's low side the network is referred to
constexpr double NetworkFactor = 1.1;             // c of the 6–10 kV side the network term stands for
constexpr double LogStep = 0.05;                  // largest growth of ln(θ + β) per integration step

// K (A·s^0.5/mm²) and β (°C) of the adiabatic equation (IEC 60949, IEC 60364-5-54).
struct MaterialHeat {
    double k, beta, melting;
};
constexpr MaterialHeat Copper{226, 234.5, CopperMeltingPoint};
constexpr MaterialHeat Aluminium{148, 228, AluminiumMeltingPoint};

bool InRange(double value, double low, double high) { return value >= low && value <= high; }

}  // namespace

double NominalSection(const std::string& text)
{
    const int row = FindSectionRow(text);
    return row > 0 ? SectionRow[row - 1].section : 0;
}

std::string CheckMinimumCurrentParameters(const MinimumCurrentParameters& p)
{
    if (!InRange(p.cMin, 0.8, 1.1))
        return "Неверный коэффициент напряжения cmin. Введите величину в диапазоне 0.8..1.1";
    if (!InRange(p.phaseVoltage, 100, 1000))
        return "Неверное фазное напряжение сети. Введите величину в диапазоне 100..1000 В";
    if (!(p.networkPower == 0 || InRange(p.networkPower, MinimumNetworkPower, 100000)))
        return "Неверная мощность короткого замыкания питающей сети. Введите величину в диапазоне "
               "1..100000 МВ·А (0 или пусто - сеть не учитывается)";
    if (!InRange(p.uteFactor, 1, 2))
        return "Неверный коэффициент сопротивления жил. Введите величину в диапазоне 1..2";
    for (double start : {p.paperCableStart, p.pvcCableStart, p.overheadStart}) {
        if (!InRange(start, 0, 250))
            return "Неверная длительно допустимая температура жил. Введите величину в диапазоне 0..250 °C";
    }
    for (double limit : {p.pvcCableLimit, p.paperCableLimit, p.bareAluminiumLimit, p.bareCopperLimit}) {
        if (!InRange(limit, 0, 1000))
            return "Неверная предельная температура жил при КЗ. Введите величину в диапазоне 0..1000 °C";
    }
    return {};
}

MinimumCurrentChainOutcome ReadMinimumCurrentChain(const NetworkDescription& network,
                                                   const ShortCircuitResult& result,
                                                   const MinimumCurrentParameters& p)
{
    MinimumCurrentChainOutcome outcome;
    // Only the network that gave this result will do: its texts may have been edited since.
    const CalculationOutcome again = CalculateShortCircuit(network);
    if (!(result.Iokz > 0) || again.status != CalculationStatus::Success || again.result.Iokz != result.Iokz) {
        outcome.message = "Выполните расчет тока однофазного короткого замыкания";
        return outcome;
    }
    MinimumCurrentChain& chain = outcome.chain;
    chain.rFixed = result.Rt / 3 + result.Rother;
    chain.xFixed = result.Xt / 3;
    if (p.networkPower > 0) {
        // V² / (MV·A) gives µOhm; / 1000 for mOhm (176 / Sк at 400 V).
        const double zs = NetworkFactor * NetworkVoltage * NetworkVoltage / p.networkPower / 1000;
        const double xs = 0.995 * zs;
        const double rs = 0.1 * xs;
        chain.rFixed += 2 * rs / 3;
        chain.xFixed += 2 * xs / 3;
    }
    for (int n = 0; n < LineSectionCount; ++n) {
        const LineSection& line = network.Lines[n];
        const LineImpedance phase = LookupLineImpedance(line.Ff, line.Stuff, line.KindPerform);
        const LineImpedance neutral = LookupLineImpedance(line.Fn, line.Stuff, line.KindPerform);
        if (phase.r == 0)
            continue;
        const double length = ParseDecimal(line.Length, DecimalSign::PointOrComma).value;
        // A section of no length carries no resistance: nothing of it limits the current or heats.
        if (!(length > 0))
            continue;
        const int count = ParseParallelCount(line.QuanPar).value_or(1);
        const bool copper = line.Stuff == "Медь";
        const MaterialHeat heat = copper ? Copper : Aluminium;
        double start = p.overheadStart;
        double limit = copper ? p.bareCopperLimit : p.bareAluminiumLimit;
        if (line.KindPerform == "Кабель с бумажной изоляцией") {
            start = p.paperCableStart;
            limit = p.paperCableLimit;
        } else if (line.KindPerform == "Кабель с ПВХ изоляцией") {
            start = p.pvcCableStart;
            limit = p.pvcCableLimit;
        }
        for (const bool isNeutral : {false, true}) {
            const LineImpedance& core = isNeutral ? neutral : phase;
            const double section = NominalSection(isNeutral ? line.Fn : line.Ff);
            MinimumCurrentChain::Core c;
            c.line = n;
            c.neutral = isNeutral;
            c.r20 = core.r * length / count;
            c.x = core.x * length / count;
            c.start = start;
            c.limit = limit;
            c.melting = heat.melting;
            const double perConductor = count * heat.k * section;
            c.heatRate = 1 / (perConductor * perConductor);
            c.beta = heat.beta;
            chain.cores.push_back(c);
        }
    }
    outcome.ok = true;
    return outcome;
}

namespace {

constexpr int MaxCores = 2 * LineSectionCount;
using Temperatures = std::array<double, MaxCores>;

// The loop current, A, with the cores at temperatures `t`.
double LoopCurrent(const MinimumCurrentChain& chain, double emf, const Temperatures& t)
{
    double r = chain.rFixed, x = chain.xFixed;
    for (std::size_t i = 0; i < chain.cores.size(); ++i) {
        const MinimumCurrentChain::Core& c = chain.cores[i];
        r += c.r20 * (1 + TemperatureCoefficient * (t[i] - 20));
        x += c.x;
    }
    return emf / std::sqrt(r * r + x * x);
}

// dθ/dt of every core at temperatures `t`.
Temperatures Rates(const MinimumCurrentChain& chain, double emf, const Temperatures& t)
{
    const double current = LoopCurrent(chain, emf, t);
    const double squared = current * current;
    Temperatures rate{};
    for (std::size_t i = 0; i < chain.cores.size(); ++i) {
        if (t[i] < CoreTemperatureCeiling)
            rate[i] = (t[i] + chain.cores[i].beta) * chain.cores[i].heatRate * squared;
    }
    return rate;
}

Temperatures Along(const Temperatures& t, const Temperatures& rate, double h, std::size_t count)
{
    Temperatures out = t;
    for (std::size_t i = 0; i < count; ++i)
        out[i] += h * rate[i];
    return out;
}

// The temperatures after `time` seconds of adiabatic heating from `t`.
Temperatures Heat(const MinimumCurrentChain& chain, double emf, Temperatures t, double time)
{
    const std::size_t count = chain.cores.size();
    double left = time;
    while (left > 0) {
        const Temperatures k1 = Rates(chain, emf, t);
        // The log growth rate of (θ + β) is heatRate·I², the same at every stage's start.
        double fastest = 0;
        for (std::size_t i = 0; i < count; ++i) {
            if (t[i] < CoreTemperatureCeiling)
                fastest = std::max(fastest, k1[i] / (t[i] + chain.cores[i].beta));
        }
        double h = left;
        if (fastest * h > LogStep)
            h = LogStep / fastest;
        if (h >= left || left - h < 1e-12 * time)
            h = left;
        const Temperatures k2 = Rates(chain, emf, Along(t, k1, h / 2, count));
        const Temperatures k3 = Rates(chain, emf, Along(t, k2, h / 2, count));
        const Temperatures k4 = Rates(chain, emf, Along(t, k3, h, count));
        for (std::size_t i = 0; i < count; ++i)
            t[i] = std::min(t[i] + h / 6 * (k1[i] + 2 * k2[i] + 2 * k3[i] + k4[i]), CoreTemperatureCeiling);
        left -= h;
    }
    return t;
}

}  // namespace

MinimumCurrentResult SolveMinimumCurrent(const MinimumCurrentChain& chain, const MinimumCurrentParameters& p,
                                         double time, double tripCurrent)
{
    MinimumCurrentResult result;
    std::string refused = CheckMinimumCurrentParameters(p);
    if (refused.empty() && !InRange(time, 0, 30))
        refused = "Неверное время короткого замыкания. Введите величину в диапазоне 0..30 с";
    if (refused.empty() && chain.cores.size() > MaxCores)
        refused = "Слишком много жил в расчете";
    if (!refused.empty()) {
        result.message = std::move(refused);
        return result;
    }
    result.time = time;
    result.voltage = p.cMin * p.phaseVoltage;
    const double emf = result.voltage * 1000;  // V with the loop in mOhm gives A

    const std::size_t count = chain.cores.size();
    Temperatures start{};
    for (std::size_t i = 0; i < count; ++i)
        start[i] = chain.cores[i].start;
    Temperatures final = start;
    if (p.heating == ConductorHeating::Adiabatic) {
        result.startCurrent = LoopCurrent(chain, emf, start);
        final = Heat(chain, emf, start, time);
        result.minimumCurrent = LoopCurrent(chain, emf, final);
    } else {
        // The factor stands for the whole fault: one current; the cores heat at it from θн.
        // The factor is put as the temperature at which the resistance has grown by it.
        Temperatures asFactor{};
        for (std::size_t i = 0; i < count; ++i)
            asFactor[i] = 20 + (p.uteFactor - 1) / TemperatureCoefficient;
        result.startCurrent = result.minimumCurrent = LoopCurrent(chain, emf, asFactor);
        const double squared = result.minimumCurrent * result.minimumCurrent;
        for (std::size_t i = 0; i < count; ++i) {
            const MinimumCurrentChain::Core& c = chain.cores[i];
            final[i] = std::min((start[i] + c.beta) * std::exp(c.heatRate * squared * time) - c.beta,
                                CoreTemperatureCeiling);
        }
    }

    int meltedLine = -1;
    for (std::size_t i = 0; i < count; ++i) {
        const MinimumCurrentChain::Core& c = chain.cores[i];
        SectionHeating& s = result.sections[c.line];
        s.active = true;
        const bool withstands = !(final[i] > c.limit);
        const bool melted = final[i] > c.melting;
        (c.neutral ? s.neutralTemperature : s.phaseTemperature) = final[i];
        (c.neutral ? s.neutralLimit : s.phaseLimit) = c.limit;
        (c.neutral ? s.neutralWithstands : s.phaseWithstands) = withstands;
        (c.neutral ? s.neutralMelted : s.phaseMelted) = melted;
        result.withstands = result.withstands && withstands;
        if (melted && meltedLine < 0)
            meltedLine = c.line;
    }
    if (tripCurrent > 0) {
        result.tripCurrent = tripCurrent;
        result.trips = result.minimumCurrent >= tripCurrent;
        result.margin = result.minimumCurrent / tripCurrent;
    }
    result.ok = std::isfinite(result.minimumCurrent) && result.minimumCurrent > 0;
    if (!result.ok)
        result.message = "Floating point overflow";
    if (meltedLine >= 0) {
        // The current after the core has gone is a figure of a chain that no longer exists.
        result.ok = false;
        result.melted = true;
        result.withstands = false;
        result.trips = false;
        result.margin = 0;
        result.message = "Жила линии " + std::string(1, static_cast<char>('1' + meltedLine)) +
                         " нагревается выше температуры плавления: наименьший ток КЗ вне области применения "
                         "методики";
    }
    return result;
}

MinimumCurrentResult CalculateMinimumCurrent(const NetworkDescription& network, const ShortCircuitResult& shortCircuit,
                                             const MinimumCurrentParameters& parameters, double time,
                                             double tripCurrent)
{
    const MinimumCurrentChainOutcome read = ReadMinimumCurrentChain(network, shortCircuit, parameters);
    if (!read.ok) {
        MinimumCurrentResult result;
        result.message = read.message;
        return result;
    }
    return SolveMinimumCurrent(read.chain, parameters, time, tripCurrent);
}
