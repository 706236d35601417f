// The transformer table: lookups, refusals and the consistency of the held values.
#include "TransUnit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>

namespace {

const std::string UnknownPower = "Неизвестная мощность трансформатора. Выберите мощность из списка";
const std::string WrongScheme = "Неправильная схема соединения обмоток трансформатора.";
const std::string UnknownTransformer =
    "Неизвестная марка трансформатора. Попробуйте выбрать трансформатор другой мощности или изменить схему "
    "соединения обмоток";

const std::int32_t Powers[] = {25, 40, 63, 100, 160, 250, 400, 630, 800, 1000, 1250, 1600, 2500};

TEST(TransUnitTest, KnownTransformerYieldsItsThreePhaseValues) {
    const TransformerImpedance t = LookupTransformerImpedance(250, "T/Y-0");
    ASSERT_TRUE(t.ok) << t.message;
    EXPECT_EQ(t.Rt, 32.26);
    EXPECT_EQ(t.Xt, 80.15);
    EXPECT_EQ(t.Zt, 86.39866954994157);
    EXPECT_TRUE(t.message.empty());
}

TEST(TransUnitTest, RefusalsAndTheirOrder) {
    const struct {
        const char* name;
        std::int32_t power;
        const char* scheme;
        const std::string& message;
    } cases[] = {
        {"power not in the list", 300, "T/Y-0", UnknownPower},
        {"zero power", 0, "T/Y-0", UnknownPower},
        {"negative power", -250, "T/Y-0", UnknownPower},
        {"power before scheme", 300, "bad", UnknownPower},
        {"lower-case scheme", 250, "t/y-0", WrongScheme},
        {"trailing blank", 250, "T/Y-0 ", WrongScheme},
        {"leading blank", 250, " T/Y-0", WrongScheme},
        {"Cyrillic Т in the scheme", 250, "Т/Y-0", WrongScheme},
        {"empty scheme", 250, "", WrongScheme},
        {"Y/Z-0 above 250 kVA", 400, "Y/Z-0", UnknownTransformer},
        {"Y/Z-0 at 2500 kVA", 2500, "Y/Z-0", UnknownTransformer},
    };
    for (const auto& c : cases) {
        const TransformerImpedance t = LookupTransformerImpedance(c.power, c.scheme);
        EXPECT_FALSE(t.ok) << c.name;
        EXPECT_EQ(t.message, c.message) << c.name;
    }
}

// Every scheme is known at every power except "Y/Z-0" above 250 kVA; a known cell has
// positive R and X and Z = √(R² + X²).
TEST(TransUnitTest, EveryCellIsKnownOrRefused) {
    for (std::int32_t power : Powers) {
        for (const char* scheme : {"Y/Y-0", "T/Y-0", "Y/Z-0"}) {
            const TransformerImpedance t = LookupTransformerImpedance(power, scheme);
            const bool expectKnown = std::string(scheme) != "Y/Z-0" || power <= 250;
            ASSERT_EQ(t.ok, expectKnown) << power << " kVA " << scheme;
            if (!t.ok) continue;
            EXPECT_GT(t.Rt, 0) << power << " kVA " << scheme;
            EXPECT_GT(t.Xt, t.Rt) << power << " kVA " << scheme;
            EXPECT_DOUBLE_EQ(t.Zt, std::hypot(t.Rt, t.Xt)) << power << " kVA " << scheme;
        }
    }
}

// A bigger transformer has a smaller impedance in every scheme.
TEST(TransUnitTest, ImpedanceFallsAsPowerGrows) {
    for (const char* scheme : {"Y/Y-0", "T/Y-0", "Y/Z-0"}) {
        TransformerImpedance previous = LookupTransformerImpedance(Powers[0], scheme);
        for (std::size_t i = 1; i < std::size(Powers); ++i) {
            const TransformerImpedance t = LookupTransformerImpedance(Powers[i], scheme);
            if (!t.ok) break;
            EXPECT_LT(t.Rt, previous.Rt) << Powers[i] << " kVA " << scheme;
            EXPECT_LT(t.Xt, previous.Xt) << Powers[i] << " kVA " << scheme;
            previous = t;
        }
    }
}

// "T/Y-0" and "Y/Z-0" hold three times the positive-sequence values
// R1 = ΔPк·U²/S², X1 = √((uк·U²/S)² − R1²) of the catalogue transformers, to 0.01 mOhm.
TEST(TransUnitTest, DeltaAndZigzagCellsFollowTheCatalogue) {
    const struct {
        std::int32_t power;
        double lossesW;
        double ukDelta, ukZigzag;  // %
    } catalogue[] = {
        {25, 690, 4.7, 4.7},     {40, 1000, 4.7, 4.7},    {63, 1470, 4.7, 4.7},    {100, 2270, 4.5, 4.7},
        {160, 3100, 4.5, 4.7},   {250, 4200, 4.5, 4.7},   {400, 5900, 4.5, 0},     {630, 8500, 5.5, 0},
        {800, 10200, 5.5, 0},    {1000, 12200, 5.5, 0},   {1250, 15000, 6.0, 0},   {1600, 18000, 6.0, 0},
        {2500, 28000, 6.5, 0},
    };
    const double u = 400;  // V
    for (const auto& c : catalogue) {
        const double s = c.power * 1000.0;
        const double r1 = c.lossesW * u * u / (s * s) * 1000;  // mOhm
        for (const auto& [scheme, uk] : {std::pair{"T/Y-0", c.ukDelta}, std::pair{"Y/Z-0", c.ukZigzag}}) {
            if (uk == 0) continue;
            const double z1 = uk / 100 * u * u / s * 1000;
            const double x1 = std::sqrt(z1 * z1 - r1 * r1);
            const TransformerImpedance t = LookupTransformerImpedance(c.power, scheme);
            ASSERT_TRUE(t.ok) << c.power << " kVA " << scheme;
            EXPECT_NEAR(t.Rt, 3 * r1, 0.0051) << c.power << " kVA " << scheme;
            EXPECT_NEAR(t.Xt, 3 * x1, 0.0051) << c.power << " kVA " << scheme;
        }
    }
}

// "Y/Y-0" cells reproduce the handbook totals |Zт(1)| and the 160 kVA sequence values.
TEST(TransUnitTest, StarStarCellsFollowTheHandbookTotals) {
    const struct {
        std::int32_t power;
        double zOhm;
    } handbook[] = {{25, 3.110}, {40, 1.949}, {63, 1.237}, {100, 0.779}, {250, 0.312},
                    {400, 0.195}, {630, 0.129}, {1000, 0.081}, {1600, 0.054}};
    for (const auto& h : handbook) {
        const TransformerImpedance t = LookupTransformerImpedance(h.power, "Y/Y-0");
        ASSERT_TRUE(t.ok) << h.power;
        EXPECT_NEAR(t.Zt, h.zOhm * 1000, 0.6) << h.power << " kVA";
    }
    // Z1 = 17 + j42, Z0 = 151 + j367 mOhm: 2·Z1 + Z0.
    const TransformerImpedance t160 = LookupTransformerImpedance(160, "Y/Y-0");
    EXPECT_EQ(t160.Rt, 2 * 17 + 151);
    EXPECT_EQ(t160.Xt, 2 * 42 + 367);
}

}  // namespace
