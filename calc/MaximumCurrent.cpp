#include "MaximumCurrent.h"

#include <algorithm>
#include <cmath>

#include "MinimumCurrent.h"
#include "Numbers.h"
#include "TransformerRatings.h"

namespace {

constexpr double LineVoltage = 400000;      // 400 V, with impedances in mOhm: A
constexpr double ProgramPhaseVoltage = 231000;  // the calculation's own 231 V
constexpr double SquaredVoltage = 160;      // (400 V)² / (1 MV·A) in mOhm
const double Sqrt3 = std::sqrt(3.0);
const double Sqrt2 = std::sqrt(2.0);

bool InRange(double value, double low, double high) { return value >= low && value <= high; }

// κ of a radial network (IEC 60909-0, 8.1.1, equation 55).
double Kappa(double r, double x) { return 1.02 + 0.98 * std::exp(-3 * r / x); }

void Complete(MethodCurrents& m)
{
    m.twoPhase = Sqrt3 / 2 * m.threePhase;
    m.kappa = Kappa(m.r, m.x);
    m.peak = m.kappa * Sqrt2 * m.threePhase;
}

}  // namespace

std::string CheckMaximumCurrentParameters(const MaximumCurrentParameters& p)
{
    if (p.place < 1 || p.place > LineSectionCount)
        return "Неверное место установки аппарата защиты. Выберите начало линии 1..6";
    if (!InRange(p.cMax, 1, 1.1))
        return "Неверный коэффициент напряжения cmax. Введите величину в диапазоне 1..1.1";
    // The same bound as the minimum check's, which shares Sк with this one.
    if (!(p.networkPower == 0 || InRange(p.networkPower, MinimumNetworkPower, 100000)))
        return "Неверная мощность короткого замыкания питающей сети. Введите величину в диапазоне "
               "1..100000 МВ·А (0 или пусто - сеть не учитывается)";
    return {};
}

MaximumCurrentChainOutcome ReadMaximumCurrentChain(const NetworkDescription& network, const ShortCircuitResult& result)
{
    MaximumCurrentChainOutcome outcome;
    // The minimum current's reading checks that the texts still give this result and splits the
    // sections into their cores; its network term is not taken.
    const MinimumCurrentChainOutcome read = ReadMinimumCurrentChain(network, result, MinimumCurrentParameters{});
    if (!read.ok) {
        outcome.message = read.message;
        return outcome;
    }
    const PositiveSequence transformer =
        LookupPositiveSequence(ParseInteger(network.TransPower).value_or(0), network.WindKind);
    if (!transformer.ok) {
        outcome.message = "Нет данных трансформатора для расчета максимального тока КЗ";
        return outcome;
    }
    MaximumCurrentChain& chain = outcome.chain;
    chain.r1 = transformer.r1;
    chain.x1 = transformer.x1;
    chain.power = transformer.power;
    chain.rLoop = result.Rt / 3;
    chain.xLoop = result.Xt / 3;
    for (const MinimumCurrentChain::Core& core : read.chain.cores) {
        MaximumCurrentChain::Section& section = chain.sections[core.line];
        if (!core.neutral) {
            section.rPhase = core.r20;
            section.xPhase = core.x;
        }
        section.rLoop += core.r20;
        section.xLoop += core.x;
        chain.lastSection = std::max(chain.lastSection, core.line + 1);
    }
    outcome.ok = true;
    return outcome;
}

int DefaultDevicePlace(const MaximumCurrentChain& chain) { return std::max(chain.lastSection, 1); }

