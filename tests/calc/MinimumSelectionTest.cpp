// "Подбор" at the minimum current: with the method reduced to the program's own assumptions it
// gives the program's answers; with its defaults every shown value is checked through the
// minimum-current calculation.
#include "MinimumSelection.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "Numbers.h"

namespace {

NetworkDescription WithLines(std::initializer_list<LineSection> lines, const char* power = "250")
{
    NetworkDescription network = InitialNetworkDescription();
    network.TransPower = power;
    int n = 0;
    for (const LineSection& line : lines)
        network.Lines[n++] = line;
    return network;
}

const LineSection FinalCircuit{"Кабель с ПВХ изоляцией", "Медь", "2.5", "2.5", "60", "нет"};
const LineSection PaperFeeder{"Кабель с бумажной изоляцией", "Алюминий", "95", "50", "150", "нет"};
const LineSection Branch{"Кабель с ПВХ изоляцией", "Медь", "4", "4", "40", "2"};

// A C-curve breaker of 16 A: 16 × 10 × 1.1 = 176 A.
SelectionDevice BreakerC16()
{
    SelectionDevice device;
    device.kind = SelectionDevice::Kind::Breaker;
    device.tripCurrent = 176;
    device.safetyFactor = 1.1;
    device.releaseMultiple = 10;
    device.ratings = {6, 10, 16, 20, 25, 32, 40, 50, 63};
    return device;
}

ShortCircuitResult Calculated(const NetworkDescription& network) { return CalculateShortCircuit(network).result; }

std::optional<double> MinimumOf(NetworkDescription network, const MinimumCurrentParameters& p, double time)
{
    const CalculationOutcome outcome = CalculateShortCircuit(network);
    if (outcome.status != CalculationStatus::Success)
        return std::nullopt;
    return CalculateMinimumCurrent(network, outcome.result, p, time, 0).minimumCurrent;
}

TEST(MinimumSelectionTest, MethodReducedToTheProgramsAssumptionsGivesTheProgramsAnswers)
{
    MinimumCurrentParameters program;
    program.cMin = 1;
    program.phaseVoltage = 231;
    program.paperCableStart = program.pvcCableStart = program.overheadStart = 20;
    for (const NetworkDescription& network : {WithLines({FinalCircuit}), WithLines({PaperFeeder, Branch}, "630")}) {
        const ShortCircuitResult result = Calculated(network);
        const SelectionAnswers expected = SelectParameters(network, result, BreakerC16());
        const SelectionAnswers answers = SelectParametersAtMinimumCurrent(network, result, BreakerC16(), program, 0);
        ASSERT_TRUE(answers.calculated);
        EXPECT_NEAR(answers.iokz, expected.iokz, 1e-9 * expected.iokz);
        EXPECT_EQ(answers.ratingAnswer, expected.ratingAnswer);
        EXPECT_EQ(answers.shownRating, expected.shownRating);
        for (int n = 0; n < LineSectionCount; ++n) {
            SCOPED_TRACE(n);
            const LineSelection &a = answers.lines[n], &e = expected.lines[n];
            EXPECT_EQ(a.active, e.active);
            EXPECT_EQ(a.lengthAnswer, e.lengthAnswer);
            EXPECT_NEAR(a.greatestLength, e.greatestLength, 1e-6 * e.greatestLength);
            EXPECT_EQ(a.shownLength, e.shownLength);
            EXPECT_EQ(a.sectionAnswer, e.sectionAnswer);
            EXPECT_EQ(a.section, e.section);
        }
    }
}

TEST(MinimumSelectionTest, EveryShownValueTripsAtTheMinimumCurrentAndOneStepMoreDoesNot)
{
    const MinimumCurrentParameters p;
    const NetworkDescription network = WithLines({PaperFeeder, FinalCircuit});
    const ShortCircuitResult result = Calculated(network);
    const SelectionAnswers program = SelectParameters(network, result, BreakerC16());
    const SelectionAnswers answers = SelectParametersAtMinimumCurrent(network, result, BreakerC16(), p, 0.4);
    ASSERT_TRUE(answers.device);
    EXPECT_DOUBLE_EQ(answers.iokz, CalculateMinimumCurrent(network, result, p, 0.4, 0).minimumCurrent);
    EXPECT_DOUBLE_EQ(answers.margin, answers.iokz / 176);
    // The largest listed rating whose 10 × 1.1 × In the minimum current still reaches.
    ASSERT_EQ(answers.ratingAnswer, SelectionAnswer::Value);
    EXPECT_LE(answers.shownRating * 11, answers.iokz);
    EXPECT_GT(20.0 * 11, answers.iokz);
    EXPECT_LE(answers.shownRating, program.shownRating);

    const auto tripsWith = [&](int line, const char* field, const std::string& text) {
        NetworkDescription changed = network;
        LineSection& s = changed.Lines[line];
        if (std::string(field) == "length")
            s.Length = text;
        else
            s.Ff = s.Fn = text;
        const std::optional<double> current = MinimumOf(changed, p, 0.4);
        return current && *current >= 176;
    };
    const NumberSeparators typed{".", ""};
    for (int n : {0, 1}) {
        SCOPED_TRACE(n);
        const LineSelection& line = answers.lines[n];
        ASSERT_EQ(line.lengthAnswer, SelectionAnswer::Value);
        EXPECT_TRUE(tripsWith(n, "length", FormatGeneral(line.shownLength, typed)));
        EXPECT_FALSE(tripsWith(n, "length", FormatGeneral(line.shownLength + 0.1, typed)));
        EXPECT_LT(line.greatestLength, program.lines[n].greatestLength);
        EXPECT_GE(line.greatestLength, line.shownLength);
        EXPECT_LT(line.greatestLength, line.shownLength + 0.1 + 1e-9);
    }
    // Line 2: the smallest section trips, the offered one below it does not.
    const LineSelection& branch = answers.lines[1];
    ASSERT_EQ(branch.sectionAnswer, SelectionAnswer::Value);
    EXPECT_TRUE(tripsWith(1, "section", branch.section));
    const std::vector<std::string>& offered = OfferedSections();
    std::string below;
    for (const std::string& s : offered) {
        if (s == branch.section)
            break;
        below = s;
    }
    ASSERT_FALSE(below.empty());
    EXPECT_FALSE(tripsWith(1, "section", below));
}

TEST(MinimumSelectionTest, WithoutDeviceOrCalculationNothingIsAnswered)
{
    const NetworkDescription network = WithLines({FinalCircuit});
    const ShortCircuitResult result = Calculated(network);
    const SelectionAnswers none = SelectParametersAtMinimumCurrent(network, result, SelectionDevice{}, {}, 0.4);
    EXPECT_TRUE(none.calculated);
    EXPECT_FALSE(none.device);
    EXPECT_EQ(none.lines[0].lengthAnswer, SelectionAnswer::Unknown);
    NetworkDescription edited = network;
    edited.Lines[0].Length = "61";
    EXPECT_FALSE(SelectParametersAtMinimumCurrent(edited, result, BreakerC16(), {}, 0.4).calculated);
    // A trip current above the current at 0 m: no length suffices.
    SelectionDevice huge = BreakerC16();
    huge.tripCurrent = 1e6;
    EXPECT_EQ(SelectParametersAtMinimumCurrent(network, result, huge, {}, 0.4).lines[0].lengthAnswer,
              SelectionAnswer::None);
}

}  // namespace
