// The minimum fault current: the start current against the loop formula, the heating against
// the closed form and an independent fine integration, parallel cores, the network term, the
// verdicts at their boundaries and the refused parameters.
#include "MinimumCurrent.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

const char* const Aluminium = "Алюминий";
const char* const Copper = "Медь";
const char* const Paper = "Кабель с бумажной изоляцией";
const char* const Pvc = "Кабель с ПВХ изоляцией";
const char* const Overhead = "Воздушная";

struct Line {
    const char *kind, *stuff, *ff, *fn, *length, *count;
};

NetworkDescription Network(std::vector<Line> lines, const char* power = "250", const char* scheme = "T/Y-0",
                           const char* arc = "40")
{
    NetworkDescription network = InitialNetworkDescription();
    network.TransPower = power;
    network.WindKind = scheme;
    network.RArc = arc;
    for (std::size_t n = 0; n < lines.size(); ++n)
        network.Lines[n] = {lines[n].kind, lines[n].stuff, lines[n].ff, lines[n].fn, lines[n].length, lines[n].count};
    return network;
}

ShortCircuitResult Calculated(const NetworkDescription& network)
{
    const CalculationOutcome outcome = CalculateShortCircuit(network);
    EXPECT_EQ(outcome.status, CalculationStatus::Success) << outcome.message;
    return outcome.result;
}

// A final circuit of copper 2.5 mm² PVC cable, 60 m, behind the initial 250 kV·A transformer, Rпр 40 mOhm.
NetworkDescription FinalCircuit() { return Network({{Pvc, Copper, "2.5", "2.5", "60", "нет"}}); }

// Independent of the program's integration: all cores share ∫I²dt = Q, so that
// θ = (θн + β)·exp(Q / (n·K·S)²) − β; dQ/dt = I(Q)² is integrated with fine fixed steps.
struct Reference {
    double current;
    std::vector<double> temperatures;
};
Reference FineIntegration(const MinimumCurrentChain& chain, double emf, double time, int steps = 20000)
{
    const auto temperatures = [&](double q) {
        std::vector<double> t;
        for (const MinimumCurrentChain::Core& c : chain.cores)
            t.push_back((c.start + c.beta) * std::exp(c.heatRate * q) - c.beta);
        return t;
    };
    const auto current = [&](double q) {
        double r = chain.rFixed, x = chain.xFixed;
        const std::vector<double> t = temperatures(q);
        for (std::size_t i = 0; i < t.size(); ++i) {
            r += chain.cores[i].r20 * (1 + 0.004 * (t[i] - 20));
            x += chain.cores[i].x;
        }
        return emf / std::hypot(r, x);
    };
    const auto rate = [&](double q) { return current(q) * current(q); };
    double q = 0;
    const double h = time / steps;
    for (int i = 0; i < steps; ++i) {
        const double k1 = rate(q), k2 = rate(q + h / 2 * k1), k3 = rate(q + h / 2 * k2), k4 = rate(q + h * k3);
        q += h / 6 * (k1 + 2 * k2 + 2 * k3 + k4);
    }
    return {current(q), temperatures(q)};
}

MinimumCurrentChain ChainOf(const NetworkDescription& network, const MinimumCurrentParameters& parameters = {})
{
    const MinimumCurrentChainOutcome read = ReadMinimumCurrentChain(network, Calculated(network), parameters);
    EXPECT_TRUE(read.ok) << read.message;
    return read.chain;
}

// --- the start: cores at θн, no heating ---------------------------------------------------------

struct StartCase {
    const char* name;
    NetworkDescription network;
    MinimumCurrentParameters parameters;
    double startFactor;  // 1 + 0.004·(θн − 20) of every section's line type
};

