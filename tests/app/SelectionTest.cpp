// The answers of "Подбор", each replayed through the calculation and the device window's own
// confirmation and verdict: the greatest length gives Iокз = Iср and 0.1 m more does not trip,
// the smallest section trips and the next smaller does not, the largest rating trips and the
// next larger does not.
#include "SelectionUnit.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <random>

#include <QRegularExpression>

#include "DeviceRules.h"
#include "MinimumSelection.h"
#include "QStringPrinter.h"

namespace {

const NumberSeparators PointAndBlank{".", " "};
const NumberSeparators CommaAndNoBreak{",", "\u00A0"};

// A text written with blanks between the digit groups, as a Russian locale writes it: a no-break
// space between digits.
QString GroupedAsInRussian(QString text)
{
    static const QRegularExpression between(QStringLiteral("(?<=\\d) (?=\\d)"));
    return text.replace(between, QString(QChar(0x00A0)));
}

// The shortest text that reads back as exactly `value`.
std::string Exact(double value)
{
    char buffer[64];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    return std::string(buffer, end);
}

NetworkDescription PaperCable(const char* length = "100")
{
    NetworkDescription network = InitialNetworkDescription();
    network.Lines[0] = {"Кабель с бумажной изоляцией", "Алюминий", "95", "50", length, "нет"};
    return network;
}

NetworkDescription CableAndOverheadLine()
{
    NetworkDescription network = InitialNetworkDescription();
    network.Lines[0] = {"Кабель с ПВХ изоляцией", "Медь", "240", "120", "200", "нет"};
    network.Lines[1] = {"Воздушная", "Алюминий", "70", "70", "300", "нет"};
    network.RArc = "15";
    return network;
}

// Parallel conductors, an overhead line and no transient resistance; line 2 left empty.
NetworkDescription ParallelAndOverhead()
{
    NetworkDescription network = InitialNetworkDescription();
    network.TransPower = "630";
    network.Lines[0] = {"Кабель с ПВХ изоляцией", "Медь", "240", "120", "200", "2"};
    network.Lines[2] = {"Воздушная", "Алюминий", "70", "70", "300", "нет"};
    network.Lines[3] = {"Кабель с бумажной изоляцией", "Алюминий", "35", "16", "50", "3"};
    network.RArc = "0";
    return network;
}

NetworkDescription ThinAndLong()
{
    NetworkDescription network = InitialNetworkDescription();
    network.Lines[0] = {"Кабель с ПВХ изоляцией", "Медь", "1.5", "1.5", "2000", "нет"};
    return network;
}

// A short cable before a long thin overhead line that alone nearly reaches the trip current.
NetworkDescription ShortCableLongOverhead()
{
    NetworkDescription network = InitialNetworkDescription();
    network.Lines[0] = {"Кабель с бумажной изоляцией", "Алюминий", "50", "50", "20", "нет"};
    network.Lines[1] = {"Воздушная", "Алюминий", "16", "16", "1500", "нет"};
    return network;
}

DeviceInputs Breaker(const char* rated, const char* release, const char* factor, bool ticked = false)
{
    DeviceInputs in;
    in.ratedCurrent = QString::fromUtf8(rated);
    in.release = QString::fromUtf8(release);
    in.releaseCurrentGiven = ticked;
    in.breakerFactor = QString::fromUtf8(factor);
    in.fuseFactor = QStringLiteral("1.1");
    return in;
}

DeviceInputs Fuse(const char* type, const char* rating, const char* factor, int time)
{
    DeviceInputs in;
    in.breaker = false;
    in.fuseType = QString::fromUtf8(type);
    in.fuseRating = QString::fromUtf8(rating);
    in.fuseFactor = QString::fromUtf8(factor);
    in.fuseTime = FuseTimeTexts()[time - 1];
    return in;
}

ProtectiveDeviceSettings Confirm(const DeviceInputs& in, const ProtectiveDeviceSettings& from = {})
{
    return ConfirmDevice(in, from, PointAndBlank).settings;
}

bool Trips(double iokz, const ProtectiveDeviceSettings& settings)
{
    return JudgeDevice(iokz, settings).status == QStringLiteral("Срабатывание за нормативное время");
}

double Iokz(const NetworkDescription& network)
{
    const CalculationOutcome outcome = CalculateShortCircuit(network);
    EXPECT_EQ(outcome.status, CalculationStatus::Success) << outcome.message;
    return outcome.result.Iokz;
}

char Letter(SelectionAnswer answer)
{
    switch (answer) {
    case SelectionAnswer::Value: return 'v';
    case SelectionAnswer::None: return 'n';
    case SelectionAnswer::Any: return 'a';
    case SelectionAnswer::Unknown: break;
    }
    return '-';
}

// Replays every answer for one network and device.
void CheckAnswers(const NetworkDescription& network, const DeviceInputs& inputs,
                  const ProtectiveDeviceSettings& settings, const SelectionAnswers& answers)
{
    const double iokz = Iokz(network);
    for (int n = 0; n < LineSectionCount; ++n) {
        SCOPED_TRACE("line " + std::to_string(n + 1));
        const LineSelection& line = answers.lines[n];
        const auto withLength = [&](double length) {
            NetworkDescription changed = network;
            changed.Lines[n].Length = Exact(length);
            return Iokz(changed);
        };
        const auto withSection = [&](const std::string& section) {
            NetworkDescription changed = network;
            changed.Lines[n].Ff = changed.Lines[n].Fn = section;
            const CalculationOutcome outcome = CalculateShortCircuit(changed);
            return outcome.status == CalculationStatus::Success ? std::optional(outcome.result.Iokz) : std::nullopt;
        };
        // The offered sections that this line type and material are made in.
        std::vector<std::string> made;
        for (const std::string& section : OfferedSections())
            if (withSection(section))
                made.push_back(section);

        if (line.lengthAnswer == SelectionAnswer::Value && !line.lengthBeyond) {
            if (line.greatestLength > 0) {
                EXPECT_NEAR(withLength(line.greatestLength) / settings.TokSR, 1.0, 1e-9);
            }
            EXPECT_NEAR(line.shownLength, line.greatestLength, line.lengthStep);
            // The greatest step that trips, both ways: the next one, typed as a user types it, does not.
            const double step = line.lengthStep;
            const double next = step < 1 ? (std::round(line.shownLength * 10) + 1) / 10 : line.shownLength + step;
            EXPECT_TRUE(Trips(withLength(line.shownLength), settings)) << Exact(line.shownLength);
            EXPECT_FALSE(Trips(withLength(next), settings)) << Exact(next);
        }
        if (line.lengthAnswer == SelectionAnswer::None) {
            EXPECT_FALSE(Trips(withLength(0), settings));
        }

        if (line.sectionAnswer == SelectionAnswer::Value) {
            const auto at = std::find(made.begin(), made.end(), line.section);
            ASSERT_NE(at, made.end()) << line.section;
            EXPECT_TRUE(Trips(*withSection(*at), settings)) << *at;
            ASSERT_NE(at, made.begin()) << "the smallest section would be любая";
            EXPECT_FALSE(Trips(*withSection(*(at - 1)), settings)) << *(at - 1);
        }
        if (line.sectionAnswer == SelectionAnswer::Any) {
            for (const std::string& section : made)
                EXPECT_TRUE(Trips(*withSection(section), settings)) << section;
        }
        if (line.sectionAnswer == SelectionAnswer::None) {
            EXPECT_FALSE(Trips(*withSection(made.back()), settings));
        }
    }

    // The rating, confirmed in the device window as the user would confirm it.
    DeviceInputs changed = inputs;
    QString& ratingText = inputs.breaker ? (inputs.releaseCurrentGiven ? changed.release : changed.ratedCurrent)
                                         : changed.fuseRating;
    const auto tripsWith = [&](const QString& text) {
        ratingText = text;
        return Trips(iokz, Confirm(changed));
    };
    const QStringList list = inputs.breaker ? BreakerRatedCurrents() : FuseRatingList(settings.TypePP);
    const auto textOf = [](double v) { return QString::fromStdString(Exact(v)); };
    if (answers.ratingAnswer == SelectionAnswer::Value && answers.releaseCurrent) {
        EXPECT_NEAR(answers.rating, iokz / settings.KZAV, 1e-9 * answers.rating);
        EXPECT_TRUE(tripsWith(textOf(answers.shownRating)));
        if (answers.ratingDecimals > 0) {
            const double unit = std::pow(10.0, answers.ratingDecimals);
            EXPECT_FALSE(tripsWith(textOf((std::round(answers.shownRating * unit) + 1) / unit)));
        }
    } else if (answers.ratingAnswer == SelectionAnswer::Value) {
        const qsizetype at = list.indexOf(textOf(answers.rating));
        ASSERT_GE(at, 0) << answers.rating;
        EXPECT_TRUE(tripsWith(list[at]));
        if (at + 1 < list.size()) {
            EXPECT_FALSE(tripsWith(list[at + 1])) << list[at + 1].toStdString();
        }
    } else if (answers.ratingAnswer == SelectionAnswer::None) {
        EXPECT_FALSE(tripsWith(list.front()));
    }
}

}  // namespace