MaximumCurrentResult SolveMaximumCurrent(const MaximumCurrentChain& chain, const MaximumCurrentParameters& p)
{
    MaximumCurrentResult result;
    result.message = CheckMaximumCurrentParameters(p);
    if (!result.message.empty())
        return result;
    result.place = p.place;

    double rPhase = 0, xPhase = 0, rLoop = chain.rLoop, xLoop = chain.xLoop;
    for (int n = 0; n + 1 < p.place; ++n) {
        const MaximumCurrentChain::Section& s = chain.sections[n];
        rPhase += s.rPhase;
        xPhase += s.xPhase;
        rLoop += s.rLoop;
        xLoop += s.xLoop;
    }
    const bool network = p.networkPower > 0;

    // ГОСТ 28249-93: a purely reactive network Xс = U²/Sк; the transformer as it is.
    const double xs = network ? SquaredVoltage / p.networkPower : 0;
    MethodCurrents& gost = result.gost;
    gost.r = chain.r1 + rPhase;
    gost.x = chain.x1 + xPhase + xs;
    gost.threePhase = LineVoltage / (Sqrt3 * std::hypot(gost.r, gost.x));
    gost.singlePhase = ProgramPhaseVoltage / std::hypot(rLoop, xLoop + 2 * xs / 3);
    Complete(gost);

    // IEC 60909-0: Z_Q = c·U²/Sк with c = 1.1 at the high-voltage side, X_Q = 0.995·Z_Q,
    // R_Q = 0.1·X_Q (6.2); the transformer corrected by K_T (6.3.3).
    const double zq = network ? 1.1 * SquaredVoltage / p.networkPower : 0;
    const double xq = 0.995 * zq;
    const double rq = 0.1 * xq;
    const double relativeReactance = chain.x1 * chain.power / (SquaredVoltage * 1000);
    const double correction = 0.95 * p.cMax / (1 + 0.6 * relativeReactance);
    MethodCurrents& iec = result.iec;
    iec.r = rq + correction * chain.r1 + rPhase;
    iec.x = xq + correction * chain.x1 + xPhase;
    iec.threePhase = p.cMax * LineVoltage / (Sqrt3 * std::hypot(iec.r, iec.x));
    iec.singlePhase = p.cMax * LineVoltage / Sqrt3 / std::hypot(rLoop + 2 * rq / 3, xLoop + 2 * xq / 3);
    Complete(iec);

    result.greatest = std::max({gost.threePhase, gost.singlePhase, iec.threePhase, iec.singlePhase});
    result.peak = std::max(gost.peak, iec.peak);
    result.ok = std::isfinite(result.greatest) && std::isfinite(result.peak);
    if (!result.ok)
        result.message = "Floating point overflow";
    return result;
}

MaximumCurrentResult CalculateMaximumCurrent(const NetworkDescription& network, const ShortCircuitResult& shortCircuit,
                                             const MaximumCurrentParameters& parameters)
{
    const MaximumCurrentChainOutcome read = ReadMaximumCurrentChain(network, shortCircuit);
    if (!read.ok) {
        MaximumCurrentResult result;
        result.message = read.message;
        return result;
    }
    return SolveMaximumCurrent(read.chain, parameters);
}

double MakingFactor(double capacity)
{
    if (capacity <= 6)
        return 1.5;
    if (capacity <= 10)
        return 1.7;
    if (capacity <= 20)
        return 2.0;
    if (capacity <= 50)
        return 2.1;
    return 2.2;
}

BreakingVerdict JudgeBreakingCapacity(const MaximumCurrentResult& result, double capacityKiloamperes, bool breaker)
{
    BreakingVerdict verdict;
    verdict.capacity = capacityKiloamperes * 1000;
    verdict.sufficient = result.greatest <= verdict.capacity;
    verdict.margin = verdict.capacity / result.greatest;
    if (breaker) {
        verdict.makingChecked = true;
        verdict.factor = MakingFactor(capacityKiloamperes);
        verdict.making = verdict.factor * verdict.capacity;
        verdict.makingSufficient = result.peak <= verdict.making;
    }
    return verdict;
}

double SmallestSufficientCapacity(const MaximumCurrentResult& result, const std::vector<double>& offered, bool breaker)
{
    double smallest = 0;
    for (double capacity : offered) {
        const BreakingVerdict verdict = JudgeBreakingCapacity(result, capacity, breaker);
        if (verdict.sufficient && verdict.makingSufficient && (smallest == 0 || capacity < smallest))
            smallest = capacity;
    }
    return smallest;
}