TEST(MinimumCurrentTest, WithoutHeatingTheCurrentIsTheVoltageOverTheLoopAtStartTemperature)
{
    MinimumCurrentParameters u220;
    u220.phaseVoltage = 220;
    u220.cMin = 1;
    MinimumCurrentParameters hotPaper;
    hotPaper.paperCableStart = 65;
    const StartCase cases[] = {
        {"PvcCopper", FinalCircuit(), {}, 1.2},
        {"PaperAluminiumTwoParallel", Network({{Paper, Aluminium, "95", "50", "100", "2"}}), {}, 1.24},
        {"PaperAt65Degrees", Network({{Paper, Aluminium, "95", "50", "100", "нет"}}), hotPaper, 1.18},
        {"Overhead220V", Network({{Overhead, Aluminium, "70", "70", "300", "нет"}}, "400", "Y/Y-0", "15"), u220, 1.2},
        {"NoLineAtAll", Network({}, "1000", "T/Y-0", "0"), {}, 1.0},
    };
    for (const StartCase& c : cases) {
        SCOPED_TRACE(c.name);
        const ShortCircuitResult result = Calculated(c.network);
        const MinimumCurrentResult at0 = CalculateMinimumCurrent(c.network, result, c.parameters, 0, 0);
        ASSERT_TRUE(at0.ok) << at0.message;
        const double r = result.Rt / 3 + result.Rother + result.RLineSum * c.startFactor;
        const double x = result.Xt / 3 + result.XLineSum;
        const double expected = c.parameters.cMin * c.parameters.phaseVoltage * 1000 / std::hypot(r, x);
        EXPECT_NEAR(at0.startCurrent, expected, 1e-12 * expected);
        EXPECT_EQ(at0.minimumCurrent, at0.startCurrent);
        EXPECT_EQ(at0.time, 0);
        EXPECT_DOUBLE_EQ(at0.voltage, c.parameters.cMin * c.parameters.phaseVoltage);
    }
}

// --- the worked final circuit ----------------------------------------------------------------------

TEST(MinimumCurrentTest, FinalCircuitBehindTheInitialTransformer)
{
    // By hand: R = 32.26/3 + 40 + 2·7.4·60·1.2 = 1116.35 mOhm, X = 80.15/3 + 2·0.11·60 = 39.92 mOhm,
    // 218 500 / 1117.06 = 195.60 A; the core heats by about 36 °C/s at first.
    const NetworkDescription network = FinalCircuit();
    const ShortCircuitResult result = Calculated(network);
    EXPECT_NEAR(result.Iokz, 245.85, 0.01);
    const MinimumCurrentResult breaker = CalculateMinimumCurrent(network, result, {}, 0.4, 176);
    ASSERT_TRUE(breaker.ok) << breaker.message;
    EXPECT_NEAR(breaker.startCurrent, 195.60, 0.01);
    EXPECT_NEAR(breaker.minimumCurrent, 187.11, 0.01);
    EXPECT_NEAR(breaker.sections[0].phaseTemperature, 84.28, 0.01);
    EXPECT_EQ(breaker.sections[0].neutralTemperature, breaker.sections[0].phaseTemperature);
    EXPECT_TRUE(breaker.trips);
    EXPECT_NEAR(breaker.margin, 1.063, 0.001);
    EXPECT_TRUE(breaker.withstands);

    // Over 5 s the falling current still takes the PVC cores past their 150 °C.
    const MinimumCurrentResult fiveSeconds = CalculateMinimumCurrent(network, result, {}, 5, 176);
    EXPECT_NEAR(fiveSeconds.minimumCurrent, 132.86, 0.01);
    EXPECT_NEAR(fiveSeconds.sections[0].phaseTemperature, 218.56, 0.01);
    EXPECT_EQ(fiveSeconds.sections[0].phaseLimit, 150);
    EXPECT_FALSE(fiveSeconds.sections[0].phaseWithstands);
    EXPECT_FALSE(fiveSeconds.sections[0].neutralWithstands);
    EXPECT_FALSE(fiveSeconds.withstands);
    EXPECT_FALSE(fiveSeconds.trips);
    EXPECT_FALSE(fiveSeconds.sections[1].active);
}