TEST(SelectionTest, EveryAnswerIsReplayedThroughTheCalculationAndTheDevice)
{
    struct Case {
        const char* name;
        NetworkDescription network;
        DeviceInputs device;
        char rating;              // v value, n "нет", a "любая", - unknown
        const char* lengths;      // per line, - for an empty line
        const char* sections;
    };
    const Case cases[] = {
        {"breaker with a wide margin", PaperCable(), Breaker("16", "10 (\"C\")", "1.1"), 'v', "v-----", "v-----"},
        {"fuse on cable and overhead line", CableAndOverheadLine(), Fuse("ППН", "63", "1.1", 1), 'v', "vv----",
         "vv----"},
        {"parallel conductors, overhead X, no Rпр, fuse ПН2", ParallelAndOverhead(), Fuse("ПН2", "31.5", "1.0", 1),
         'v', "v-vv--", "v-vv--"},
        {"Iокз already below Iср and the rest alone too long", PaperCable(), Breaker("250", "20 (\"D\")", "1.1"), 'v',
         "n-----", "n-----"},
        {"removing line 1 alone does not reach Iср", ShortCableLongOverhead(), Breaker("8", "5 (\"B\")", "1.0"), 'v',
         "nv----", "nv----"},
        {"every section trips", PaperCable(), Breaker("1", "3 (\"A\")", "1.0"), 'v', "v-----", "a-----"},
        {"entered length 0", PaperCable("0"), Breaker("16", "10 (\"C\")", "1.1"), 'v', "v-----", "a-----"},
        {"not even the smallest rating trips", ThinAndLong(), Breaker("16", "10 (\"C\")", "1.1"), 'n', "v-----",
         "v-----"},
        {"release current given directly", PaperCable(), Breaker("16", "500", "1.2", true), 'v', "v-----",
         "v-----"},
        {"fuse НПН of 6.3 A", ThinAndLong(), Fuse("НПН", "6.3", "1.2", 1), 'n', "v-----", "v-----"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const CalculationOutcome outcome = CalculateShortCircuit(c.network);
        ASSERT_EQ(outcome.status, CalculationStatus::Success);
        const ProtectiveDeviceSettings settings = Confirm(c.device);
        ASSERT_GT(settings.TokSR, 0);
        const SelectionAnswers answers = SelectParameters(
            c.network, outcome.result,
            SelectionDeviceFrom(settings, c.device.releaseCurrentGiven, c.device.fuseFactor));
        ASSERT_TRUE(answers.calculated && answers.device);
        EXPECT_DOUBLE_EQ(answers.margin, outcome.result.Iokz / settings.TokSR);
        std::string lengths, sections;
        for (const LineSelection& line : answers.lines) {
            lengths += line.active ? Letter(line.lengthAnswer) : '-';
            sections += line.active ? Letter(line.sectionAnswer) : '-';
        }
        EXPECT_EQ(Letter(answers.ratingAnswer), c.rating);
        EXPECT_EQ(lengths, c.lengths);
        EXPECT_EQ(sections, c.sections);
        CheckAnswers(c.network, c.device, settings, answers);
    }
}

// The edges: Iср equal to Iокз to the last bit, at the entered length and at 0 m; a root of
// kilometres beyond 1e15 m; a release current far below 0.1 A. At Iк1 min the same search:
// roots just below 1e9 m (tenths) and of kilometres up to just below 1e18 m, and one beyond it.
TEST(SelectionTest, EdgesGiveTheGreatestStepThatTrips)
{
    NetworkDescription parallel = PaperCable();
    parallel.Lines[0].QuanPar = "100000000";
    struct Case {
        const char* name;
        NetworkDescription network;
        DeviceInputs device;
        double shownLength, lengthStep;
        QString greatestLength, rating;
        bool minimum = false;  // the answers follow Iк1 min ("Проверка" as it starts, 0.4 s)
    };
    const auto grouped = [](QString text) { return GroupedAsInRussian(text); };
    const Case cases[] = {
        {"Iср = Iокз at the entered 100 m", PaperCable(), Breaker("16", "1527.1327303090918", "1.0", true), 100, 0.1,
         QStringLiteral("100,0"), grouped(QStringLiteral("1 527,1 А"))},
        {"Iср = Iокз at 0 m", PaperCable("0"), Breaker("16", "4027.4956365691237", "1.0", true), 0, 0.1,
         QStringLiteral("0,0"), grouped(QStringLiteral("4 027,4 А"))},
        {"10^8 parallel conductors and 0.001 A", parallel, Breaker("16", "0.001", "1.0", true), 0, 1000, "", ""},
        {"Iокз below 0.1 A", PaperCable("5000000"), Breaker("16", "500", "1.0", true), 423.9, 0.1,
         QStringLiteral("423,9"), QStringLiteral("0,0480 А")},
        {"Iк1 min: a root just below 10^9 m, in tenths", PaperCable(), Breaker("16", "0.000184", "1.0", true),
         998481108.4, 0.1, grouped(QStringLiteral("998 481 108,4")), QString(), true},
        {"Iк1 min: a root of about 1.8·10^9 m, in kilometres", PaperCable(), Breaker("16", "0.0001", "1.0", true), 0,
         1000, QString(), QString(), true},
        {"Iк1 min: a root of about 1.8·10^15 m", parallel, Breaker("16", "0.01", "1.0", true), 0, 1000, QString(),
         QString(), true},
        {"Iк1 min: a root just below 10^18 m is no more than 10^18", parallel,
         Breaker("16", "0.0000184", "1.0", true), 0, 1000, QString(), QString(), true},
        {"Iк1 min: tripping at 10^18 m itself", parallel, Breaker("16", "0.000018", "1.0", true), ShownLengthLimit, 0,
         QStringLiteral("более 10¹⁵ км"), QString(), true},
    };
    EXPECT_EQ(Iokz(PaperCable()), 1527.1327303090918);
    EXPECT_EQ(Iokz(PaperCable("0")), 4027.4956365691237);
    EXPECT_NEAR(Iokz(PaperCable("5000000")), 0.048, 0.0001);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const CalculationOutcome outcome = CalculateShortCircuit(c.network);
        ASSERT_EQ(outcome.status, CalculationStatus::Success);
        const ProtectiveDeviceSettings settings = Confirm(c.device);
        ASSERT_GT(settings.TokSR, 0);
        const SelectionDevice device = SelectionDeviceFrom(settings, true, "");
        const SelectionAnswers answers =
            c.minimum ? SelectParametersAtMinimumCurrent(c.network, outcome.result, device, {}, 0.4)
                      : SelectParameters(c.network, outcome.result, device);
        const LineSelection& line = answers.lines[0];
        EXPECT_EQ(line.lengthStep, c.lengthStep);
        if (c.greatestLength != QStringLiteral("нет")) {
            ASSERT_EQ(line.lengthAnswer, SelectionAnswer::Value);
            EXPECT_EQ(line.lengthBeyond, c.lengthStep == 0);
        }
        if (c.shownLength > 0 || c.lengthStep < 1) {
            EXPECT_EQ(line.shownLength, c.shownLength);
        } else if (!c.minimum) {
            EXPECT_GT(line.shownLength, 1e15);  // the root of about 2·10^16 m
        }
        if (c.minimum) {
            // Replayed through the minimum-current calculation: the shown length trips, one step
            // more does not, and "more than 10^18 m" only when 10^18 m itself trips.
            const auto tripsAt = [&](double length) {
                NetworkDescription changed = c.network;
                changed.Lines[0].Length = Exact(length);
                const CalculationOutcome again = CalculateShortCircuit(changed);
                const MinimumCurrentResult minimum = CalculateMinimumCurrent(changed, again.result, {}, 0.4, 0);
                return again.status == CalculationStatus::Success && minimum.ok &&
                       minimum.minimumCurrent >= settings.TokSR;
            };
            EXPECT_TRUE(tripsAt(line.shownLength)) << Exact(line.shownLength);
            EXPECT_EQ(tripsAt(ShownLengthLimit), line.lengthBeyond);
            if (!line.lengthBeyond) {
                const double next = c.lengthStep < 1 ? (std::round(line.shownLength * 10) + 1) / 10
                                                     : line.shownLength + c.lengthStep;
                EXPECT_FALSE(tripsAt(next)) << Exact(next);
                EXPECT_NEAR(line.shownLength, line.greatestLength, c.lengthStep);
                EXPECT_EQ(line.shownLength < LongLengthFrom, c.lengthStep < 1);
            }
        }
        const SelectionTexts texts = ComposeSelectionTexts(answers, CommaAndNoBreak, c.minimum);
        if (!c.greatestLength.isEmpty()) {
            EXPECT_EQ(texts.greatestLength[0], c.greatestLength);
        } else {
            EXPECT_TRUE(texts.greatestLength[0].endsWith(QStringLiteral(" км"))) << texts.greatestLength[0].toStdString();
        }
        if (!c.rating.isEmpty()) {
            EXPECT_EQ(texts.rating, c.rating);
        }
        if (!c.minimum)
            CheckAnswers(c.network, c.device, settings, answers);
    }
}

