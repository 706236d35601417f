// The maximum fault current and the breaking capacity: hand-checked chains, the capacity verdict
// at its boundaries, and the whole method against an independent model over random chains.
#include "MaximumCurrent.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <complex>
#include <random>

#include "LineUnit.h"
#include "TransformerRatings.h"

namespace {

NetworkDescription Network(const char* power, const char* scheme,
                           std::initializer_list<std::array<const char*, 6>> lines)
{
    NetworkDescription network = InitialNetworkDescription();
    network.TransPower = power;
    network.WindKind = scheme;
    int n = 0;
    for (const auto& l : lines)
        network.Lines[n++] = {l[0], l[1], l[2], l[3], l[4], l[5]};
    return network;
}

// The ratings give back the program's own cells of the schemes whose zero sequence equals the positive.
TEST(MaximumCurrentTest, RatingsGiveTheTableCellsOfDeltaAndZigzagSchemes)
{
    for (const PowerRowEntry& power : PowerRow) {
        for (int column : {2, 3}) {
            const PositiveSequence z = LookupPositiveSequence(power.power, SchemeColumn[column - 1].scheme);
            // A transformer the table has no data for has none here either (0 ≈ 3·0).
            EXPECT_NEAR(3 * z.r1, TransformerRTable[power.row - 1][column - 1], 0.006) << power.power;
            EXPECT_NEAR(3 * z.x1, TransformerXTable[power.row - 1][column - 1], 0.006) << power.power;
        }
    }
}

TEST(MaximumCurrentTest, HandCheckedChains)
{
    const std::array<const char*, 6> cable2x185 = {"Кабель с ПВХ изоляцией", "Медь", "185", "185", "20", "2"};
    const std::array<const char*, 6> paper95 = {"Кабель с бумажной изоляцией", "Алюминий", "95", "50", "100", "нет"};
    const std::array<const char*, 6> pvc16 = {"Кабель с ПВХ изоляцией", "Медь", "16", "16", "30", "нет"};
    const std::array<const char*, 6> pvc25 = {"Кабель с ПВХ изоляцией", "Медь", "2.5", "2.5", "20", "нет"};
    const std::array<const char*, 6> noLength = {"Кабель с ПВХ изоляцией", "Медь", "50", "50", "0", "нет"};
    struct Case {
        const char* name;
        NetworkDescription network;
        MaximumCurrentParameters parameters;
        double gost3, iec3, gost1, iec1, iecPeak;  // A, worked out by hand from the formulas
        int defaultPlace;                          // the start of the last section of some length
    };
    const Case cases[] = {
        {"250 kVA busbar", Network("250", "T/Y-0", {}), {1, 1.05, 0}, 8018.8, 8652.2, 8021.0, 8419.8, 16066, 1},
        {"with a 10 MV·A network", Network("250", "T/Y-0", {}), {1, 1.05, 10},
         5242.7, 5365.5, 5938.4, 6032.1, 10943, 1},
        {"two parallel 185 mm² behind 1000 kVA", Network("1000", "T/Y-0", {cable2x185}), {2, 1.05, 0},
         23528.8, 25469.8, 21225.0, 22280.5, 50331, 1},
        {"the same, c 1.10 and 200 MV·A", Network("1000", "T/Y-0", {cable2x185}), {2, 1.10, 200},
         21826.1, 23549.6, 20295.3, 22187.3, 47391, 1},
        {"Y/Y-0 busbar", Network("400", "Y/Y-0", {paper95, pvc16, pvc25}), {1, 1.05, 0},
         12830.0, 13852.5, 3554.2, 3730.9, 27313, 3},
        {"start of line 2", Network("400", "Y/Y-0", {paper95, pvc16, pvc25}), {2, 1.05, 0},
         5150.0, 5452.7, 1653.9, 1736.2, 7913.5, 3},
        {"start of line 3", Network("400", "Y/Y-0", {paper95, pvc16, pvc25}), {3, 1.05, 0},
         2972.8, 3133.6, 1129.7, 1185.9, 4521.0, 3},
        {"start of line 6, line 4 of no length", Network("400", "Y/Y-0", {paper95, pvc16, pvc25, noLength}),
         {6, 1.05, 0}, 1035.6, 1088.4, 469.6, 493.0, 1570.1, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ShortCircuitResult calculated = CalculateShortCircuit(c.network).result;
        EXPECT_EQ(DefaultDevicePlace(ReadMaximumCurrentChain(c.network, calculated).chain), c.defaultPlace);
        const MaximumCurrentResult r = CalculateMaximumCurrent(c.network, calculated, c.parameters);
        ASSERT_TRUE(r.ok) << r.message;
        EXPECT_NEAR(r.gost.threePhase, c.gost3, 0.1);
        EXPECT_NEAR(r.iec.threePhase, c.iec3, 0.1);
        EXPECT_NEAR(r.gost.singlePhase, c.gost1, 0.1);
        EXPECT_NEAR(r.iec.singlePhase, c.iec1, 0.1);
        EXPECT_NEAR(r.iec.peak, c.iecPeak, 0.5);
        EXPECT_NEAR(r.greatest, std::max({c.gost3, c.iec3, c.gost1, c.iec1}), 0.1);
    }
}

// Against 6 kA of current and a 9 kA peak (1.5·6): the boundary of each step of n, and a fuse.
TEST(MaximumCurrentTest, CapacityVerdictAtItsBoundariesAndMakingFactorSteps)
{
    MaximumCurrentResult r;
    r.greatest = 6000;
    r.peak = 9000;
    struct Case {
        double capacity, factor;  // kA; 0: no making check
        bool sufficient, makingSufficient;
    };
    for (const Case& c : std::initializer_list<Case>{{6, 1.5, true, true}, {5.999, 1.5, false, false},
                                                     {6.001, 1.7, true, true}, {10, 1.7, true, true},
                                                     {10.5, 2.0, true, true}, {20, 2.0, true, true},
                                                     {20.5, 2.1, true, true}, {50, 2.1, true, true},
                                                     {50.5, 2.2, true, true}, {4.5, 0, false, true}}) {
        SCOPED_TRACE(c.capacity);
        const BreakingVerdict v = JudgeBreakingCapacity(r, c.capacity, c.factor > 0);
        EXPECT_EQ(v.sufficient, c.sufficient);
        EXPECT_DOUBLE_EQ(v.margin, c.capacity * 1000 / 6000);
        EXPECT_EQ(v.makingChecked, c.factor > 0);
        EXPECT_DOUBLE_EQ(v.making, c.factor * c.capacity * 1000);
        EXPECT_EQ(v.makingSufficient, c.makingSufficient);
    }
    EXPECT_EQ(SmallestSufficientCapacity(r, {10, 4.5, 6}, true), 6);
    r.peak = 9001;  // 1.5·6 kA falls short: the next one
    EXPECT_EQ(SmallestSufficientCapacity(r, {10, 4.5, 6}, true), 10);
    EXPECT_EQ(SmallestSufficientCapacity(r, {10, 4.5, 6}, false), 6);
    EXPECT_EQ(SmallestSufficientCapacity(r, {4.5, 5}, true), 0);
}

// An independent model of the method in ohms and volts, complex arithmetic written out.
// Iк3, Iк1 max, Iк2, ip by ГОСТ, then by IEC, then the greatest of the four.
std::array<double, 9> Independent(const NetworkDescription& network, const ShortCircuitResult& calculated, int place,
                                  double c, double sk)
{
    using Z = std::complex<double>;
    const double u = 400, s = std::stod(network.TransPower) * 1000;
    int row = 0, column = 0;
    for (const PowerRowEntry& e : PowerRow) row = e.power * 1000 == s ? e.row : row;
    for (const SchemeColumnEntry& e : SchemeColumn) column = e.scheme == network.WindKind ? e.column : column;
    const TransformerRating rating = TransformerRatingTable[row - 1][column - 1];
    const double rt = rating.losses * u * u / (s * s);
    const Z zt(rt, std::sqrt(std::pow(rating.impedanceVoltage / 100 * u * u / s, 2) - rt * rt));
    Z phase, loop(calculated.Rt / 3000, calculated.Xt / 3000);
    for (int n = 0; n + 1 < place; ++n) {
        const LineSection& l = network.Lines[n];
        const LineImpedance p = LookupLineImpedance(l.Ff, l.Stuff, l.KindPerform);
        const LineImpedance q = LookupLineImpedance(l.Fn, l.Stuff, l.KindPerform);
        double length = 0;
        std::from_chars(l.Length.data(), l.Length.data() + l.Length.size(), length);
        const double k = length / 1000 / (l.QuanPar == "нет" ? 1 : std::stoi(l.QuanPar));
        phase += Z(p.r, p.x) * k;
        loop += Z(p.r + q.r, p.x + q.x) * k;
    }
    const Z zs = sk > 0 ? Z(0, u * u / (sk * 1e6)) : Z(0);
    const double zqAbs = sk > 0 ? 1.1 * u * u / (sk * 1e6) : 0;
    const Z zq(0.0995 * zqAbs, 0.995 * zqAbs);
    const double kt = 0.95 * c / (1 + 0.6 * zt.imag() * s / (u * u));
    const Z gost = zt + phase + zs, iec = zq + kt * zt + phase;
    const auto peak = [](Z z, double i3) {
        return (1.02 + 0.98 * std::exp(-3 * z.real() / z.imag())) * std::sqrt(2) * i3;
    };
    const double g3 = u / std::sqrt(3) / std::abs(gost), g1 = 231 / std::abs(loop + 2.0 / 3 * zs);
    const double i3 = c * u / std::sqrt(3) / std::abs(iec), i1 = c * u / std::sqrt(3) / std::abs(loop + 2.0 / 3 * zq);
    return {g3, g1, g3 * std::sqrt(3) / 2, peak(gost, g3), i3, i1, i3 * std::sqrt(3) / 2, peak(iec, i3),
            std::max({g3, g1, i3, i1})};
}

TEST(MaximumCurrentTest, AgreesWithAnIndependentModelOverRandomChains)
{
    std::mt19937 random(26);
    const auto pick = [&](std::initializer_list<const char*> from) {
        return *(from.begin() + std::uniform_int_distribution<std::size_t>(0, from.size() - 1)(random));
    };
    int checked = 0;
    for (int attempt = 0; checked < 3000 && attempt < 30000; ++attempt) {
        NetworkDescription network = InitialNetworkDescription();
        network.TransPower = std::to_string(PowerRow[random() % TransformerRowCount].power);
        network.WindKind = SchemeColumn[random() % SchemeColumnCount].scheme;
        for (LineSection& l : network.Lines) {
            l.KindPerform = pick({"Кабель с бумажной изоляцией", "Кабель с ПВХ изоляцией", "Воздушная"});
            l.Stuff = pick({"Алюминий", "Медь"});
            l.Ff = pick({"0", "2.5", "4", "16", "35", "50", "95", "120", "185", "240"});
            l.Fn = l.Ff == std::string("0") ? "0" : pick({"2.5", "16", "35", "95", "240"});
            char text[32];
            l.Length = std::string(text, std::to_chars(text, text + 32,
                                   std::uniform_real_distribution<double>(0, 400)(random)).ptr);
            l.QuanPar = pick({"нет", "1", "2", "3"});
        }
        const CalculationOutcome outcome = CalculateShortCircuit(network);
        if (outcome.status != CalculationStatus::Success)
            continue;
        ++checked;
        const MaximumCurrentParameters p{std::uniform_int_distribution<int>(1, 6)(random),
                                         random() % 2 ? 1.05 : 1.10,
                                         random() % 3 ? std::uniform_real_distribution<double>(5, 2000)(random) : 0};
        const MaximumCurrentResult r = CalculateMaximumCurrent(network, outcome.result, p);
        ASSERT_TRUE(r.ok) << r.message;
        const std::array<double, 9> model = Independent(network, outcome.result, p.place, p.cMax, p.networkPower);
        const double found[] = {r.gost.threePhase, r.gost.singlePhase, r.gost.twoPhase, r.gost.peak, r.iec.threePhase,
                                r.iec.singlePhase, r.iec.twoPhase, r.iec.peak, r.greatest};
        for (int i = 0; i < 9; ++i) {
            EXPECT_NEAR(found[i] / model[i], 1, 1e-3) << i << ": " << network.TransPower << " place " << p.place;
        }
    }
    EXPECT_EQ(checked, 3000);
}

}  // namespace