// The texts are read as the calculation reads them: a decimal comma, «НЕТ» in any case.
TEST(MinimumCurrentTest, ReadsTypedTextsAsTheCalculationDoes)
{
    const NetworkDescription typed = Network({{Pvc, Copper, "2,5", "2,5", "60,0", "НЕТ"}});
    const MinimumCurrentResult expected = CalculateMinimumCurrent(FinalCircuit(), Calculated(FinalCircuit()), {}, 0.4, 176);
    const MinimumCurrentResult read = CalculateMinimumCurrent(typed, Calculated(typed), {}, 0.4, 176);
    ASSERT_TRUE(read.ok) << read.message;
    EXPECT_EQ(read.minimumCurrent, expected.minimumCurrent);
    EXPECT_EQ(read.sections[0].phaseTemperature, expected.sections[0].phaseTemperature);
}

// --- the heating -------------------------------------------------------------------------------------

// One core behind a fixed impedance so large that the current cannot change: the closed form
// θ = (θн + β)·exp(I²·t / (K·S)²) − β holds exactly.
TEST(MinimumCurrentTest, SingleCoreAtConstantCurrentFollowsTheClosedForm)
{
    struct Case {
        const char* name;
        double k, beta, start, exponent;  // exponent: I²·t / (K·S)² reached at 1 s
        double time;
    };
    const Case cases[] = {
        {"CopperSlow", 226, 234.5, 70, 0.1, 1},
        {"CopperFast", 226, 234.5, 70, 2.0, 1},
        {"AluminiumFiveSeconds", 148, 228, 80, 0.3, 5},
        {"AluminiumShort", 148, 228, 20, 5.0, 0.01},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MinimumCurrentChain chain;
        chain.rFixed = 1e9;
        MinimumCurrentChain::Core core;
        core.r20 = 1e-9;
        core.start = c.start;
        core.limit = 1000;
        core.melting = CoreTemperatureCeiling;  // no metal: the integration alone is judged
        core.beta = c.beta;
        const MinimumCurrentParameters parameters;
        const double current = parameters.cMin * parameters.phaseVoltage * 1000 / chain.rFixed;
        core.heatRate = c.exponent / (current * current);
        chain.cores.push_back(core);
        const MinimumCurrentResult r = SolveMinimumCurrent(chain, parameters, c.time, 0);
        ASSERT_TRUE(r.ok);
        const double expected = (c.start + c.beta) * std::exp(c.exponent * c.time) - c.beta;
        EXPECT_NEAR(r.sections[0].phaseTemperature, expected, 1e-7 * (expected + c.beta));
    }
}

// Chains whose current falls noticeably while they heat, against the fine integration:
// the current within 0.01 %, every temperature within 0.05 °C.
TEST(MinimumCurrentTest, CurrentAndTemperaturesAgreeWithAFineIntegration)
{
    struct Case {
        const char* name;
        NetworkDescription network;
        double time;
    };
    const Case cases[] = {
        {"FinalCircuit04s", FinalCircuit(), 0.4},
        {"FinalCircuit5s", FinalCircuit(), 5},
        {"ShortThinCoreBehindLargeTransformer", Network({{Pvc, Copper, "1.5", "1.5", "2", "нет"}}, "2500", "T/Y-0", "0"), 5},
        {"CableThenThinBranch",
         Network({{Paper, Aluminium, "95", "50", "150", "нет"}, {Pvc, Copper, "4", "2.5", "35", "нет"}}, "630"), 5},
        {"ParallelOverhead", Network({{Overhead, Aluminium, "16", "16", "200", "3"}}, "160", "Y/Y-0", "10"), 0.4},
        {"SixSections",
         Network({{Paper, Aluminium, "240", "120", "50", "2"},
                  {Paper, Aluminium, "120", "70", "80", "нет"},
                  {Overhead, Copper, "25", "16", "120", "нет"},
                  {Pvc, Copper, "10", "6", "40", "нет"},
                  {Pvc, Copper, "6", "4", "25", "2"},
                  {Pvc, Copper, "2.5", "1.5", "15", "нет"}},
                 "400"),
         5},
    };
    const MinimumCurrentParameters parameters;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const MinimumCurrentChain chain = ChainOf(c.network);
        const MinimumCurrentResult r = SolveMinimumCurrent(chain, parameters, c.time, 0);
        ASSERT_TRUE(r.ok || r.melted) << r.message;  // a melted core's figures are still integrated
        const Reference reference = FineIntegration(chain, parameters.cMin * parameters.phaseVoltage * 1000, c.time);
        EXPECT_NEAR(r.minimumCurrent, reference.current, 1e-4 * reference.current);
        EXPECT_LT(r.minimumCurrent, r.startCurrent);
        for (std::size_t i = 0; i < chain.cores.size(); ++i) {
            const MinimumCurrentChain::Core& core = chain.cores[i];
            const SectionHeating& s = r.sections[core.line];
            EXPECT_NEAR(core.neutral ? s.neutralTemperature : s.phaseTemperature, reference.temperatures[i], 0.05)
                << "core " << i;
        }
    }
}