// Random chains and devices from the offered lists: every answer must survive its replay.
TEST(SelectionTest, RandomChainsAndDevicesSurviveTheReplay)
{
    std::mt19937 random(20261208);
    const auto pick = [&](const QStringList& list) {
        return list[std::uniform_int_distribution<qsizetype>(0, list.size() - 1)(random)];
    };
    const auto chance = [&](double p) { return std::bernoulli_distribution(p)(random); };
    const auto number = [&](double low, double high) {  // tenths, as a user types them
        return Exact(std::round(std::uniform_real_distribution<double>(low, high)(random) * 10) / 10);
    };
    const QStringList powers = {"63", "100", "160", "250", "400", "630", "1000", "1600"};
    const QStringList schemes = {"Y/Y-0", "T/Y-0", "Y/Z-0"};
    const QStringList types = {"Кабель с бумажной изоляцией", "Кабель с ПВХ изоляцией", "Воздушная"};
    const QStringList materials = {"Алюминий", "Медь"};
    const QStringList counts = {"нет", "нет", "2", "3"};
    QStringList sections;
    for (const std::string& section : OfferedSections())
        sections << QString::fromStdString(section);
    int checked = 0;
    for (int attempt = 0; attempt < 400 && checked < 150; ++attempt) {
        NetworkDescription network = InitialNetworkDescription();
        network.TransPower = pick(powers).toStdString();
        network.WindKind = pick(schemes).toStdString();
        for (LineSection& line : network.Lines) {
            if (!chance(0.5))
                continue;
            const std::string section = pick(sections).toStdString();
            line = {pick(types).toStdString(), pick(materials).toStdString(), section,
                    chance(0.5) ? section : pick(sections).toStdString(), number(0, 400), pick(counts).toStdString()};
        }
        network.RArc = number(0, 40);
        const CalculationOutcome outcome = CalculateShortCircuit(network);
        if (outcome.status != CalculationStatus::Success)
            continue;  // a section the table does not offer for its line type
        DeviceInputs device;
        if (chance(0.5)) {
            const bool ticked = chance(0.25);
            device = Breaker("", "", "", ticked);
            device.ratedCurrent = pick(BreakerRatedCurrents());
            device.release = ticked ? QString::fromStdString(number(5, 3000)) : pick(ReleaseMultiples());
            device.breakerFactor = pick(SafetyFactors());
        } else {
            device = Fuse("ППН", "", "", chance(0.5) ? 1 : 2);
            device.fuseType = pick(FuseTypeNames());
            device.fuseRating = pick(FuseRatingList(FuseTypeFromText(device.fuseType)));
            device.fuseFactor = pick(SafetyFactors());
        }
        const ProtectiveDeviceSettings settings = Confirm(device);
        const SelectionAnswers answers = SelectParameters(
            network, outcome.result, SelectionDeviceFrom(settings, device.releaseCurrentGiven, device.fuseFactor));
        SCOPED_TRACE("attempt " + std::to_string(attempt));
        ASSERT_TRUE(answers.device);
        EXPECT_NE(answers.ratingAnswer, SelectionAnswer::Unknown);
        CheckAnswers(network, device, settings, answers);
        ++checked;
    }
    EXPECT_EQ(checked, 150);
}