// n parallel conductors carry I/n each: the chain divides resistance and heating by the count.
TEST(MinimumCurrentTest, ParallelConductorsShareTheCurrent)
{
    const MinimumCurrentChain two = ChainOf(Network({{Pvc, Copper, "2.5", "2.5", "120", "2"}}));
    ASSERT_EQ(two.cores.size(), 2u);
    EXPECT_DOUBLE_EQ(two.cores[0].r20, 7.4 * 120 / 2);
    EXPECT_DOUBLE_EQ(two.cores[0].x, 0.11 * 120 / 2);
    EXPECT_DOUBLE_EQ(two.cores[0].heatRate, 1 / ((2 * 226 * 2.5) * (2 * 226 * 2.5)));
    EXPECT_EQ(two.cores[0].beta, 234.5);

    // The same loop resistance as one 60 m cable, a quarter of its heating.
    const NetworkDescription single = FinalCircuit();
    const NetworkDescription doubled = Network({{Pvc, Copper, "2.5", "2.5", "120", "2"}});
    const MinimumCurrentResult one = CalculateMinimumCurrent(single, Calculated(single), {}, 0.4, 0);
    const MinimumCurrentResult both = CalculateMinimumCurrent(doubled, Calculated(doubled), {}, 0.4, 0);
    EXPECT_NEAR(both.startCurrent, one.startCurrent, 1e-9 * one.startCurrent);
    EXPECT_GT(both.minimumCurrent, one.minimumCurrent);
    const double riseOne = one.sections[0].phaseTemperature - 70, riseBoth = both.sections[0].phaseTemperature - 70;
    EXPECT_NEAR(riseBoth / riseOne, 0.25, 0.02);
}

TEST(MinimumCurrentTest, CoresTakeMaterialStartAndLimitOfTheirLineType)
{
    MinimumCurrentParameters p;
    p.paperCableStart = 81, p.pvcCableStart = 71, p.overheadStart = 72;
    p.pvcCableLimit = 161, p.paperCableLimit = 201, p.bareAluminiumLimit = 202, p.bareCopperLimit = 301;
    struct Case {
        Line line;
        double start, limit, k, beta, section;
    };
    const Case cases[] = {
        {{Paper, Aluminium, "95", "50", "10", "нет"}, 81, 201, 148, 228, 95},
        {{Paper, Copper, "35", "16", "10", "нет"}, 81, 201, 226, 234.5, 35},
        {{Pvc, Copper, "2.5", "1.5", "10", "нет"}, 71, 161, 226, 234.5, 2.5},
        {{Pvc, Aluminium, "16", "10", "10", "нет"}, 71, 161, 148, 228, 16},
        {{Overhead, Aluminium, "70", "50", "10", "нет"}, 72, 202, 148, 228, 70},
        {{Overhead, Copper, "25", "16", "10", "нет"}, 72, 301, 226, 234.5, 25},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.line.kind) + " " + c.line.stuff);
        const MinimumCurrentChain chain = ChainOf(Network({c.line}), p);
        ASSERT_EQ(chain.cores.size(), 2u);
        EXPECT_FALSE(chain.cores[0].neutral);
        EXPECT_TRUE(chain.cores[1].neutral);
        for (const MinimumCurrentChain::Core& core : chain.cores) {
            EXPECT_EQ(core.start, c.start);
            EXPECT_EQ(core.limit, c.limit);
            EXPECT_EQ(core.beta, c.beta);
        }
        EXPECT_DOUBLE_EQ(chain.cores[0].heatRate, 1 / (c.k * c.section * c.k * c.section));
    }
    EXPECT_EQ(NominalSection("2.5"), 2.5);
    EXPECT_EQ(NominalSection("1.9"), 0);
    EXPECT_EQ(NominalSection("0"), 0);
    EXPECT_EQ(NominalSection("3"), 0);
}

// A section of no length is no part of the loop; a core heating with almost nothing of its own to
// limit the current stops at the ceiling instead of running the integration away, and has melted.
TEST(MinimumCurrentTest, ZeroLengthSectionsAreLeftOutAndRunawayCoresStopAtTheCeiling)
{
    const NetworkDescription withEmpty =
        Network({{Pvc, Copper, "1.5", "1.5", "0", "нет"}, {Pvc, Copper, "2.5", "2.5", "60", "нет"}}, "2500", "T/Y-0");
    const MinimumCurrentResult r = CalculateMinimumCurrent(withEmpty, Calculated(withEmpty), {}, 5, 0);
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_FALSE(r.sections[0].active);
    EXPECT_TRUE(r.sections[1].active);
    const NetworkDescription alone = Network({{Pvc, Copper, "2.5", "2.5", "60", "нет"}}, "2500", "T/Y-0");
    EXPECT_EQ(r.minimumCurrent, CalculateMinimumCurrent(alone, Calculated(alone), {}, 5, 0).minimumCurrent);

    for (const char* length : {"1e-9", "1e-300"}) {
        SCOPED_TRACE(length);
        const NetworkDescription stub = Network({{Pvc, Copper, "1.5", "1.5", length, "нет"}}, "2500", "T/Y-0", "0");
        for (ConductorHeating heating : {ConductorHeating::Adiabatic, ConductorHeating::UteFactors}) {
            MinimumCurrentParameters p;
            p.heating = heating;
            const MinimumCurrentResult hot = CalculateMinimumCurrent(stub, Calculated(stub), p, 5, 0);
            EXPECT_TRUE(hot.melted);
            EXPECT_EQ(hot.sections[0].phaseTemperature, CoreTemperatureCeiling);
            EXPECT_FALSE(hot.withstands);
            EXPECT_GT(hot.startCurrent, 0);
        }
    }
}