// Iср typed as Iокз to the last digit, so that every line trips exactly at its entered length:
// the greatest length of each line is that length, never a tenth less, and never "нет".
TEST(SelectionTest, TripCurrentEqualToIokzGivesTheEnteredLengths)
{
    std::mt19937 random(20261210);
    const auto tenths = [&](double high) {
        return Exact(std::round(std::uniform_real_distribution<double>(0, high)(random) * 10) / 10);
    };
    const QStringList sections = {"1.5", "4", "10", "25", "50", "95", "150", "240"};
    int checked = 0;
    for (int attempt = 0; attempt < 300 && checked < 200; ++attempt) {
        NetworkDescription network = InitialNetworkDescription();
        for (int n = 0; n < 3; ++n) {
            const std::string section =
                sections[std::uniform_int_distribution<qsizetype>(0, sections.size() - 1)(random)].toStdString();
            network.Lines[n] = {"Кабель с ПВХ изоляцией", n == 1 ? "Медь" : "Алюминий", section, section,
                                tenths(n == 2 ? 20 : 600), n == 0 ? "2" : "нет"};
        }
        network.RArc = tenths(40);
        const CalculationOutcome outcome = CalculateShortCircuit(network);
        if (outcome.status != CalculationStatus::Success)
            continue;
        const DeviceInputs device = Breaker("16", Exact(outcome.result.Iokz).c_str(), "1.0", true);
        const ProtectiveDeviceSettings settings = Confirm(device);
        ASSERT_EQ(settings.TokSR, outcome.result.Iokz);
        const SelectionAnswers answers =
            SelectParameters(network, outcome.result, SelectionDeviceFrom(settings, true, ""));
        SCOPED_TRACE("attempt " + std::to_string(attempt));
        for (int n = 0; n < 3; ++n) {
            ASSERT_EQ(answers.lines[n].lengthAnswer, SelectionAnswer::Value) << n;
            EXPECT_EQ(answers.lines[n].shownLength, ParseDecimal(network.Lines[n].Length).value) << n;
        }
        EXPECT_EQ(answers.margin, 1.0);
        CheckAnswers(network, device, settings, answers);
        ++checked;
    }
    EXPECT_EQ(checked, 200);
}