// Against the independent integration: a core is melted exactly when its temperature there passes
// its metal's melting point; the result then gives no minimum current, only why.
TEST(MinimumCurrentTest, CoresBeyondTheirMeltingPointLeaveNoMinimumCurrent)
{
    struct Case {
        const char* name;
        NetworkDescription network;
        double time;
        bool melted;
    };
    const Case cases[] = {
        {"Cu 1.5 mm², 10 m, 5 s", Network({{Pvc, Copper, "1.5", "1.5", "10", "нет"}}, "2500", "T/Y-0", "0"), 5, true},
        {"the same, 0.4 s", Network({{Pvc, Copper, "1.5", "1.5", "10", "нет"}}, "2500", "T/Y-0", "0"), 0.4, false},
        {"Al 16 mm² overhead, 5 s", Network({{Overhead, Aluminium, "16", "16", "20", "нет"}}, "2500", "T/Y-0", "0"),
         5, true},
        {"Cu neutral thinner", Network({{Pvc, Copper, "4", "1.5", "15", "нет"}}, "1000", "T/Y-0", "0"), 5, true},
        {"final circuit, 5 s", FinalCircuit(), 5, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const MinimumCurrentChain chain = ChainOf(c.network);
        const Reference reference = FineIntegration(chain, 0.95 * 230 * 1000, c.time);
        const MinimumCurrentResult r = SolveMinimumCurrent(chain, MinimumCurrentParameters{}, c.time, 176);
        for (std::size_t i = 0; i < chain.cores.size(); ++i) {
            const MinimumCurrentChain::Core& core = chain.cores[i];
            const bool copper = c.network.Lines[core.line].Stuff == Copper;
            const bool melted = reference.temperatures[i] > (copper ? 1083 : 660);
            const SectionHeating& s = r.sections[core.line];
            EXPECT_EQ(core.neutral ? s.neutralMelted : s.phaseMelted, melted) << i;
        }
        EXPECT_EQ(r.melted, c.melted);
        EXPECT_EQ(r.ok, !c.melted);
        if (c.melted) {
            EXPECT_FALSE(r.trips);
            EXPECT_EQ(r.message, "Жила линии 1 нагревается выше температуры плавления: наименьший ток КЗ вне "
                                 "области применения методики");
        }
    }
}

// --- the supply network ------------------------------------------------------------------------------

TEST(MinimumCurrentTest, SupplyNetworkAddsTwoThirdsOfItsImpedance)
{
    const NetworkDescription network = Network({{Paper, Aluminium, "240", "120", "20", "нет"}}, "1000", "T/Y-0", "0");
    const ShortCircuitResult result = Calculated(network);
    struct Case {
        double power, r, x;  // MV·A; added to the loop, mOhm, by hand: Zс = 1.1·400² / Sк = 176 / Sк
    };
    const Case cases[] = {{0, 0, 0}, {100, 2.0 / 3 * 0.1 * 0.995 * 1.76, 2.0 / 3 * 0.995 * 1.76},
                          {17.6, 2.0 / 3 * 0.0995 * 10, 2.0 / 3 * 9.95}, {1, 2.0 / 3 * 0.0995 * 176, 2.0 / 3 * 0.995 * 176}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.power);
        MinimumCurrentParameters p;
        p.networkPower = c.power;
        const MinimumCurrentChain chain = ChainOf(network, p);
        EXPECT_NEAR(chain.rFixed, result.Rt / 3 + result.Rother + c.r, 1e-12);
        EXPECT_NEAR(chain.xFixed, result.Xt / 3 + c.x, 1e-12);
        const MinimumCurrentResult at0 = CalculateMinimumCurrent(network, result, p, 0, 0);
        const double r = result.Rt / 3 + c.r + result.RLineSum * 1.24, x = result.Xt / 3 + c.x + result.XLineSum;
        EXPECT_NEAR(at0.startCurrent, 0.95 * 230 * 1000 / std::hypot(r, x), 1e-9);
    }
}

// --- the verdicts ------------------------------------------------------------------------------------

TEST(MinimumCurrentTest, DeviceTripsWhenTheMinimumCurrentReachesItsTripCurrent)
{
    const NetworkDescription network = FinalCircuit();
    const ShortCircuitResult result = Calculated(network);
    const double current = CalculateMinimumCurrent(network, result, {}, 0.4, 0).minimumCurrent;
    struct Case {
        const char* name;
        double trip;
        bool trips;
    };
    const Case cases[] = {
        {"Equal", current, true},
        {"JustAbove", std::nextafter(current, 1e9), false},
        {"JustBelow", std::nextafter(current, 0.0), true},
        {"BreakerC16", 176, true},
        {"BreakerC20", 220, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const MinimumCurrentResult r = CalculateMinimumCurrent(network, result, {}, 0.4, c.trip);
        EXPECT_EQ(r.trips, c.trips);
        EXPECT_EQ(r.tripCurrent, c.trip);
        EXPECT_DOUBLE_EQ(r.margin, current / c.trip);
    }
    const MinimumCurrentResult none = CalculateMinimumCurrent(network, result, {}, 0.4, 0);
    EXPECT_FALSE(none.trips);
    EXPECT_EQ(none.margin, 0);
}

TEST(MinimumCurrentTest, CoreWithstandsUpToItsLimitInclusive)
{
    const NetworkDescription network = FinalCircuit();
    const ShortCircuitResult result = Calculated(network);
    const double final = CalculateMinimumCurrent(network, result, {}, 5, 0).sections[0].phaseTemperature;
    for (const auto& [limit, withstands] : {std::pair{final, true}, std::pair{std::nextafter(final, 0.0), false}}) {
        MinimumCurrentParameters p;
        p.pvcCableLimit = limit;
        const MinimumCurrentResult r = CalculateMinimumCurrent(network, result, p, 5, 0);
        EXPECT_EQ(r.sections[0].phaseWithstands, withstands);
        EXPECT_EQ(r.withstands, withstands);
    }
}

// --- the fixed factors ---------------------------------------------------------------------------------

TEST(MinimumCurrentTest, UteFactorsGiveOneCurrentWithTheFactorOnTheLineResistance)
{
    const NetworkDescription network = Network({{Paper, Aluminium, "35", "16", "150", "нет"}});
    const ShortCircuitResult result = Calculated(network);
    for (double factor : {1.25, 1.5}) {
        SCOPED_TRACE(factor);
        MinimumCurrentParameters p;
        p.heating = ConductorHeating::UteFactors;
        p.uteFactor = factor;
        const MinimumCurrentResult r = CalculateMinimumCurrent(network, result, p, 0.4, 0);
        ASSERT_TRUE(r.ok);
        const double expected = 218.5 * 1000 / std::hypot(result.Rt / 3 + 40 + factor * result.RLineSum,
                                                          result.Xt / 3 + result.XLineSum);
        EXPECT_NEAR(r.minimumCurrent, expected, 1e-9 * expected);
        EXPECT_EQ(r.startCurrent, r.minimumCurrent);
        const double rate = r.minimumCurrent * r.minimumCurrent / (148.0 * 16 * 148 * 16);
        EXPECT_NEAR(r.sections[0].neutralTemperature, (80 + 228) * std::exp(rate * 0.4) - 228, 1e-9);
    }
}

// --- refusals --------------------------------------------------------------------------------------------

TEST(MinimumCurrentTest, RefusesParametersOutOfRangeAndAnotherNetwork)
{
    struct Case {
        const char* name;
        void (*change)(MinimumCurrentParameters&);
        const char* message;
    };
    const Case cases[] = {
        {"CMinLow", [](MinimumCurrentParameters& p) { p.cMin = 0.7; }, "Неверный коэффициент напряжения cmin"},
        {"CMinNan", [](MinimumCurrentParameters& p) { p.cMin = NAN; }, "Неверный коэффициент напряжения cmin"},
        {"Voltage", [](MinimumCurrentParameters& p) { p.phaseVoltage = 0; }, "Неверное фазное напряжение"},
        {"NetworkNegative", [](MinimumCurrentParameters& p) { p.networkPower = -1; }, "Неверная мощность"},
        {"NetworkTiny", [](MinimumCurrentParameters& p) { p.networkPower = 1e-300; }, "Неверная мощность"},
        {"NetworkBelowOne", [](MinimumCurrentParameters& p) { p.networkPower = 0.999; }, "Неверная мощность"},
        {"StartHot", [](MinimumCurrentParameters& p) { p.pvcCableStart = 251; }, "Неверная длительно"},
        {"LimitInfinite", [](MinimumCurrentParameters& p) { p.bareCopperLimit = INFINITY; }, "Неверная предельная"},
        {"UteFactor", [](MinimumCurrentParameters& p) { p.uteFactor = 3; }, "Неверный коэффициент сопротивления"},
    };
    const NetworkDescription network = FinalCircuit();
    const ShortCircuitResult result = Calculated(network);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MinimumCurrentParameters p;
        c.change(p);
        const MinimumCurrentResult r = CalculateMinimumCurrent(network, result, p, 0.4, 176);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.message.rfind(c.message, 0), 0u) << r.message;
    }
    EXPECT_FALSE(CalculateMinimumCurrent(network, result, {}, -0.1, 0).ok);
    EXPECT_FALSE(CalculateMinimumCurrent(network, result, {}, 31, 0).ok);

    NetworkDescription edited = network;
    edited.Lines[0].Length = "61";
    const MinimumCurrentResult stale = CalculateMinimumCurrent(edited, result, {}, 0.4, 176);
    EXPECT_FALSE(stale.ok);
    EXPECT_EQ(stale.message, "Выполните расчет тока однофазного короткого замыкания");
    EXPECT_FALSE(CalculateMinimumCurrent(network, ShortCircuitResult{}, {}, 0.4, 176).ok);
}

}  // namespace