TEST(SelectionTest, WithoutADeviceOrACalculationNothingIsAnswered)
{
    const NetworkDescription network = PaperCable();
    const ShortCircuitResult result = CalculateShortCircuit(network).result;
    const ProtectiveDeviceSettings reset{.TokSR = -1, .TypeDD = 1};
    struct Case {
        const char* name;
        ShortCircuitResult result;
        ProtectiveDeviceSettings settings;
        bool calculated;
    };
    ShortCircuitResult edited = result;
    edited.Iokz += 1;  // the texts no longer give this result
    const Case cases[] = {
        {"no device yet", result, {}, true},
        {"after the reset", result, reset, true},
        {"no calculation yet", ShortCircuitResult{}, Confirm(Breaker("16", "10 (\"C\")", "1.1")), false},
        {"texts edited after the calculation", edited, Confirm(Breaker("16", "10 (\"C\")", "1.1")), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const SelectionAnswers answers =
            SelectParameters(network, c.result, SelectionDeviceFrom(c.settings, false, QStringLiteral("1.1")));
        EXPECT_EQ(answers.calculated, c.calculated);
        EXPECT_FALSE(answers.device);
        EXPECT_EQ(answers.ratingAnswer, SelectionAnswer::Unknown);
        EXPECT_EQ(answers.lines[0].lengthAnswer, SelectionAnswer::Unknown);
        EXPECT_EQ(answers.lines[0].sectionAnswer, SelectionAnswer::Unknown);
        const SelectionTexts texts = ComposeSelectionTexts(answers, PointAndBlank);
        EXPECT_EQ(texts.margin, QStringLiteral("—"));
        EXPECT_EQ(texts.greatestLength[0], QStringLiteral("—"));
        EXPECT_FALSE(texts.note.isEmpty());
    }
}

TEST(SelectionTest, DeviceRecordIsReadAsConfirmed)
{
    const ProtectiveDeviceSettings breaker = Confirm(Breaker("16", "10 (\"C\")", "1.1"));
    const ProtectiveDeviceSettings release = Confirm(Breaker("16", "176", "1.0", true), breaker);
    const ProtectiveDeviceSettings fuse = Confirm(Fuse("ППН", "63", "1.1", 1));
    using Kind = SelectionDevice::Kind;
    struct Case {
        const char* name;
        ProtectiveDeviceSettings settings;
        bool ticked;
        const char* fuseFactor;
        Kind kind;
        double factor;
    };
    const Case cases[] = {
        {"breaker with a multiple", breaker, false, "1.1", Kind::Breaker, 1.1},
        {"the box ticked since, not confirmed", breaker, true, "1.1", Kind::Breaker, 1.1},
        {"release current given", release, true, "1.1", Kind::BreakerRelease, 1.0},
        // 16 × 10 × 1.0 = 176 × 1.0 would also fit after unticking: the record alone cannot say.
        {"release current, box unticked since", release, false, "1.1", Kind::BreakerRelease, 1.0},
        {"fuse, factor as confirmed", fuse, false, "1.1", Kind::Fuse, 1.1},
        {"fuse, factor changed since", fuse, false, "1.2", Kind::Fuse, 363.00000000000006 / 330},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const SelectionDevice device = SelectionDeviceFrom(c.settings, c.ticked, QString::fromUtf8(c.fuseFactor));
        EXPECT_EQ(device.kind, c.kind);
        EXPECT_EQ(device.tripCurrent, c.settings.TokSR);
        if (c.kind != Kind::TripCurrentOnly) {
            EXPECT_DOUBLE_EQ(device.safetyFactor, c.factor);
        }
    }
}

TEST(SelectionTest, TextsRoundDownGroupAndNameTheDegenerateAnswers)
{
    SelectionAnswers answers;
    answers.calculated = answers.device = true;
    answers.iokz = 1527.13;
    answers.tripCurrent = 1527.2;
    answers.margin = 0.99999;
    answers.ratingAnswer = SelectionAnswer::Value;
    answers.releaseCurrent = true;
    answers.shownRating = 1388.2;
    answers.ratingDecimals = 1;
    const auto line = [](double length, SelectionAnswer lengthAnswer, double shown, SelectionAnswer sectionAnswer,
                         const char* section, double step = 0.1, bool beyond = false) {
        LineSelection l;
        l.active = true;
        l.length = length;
        l.lengthAnswer = lengthAnswer;
        l.greatestLength = l.shownLength = shown;
        l.lengthStep = step;
        l.lengthBeyond = beyond;
        l.sectionAnswer = sectionAnswer;
        l.section = section;
        return l;
    };
    using A = SelectionAnswer;
    answers.lines[0] = line(100, A::Value, 1234.5, A::Value, "1.5");
    answers.lines[1] = line(0, A::None, 0, A::Any, "");
    answers.lines[2] = line(1e7, A::Value, 12345678.9, A::None, "");
    answers.lines[3] = line(0.3, A::Value, 23100000000000000.0, A::Value, "240", 1000);
    answers.lines[4] = line(1234567890123.0, A::Value, 1e18, A::Value, "16", 0, true);
    const SelectionTexts texts = ComposeSelectionTexts(answers, CommaAndNoBreak);
    const auto grouped = [](QString text) { return GroupedAsInRussian(text); };
    struct Expected {
        const char* name;
        QString shown, expected;
    };
    const Expected cases[] = {
        {"Iокз, whole amperes", texts.iokz, grouped(QStringLiteral("Iокз=1 527 А"))},
        {"Iср grouped", texts.tokSR, grouped(QStringLiteral("Iср=1 527,2 А"))},
        {"margin rounded down", texts.margin, QStringLiteral("0,99")},
        {"caption", texts.ratingCaption, QStringLiteral("Наибольший ток расцепителя:")},
        {"release current", texts.rating, grouped(QStringLiteral("1 388,2 А"))},
        {"entered length", texts.length[0], QStringLiteral("100,0")},
        {"greatest length", texts.greatestLength[0], grouped(QStringLiteral("1 234,5"))},
        {"section", texts.section[0], QStringLiteral("1,5")},
        {"length нет", texts.greatestLength[1], QStringLiteral("нет")},
        {"section любое", texts.section[1], QStringLiteral("любое")},
        {"entered length of 10 000 km", texts.length[2], grouped(QStringLiteral("10 000 000,0"))},
        {"greatest length never rounded up", texts.greatestLength[2], grouped(QStringLiteral("12 345 678,9"))},
        {"section нет", texts.section[2], QStringLiteral("нет")},
        {"tenth stored below itself", texts.length[3], QStringLiteral("0,3")},
        {"huge root in kilometres", texts.greatestLength[3], grouped(QStringLiteral("23 100 000 000 000 км"))},
        {"entered length in kilometres", texts.length[4], grouped(QStringLiteral("1 234 567 890 км"))},
        {"root beyond every shown length", texts.greatestLength[4], QStringLiteral("более 10¹⁵ км")},
        {"inactive line", texts.greatestLength[5], QStringLiteral("—")},
    };
    for (const Expected& c : cases)
        EXPECT_EQ(c.shown, c.expected) << c.name;
    EXPECT_TRUE(texts.note.isEmpty());
    EXPECT_TRUE(texts.legend.contains(QStringLiteral("«нет»")) && texts.legend.contains(QStringLiteral("«любое»")));

    // Margins: rounded down and grouped at every size, never in scientific form.
    const std::pair<double, QString> margins[] = {
        {4027495.6956365691, grouped(QStringLiteral("4 027 495,69"))},
        {123456789.999, grouped(QStringLiteral("123 456 789,99"))},
        {1.0, QStringLiteral("1,00")},
        {2e15, QStringLiteral("более 10¹⁵")},
    };
    for (const auto& [margin, expected] : margins) {
        answers.margin = margin;
        EXPECT_EQ(ComposeSelectionTexts(answers, CommaAndNoBreak).margin, expected) << margin;
    }
    // A tiny release current keeps its own digits.
    answers.shownRating = 0.00123;
    answers.ratingDecimals = 5;
    EXPECT_EQ(ComposeSelectionTexts(answers, CommaAndNoBreak).rating, QStringLiteral("0,00123 А"));
}

TEST(SelectionTest, ChartRangesHoldTheGreatestAndTheEnteredLength)
{
    const NetworkDescription network = PaperCable("300");
    const ShortCircuitResult result = CalculateShortCircuit(network).result;
    const SelectionChain chain = *ReadSelectionChain(network, result);
    struct Case {
        const char* name;
        DeviceInputs device;
        double atLeast;  // the length axis reaches at least this
    };
    const Case cases[] = {
        {"greatest length far beyond the entered one", Breaker("16", "10 (\"C\")", "1.1"), 0},
        {"greatest length of kilometres", Breaker("1", "3 (\"A\")", "1.0"), 10000},
        {"no greatest length: twice the entered one", Breaker("250", "20 (\"D\")", "1.1"), 600},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ProtectiveDeviceSettings settings = Confirm(c.device);
        const SelectionAnswers answers = SelectParameters(network, result, SelectionDeviceFrom(settings, false, ""));
        const SelectionCurve curve = ComposeSelectionCurve(chain, 0, answers);
        const LineSelection& line = answers.lines[0];
        const double greatest = line.lengthAnswer == SelectionAnswer::Value ? line.greatestLength : 0;
        const double reach = curve.lengthMax * curve.lengthUnit;
        EXPECT_GE(reach, std::max({2 * greatest, c.atLeast, 300.0}));
        EXPECT_LT(reach, 1.5 * std::max({2 * greatest, c.atLeast, 300.0}));
        EXPECT_EQ(curve.mark, QPointF(300 / curve.lengthUnit, result.Iokz));
        EXPECT_EQ(curve.points.front().y(), ChainIokzAtLength(chain, 0, 0));
        EXPECT_EQ(curve.tripCurrent, settings.TokSR);
        // The crossing with Iср is readable whatever Iокз at 0 m: Iср stands between a fifth and
        // four fifths of the current axis (176 A on about 600 A, not on 5 000 A).
        const double wanted = std::max(CurrentAxisFloor * settings.TokSR,
                                       std::min(1.05 * curve.points.front().y(), CurrentAxisCeiling * settings.TokSR));
        EXPECT_GE(curve.currentMax, wanted);
        EXPECT_LT(curve.currentMax, 1.5 * wanted);
        EXPECT_GE(settings.TokSR, 0.2 * curve.currentMax);
        EXPECT_LE(settings.TokSR, 0.8 * curve.currentMax);
        // The greatest length is marked where the curve meets Iср.
        ASSERT_EQ(curve.greatestMark.has_value(), line.lengthAnswer == SelectionAnswer::Value);
        if (curve.greatestMark) {
            EXPECT_EQ(*curve.greatestMark, QPointF(line.shownLength / curve.lengthUnit, settings.TokSR));
        }
    }
    struct Ticks {
        double maximum;
        QList<double> ticks;
    };
    const Ticks ticks[] = {
        {100, {0, 20, 40, 60, 80, 100}},
        {1053.7, {0, 250, 500, 750, 1000, 1250}},
        {7, {0, 2, 4, 6, 8}},
        {0, {0, 1}},
    };
    for (const Ticks& t : ticks)
        EXPECT_EQ(NiceTicks(t.maximum, 5), t.ticks) << t.maximum;
}
