// The whole calculation: worked networks, the order of the checks and the overflow stop.
#include "ShortCircuit.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "Numbers.h"

namespace {

const char* const Aluminium = "Алюминий";
const char* const Copper = "Медь";
const char* const Paper = "Кабель с бумажной изоляцией";
const char* const Pvc = "Кабель с ПВХ изоляцией";
const char* const Overhead = "Воздушная";

const std::string BadPower = "Неверная мощность трансформатора";
const std::string BadArc = "Неверное сопротивление электрической дуги. Введите величину в диапазоне 0..40 мОм";

std::string LineMessage(const char* text, int line) { return text + std::to_string(line); }
std::string NoNeutral(int line) { return LineMessage("Выберите сечение жилы нулевого провода линии ", line); }
std::string NoPhase(int line) { return LineMessage("Выберите сечение жилы фазного провода линии ", line); }
std::string BadLength(int line) { return LineMessage("Неверная длина линии ", line); }
std::string BadCount(int line) { return LineMessage("Неверное количество параллельных проводов линии ", line); }
std::string OffSeries(const char* core, int line) {
    return "Сечение жилы " + std::string(core) + " провода (" + std::to_string(line) +
           "-й участок) не входит в ряд стандартных сечений: 1,5; 2,5; 4; 6; 10; 16; 25; 35; 50; 70; 95; 120; "
           "150; 185; 240 мм²";
}

// The value rounds to the given digits: «146.1533» admits 146.15325 to 146.15335.
::testing::AssertionResult RoundsTo(double value, const std::string& digits) {
    double shown = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), shown);
    const std::size_t point = digits.find('.');
    const int decimals = point == std::string::npos ? 0 : static_cast<int>(digits.size() - point - 1);
    if (std::fabs(value - shown) <= 0.5 * std::pow(10.0, -decimals)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << FormatGeneral(value, {}) << " does not round to " << digits;
}

NetworkDescription WithLine(NetworkDescription network, int line, const char* kind, const char* stuff,
                            const char* ff, const char* fn, const char* length, const char* count) {
    LineSection& section = network.Lines[line - 1];
    section = {kind, stuff, ff, fn, length, count};
    return network;
}

TEST(ShortCircuitTest, InitialTextsAreTheMainWindowsOnes) {
    const NetworkDescription network = InitialNetworkDescription();
    EXPECT_EQ(network.TransPower, "250");
    EXPECT_EQ(network.WindKind, "T/Y-0");
    EXPECT_EQ(network.RArc, "40");
    for (int n = 0; n < LineSectionCount; ++n) {
        const LineSection& line = network.Lines[n];
        EXPECT_EQ(line.KindPerform, n == 0 ? Paper : Pvc) << "line " << n + 1;
        EXPECT_EQ(line.Stuff, n == 0 ? Aluminium : Copper) << "line " << n + 1;
        EXPECT_EQ(line.Ff, "0");
        EXPECT_EQ(line.Fn, "0");
        EXPECT_EQ(line.Length, "0");
        EXPECT_EQ(line.QuanPar, "нет");
    }
}

TEST(ShortCircuitTest, WorkedNetworks) {
    const NetworkDescription initial = InitialNetworkDescription();
    const NetworkDescription paper100 = WithLine(initial, 1, Paper, Aluminium, "95", "50", "100", "нет");
    NetworkDescription twoLines = WithLine(initial, 1, Pvc, Copper, "240", "120", "200", "нет");
    twoLines = WithLine(twoLines, 2, Overhead, Aluminium, "70", "70", "300", "нет");
    twoLines.RArc = "15";
    const struct {
        const char* name;
        NetworkDescription network;
        const char *rLine, *xLine, *rSum, *xSum, *zSum, *iokz;
    } cases[] = {
        {"initial texts", initial, "0", "0", "50.7533", "26.7167", "57.3557", "4027.4956"},
        {"paper cable 100 m", paper100, "95.4", "12.27", "146.1533", "38.9867", "151.2639", "1527.1327"},
        {"the same, two in parallel", WithLine(paper100, 1, Paper, Aluminium, "95", "50", "100", "2"), "47.7",
         "6.135", "98.4533", "32.8517", "103.7896", "2225.6555"},
        {"cable and overhead line", twoLines, "314.4", "199.4", "340.1533", "226.1167", "408.4520", "565.5499"},
    };
    for (const auto& c : cases) {
        const CalculationOutcome outcome = CalculateShortCircuit(c.network);
        ASSERT_EQ(outcome.status, CalculationStatus::Success) << c.name << ": " << outcome.message;
        const ShortCircuitResult& r = outcome.result;
        EXPECT_NEAR(r.RLineSum, std::stod(c.rLine), 1e-9) << c.name;
        EXPECT_NEAR(r.XLineSum, std::stod(c.xLine), 1e-9) << c.name;
        EXPECT_TRUE(RoundsTo(r.Rsum, c.rSum)) << c.name;
        EXPECT_TRUE(RoundsTo(r.Xsum, c.xSum)) << c.name;
        EXPECT_TRUE(RoundsTo(r.Zsum, c.zSum)) << c.name;
        EXPECT_TRUE(RoundsTo(r.Iokz, c.iokz)) << c.name;
        EXPECT_EQ(r.Rt, 32.26);
        EXPECT_EQ(r.Xt, 80.15);
        EXPECT_EQ(r.Zt, 86.39866954994157);
        EXPECT_DOUBLE_EQ(r.ZLineSum, std::hypot(r.RLineSum, r.XLineSum)) << c.name;
    }
}

// What the windows show for the initial texts, with a point as decimal separator.
TEST(ShortCircuitTest, InitialTextsAsTheWindowsShowThem) {
    const CalculationOutcome outcome = CalculateShortCircuit(InitialNetworkDescription());
    ASSERT_EQ(outcome.status, CalculationStatus::Success);
    const ShortCircuitResult& r = outcome.result;
    const NumberSeparators point{".", " "};
    EXPECT_EQ(FormatCurrent(r.Iokz, point), "4027");
    EXPECT_EQ(FormatGeneral(r.Rt, point), "32.26");
    EXPECT_EQ(FormatGeneral(r.Xt, point), "80.15");
    EXPECT_EQ(FormatGrouped(r.Zt, 2, point), "86.40");
    EXPECT_EQ(FormatGrouped(r.ZLine[5], 2, point), "0.00");
    EXPECT_EQ(FormatGrouped(r.Rother, 0, point), "40");
    EXPECT_EQ(FormatGrouped(r.Rsum, 2, point), "50.75");
    EXPECT_EQ(FormatGrouped(r.Xsum, 2, point), "26.72");
    EXPECT_EQ(FormatGrouped(r.Zsum, 2, point), "57.36");
}

// The whole method against textbook figures: the transformer alone at its terminals.
TEST(ShortCircuitTest, TransformerTerminals) {
    const struct {
        const char *power, *scheme;
        double current, tolerance;
    } cases[] = {
        {"100", "Y/Y-0", 889.6, 0.05},
        {"250", "T/Y-0", 8021, 0.5},
    };
    for (const auto& c : cases) {
        NetworkDescription network = InitialNetworkDescription();
        network.TransPower = c.power;
        network.WindKind = c.scheme;
        network.RArc = "0";
        const CalculationOutcome outcome = CalculateShortCircuit(network);
        ASSERT_EQ(outcome.status, CalculationStatus::Success) << outcome.message;
        EXPECT_NEAR(outcome.result.Iokz, c.current, c.tolerance) << c.power << " kVA " << c.scheme;
    }
}

// Each line section reads its own controls, and n parallel conductors divide its R and X by n.
TEST(ShortCircuitTest, EachSectionUsesItsOwnTexts) {
    for (int line = 1; line <= LineSectionCount; ++line) {
        const NetworkDescription network =
            WithLine(InitialNetworkDescription(), line, Paper, Aluminium, "50", "50", "100", "2");
        const CalculationOutcome outcome = CalculateShortCircuit(network);
        ASSERT_EQ(outcome.status, CalculationStatus::Success) << outcome.message;
        for (int n = 0; n < LineSectionCount; ++n) {
            const bool own = n == line - 1;
            EXPECT_DOUBLE_EQ(outcome.result.RLine[n], own ? 0.625 * 2 * 100 / 2 : 0) << line << "/" << n + 1;
            EXPECT_DOUBLE_EQ(outcome.result.XLine[n], own ? 0.0625 * 2 * 100 / 2 : 0) << line << "/" << n + 1;
        }
        EXPECT_DOUBLE_EQ(outcome.result.RLineSum, 62.5);
    }
}

// Phase and neutral must both be present or both absent, on every line.
TEST(ShortCircuitTest, PhaseAndNeutralArePairedOnEveryLine) {
    const CalculationOutcome initial = CalculateShortCircuit(InitialNetworkDescription());
    for (int line = 1; line <= LineSectionCount; ++line) {
        const NetworkDescription base = InitialNetworkDescription();
        const CalculationOutcome noNeutral = CalculateShortCircuit(WithLine(base, line, Pvc, Copper, "95", "0", "10", "нет"));
        EXPECT_EQ(noNeutral.status, CalculationStatus::Failed);
        EXPECT_EQ(noNeutral.message, NoNeutral(line));
        const CalculationOutcome noPhase = CalculateShortCircuit(WithLine(base, line, Pvc, Copper, "0", "50", "10", "нет"));
        EXPECT_EQ(noPhase.status, CalculationStatus::Failed);
        EXPECT_EQ(noPhase.message, NoPhase(line));
        // "0.5" is no absent core like "0": it is refused as it stands
        const CalculationOutcome halfMillimetre =
            CalculateShortCircuit(WithLine(base, line, Pvc, Copper, "95", "0.5", "10", "нет"));
        EXPECT_EQ(halfMillimetre.message, OffSeries("нулевого", line));
        // both absent: nothing is added, whatever the length and count
        const CalculationOutcome absent = CalculateShortCircuit(WithLine(base, line, Overhead, Copper, "0", "0", "500", "3"));
        ASSERT_EQ(absent.status, CalculationStatus::Success);
        EXPECT_EQ(absent.result.Iokz, initial.result.Iokz);
    }
}

// A core section is taken only at exactly one of the offered values or 0, written with a point
// or a comma; any other number stops the calculation at that core, whatever the other one says.
TEST(ShortCircuitTest, SectionsAreTakenOnlyFromTheSeries) {
    const struct {
        const char* phase;
        const char* neutral;
        int line;
        NetworkField refused;            // None: taken, as the offered texts below
        const char* offeredPhase = "";
        const char* offeredNeutral = "";
    } cases[] = {
        {"2,5", "1,5", 1, NetworkField::None, "2.5", "1.5"},
        {"2.50", "1.5e0", 2, NetworkField::None, "2.5", "1.5"},
        {" 240", "120.000", 3, NetworkField::None, "240", "120"},
        {"0.0", "-0", 6, NetworkField::None, "0", "0"},
        {"0.75", "1.5", 1, NetworkField::Ff},
        {"0,75", "0,75", 2, NetworkField::Ff},
        {"1", "1", 3, NetworkField::Ff},
        {"2", "2.5", 4, NetworkField::Ff},
        {"1.9", "1.5", 5, NetworkField::Ff},
        {"50.7", "50", 6, NetworkField::Ff},
        {"-1.5", "1.5", 1, NetworkField::Ff},
        {"240.99", "240", 2, NetworkField::Ff},
        {"95", "0.5", 3, NetworkField::Fn},
        {"95", "0,5", 4, NetworkField::Fn},
        {"95", "50,7", 5, NetworkField::Fn},
        {"0", "1e-400", 6, NetworkField::Fn},
        {"0", "241", 1, NetworkField::Fn},
    };
    for (const auto& c : cases) {
        const std::string trace = std::string(c.phase) + " / " + c.neutral + " on line " + std::to_string(c.line);
        const NetworkDescription base = InitialNetworkDescription();
        const CalculationOutcome outcome =
            CalculateShortCircuit(WithLine(base, c.line, Pvc, Copper, c.phase, c.neutral, "45", "нет"));
        if (c.refused == NetworkField::None) {
            const CalculationOutcome offered = CalculateShortCircuit(
                WithLine(base, c.line, Pvc, Copper, c.offeredPhase, c.offeredNeutral, "45", "нет"));
            ASSERT_EQ(outcome.status, CalculationStatus::Success) << trace << ": " << outcome.message;
            EXPECT_EQ(outcome.result.Iokz, offered.result.Iokz) << trace;
            continue;
        }
        EXPECT_EQ(outcome.status, CalculationStatus::Failed) << trace;
        EXPECT_EQ(outcome.message, OffSeries(c.refused == NetworkField::Ff ? "фазного" : "нулевого", c.line)) << trace;
        EXPECT_EQ(outcome.field, c.refused) << trace;
        EXPECT_EQ(outcome.line, c.line - 1) << trace;
    }
}

struct CheckCase {
    const char* name;
    std::function<void(NetworkDescription&)> change;
    CalculationStatus status;
    std::string message;
};

void RunChecks(const std::vector<CheckCase>& cases) {
    for (const CheckCase& c : cases) {
        NetworkDescription network = InitialNetworkDescription();
        c.change(network);
        const CalculationOutcome outcome = CalculateShortCircuit(network);
        EXPECT_EQ(outcome.status, c.status) << c.name;
        if (c.status != CalculationStatus::Success) {
            EXPECT_EQ(outcome.message, c.message) << c.name;
        }
    }
}

const auto Ok = CalculationStatus::Success;
const auto Failed = CalculationStatus::Failed;

TEST(ShortCircuitTest, EachInputIsChecked) {
    RunChecks({
        {"power 250.0", [](auto& n) { n.TransPower = "250.0"; }, CalculationStatus::InvalidPower, BadPower},
        {"power empty", [](auto& n) { n.TransPower = ""; }, CalculationStatus::InvalidPower, BadPower},
        {"power $FA", [](auto& n) { n.TransPower = "$FA"; }, Ok, ""},
        {"power 0xFA", [](auto& n) { n.TransPower = "0xFA"; }, Ok, ""},
        {"power 300", [](auto& n) { n.TransPower = "300"; }, Failed,
         "Неизвестная мощность трансформатора. Выберите мощность из списка"},
        {"scheme lower case", [](auto& n) { n.WindKind = "t/y-0"; }, Failed,
         "Неправильная схема соединения обмоток трансформатора."},
        {"no data for 400 kVA Y/Z-0", [](auto& n) { n.TransPower = "400"; n.WindKind = "Y/Z-0"; }, Failed,
         "Неизвестная марка трансформатора. Попробуйте выбрать трансформатор другой мощности или изменить "
         "схему соединения обмоток"},
        {"phase section text", [](auto& n) { n.Lines[3].Ff = "abc"; }, Failed, "Неверное сечение жилы"},
        {"neutral section text", [](auto& n) { n.Lines[3].Fn = "1,5,0"; }, Failed, "Неверное сечение жилы"},
        {"sections with a comma", [](auto& n) { n.Lines[3].Ff = "2,5"; n.Lines[3].Fn = "1,5"; }, Ok, ""},
        {"section off the list", [](auto& n) { n.Lines[0].Ff = "3"; }, Failed, OffSeries("фазного", 1)},
        {"material of an absent core", [](auto& n) { n.Lines[1].Stuff = "Сталь"; }, Failed,
         "Неизвестный материал жилы проводника"},
        {"line type of an absent core", [](auto& n) { n.Lines[1].KindPerform = "Кабель"; }, Failed,
         "Неверный тип линии"},
        {"unused combination",
         [](auto& n) { n.Lines[0] = {Overhead, Copper, "10", "10", "1", "нет"}; }, Failed,
         "Тип линии с выбранным сечением не используется. Выберите другое сечение."},
        {"length 1e3", [](auto& n) { n.Lines[0].Length = "1e3"; }, Ok, ""},
        {"length with leading blank", [](auto& n) { n.Lines[0].Length = " 12"; }, Ok, ""},
        {"length -1", [](auto& n) { n.Lines[0].Length = "-1"; }, Failed, BadLength(1)},
        {"length 1,5", [](auto& n) { n.Lines[1].Length = "1,5"; }, Ok, ""},
        {"length 1,5,0", [](auto& n) { n.Lines[1].Length = "1,5,0"; }, Failed, BadLength(2)},
        {"length 1 250", [](auto& n) { n.Lines[1].Length = "1 250"; }, Failed, BadLength(2)},
        {"length empty", [](auto& n) { n.Lines[2].Length = ""; }, Failed, BadLength(3)},
        {"length with trailing blank", [](auto& n) { n.Lines[3].Length = "12 "; }, Failed, BadLength(4)},
        {"length 12м", [](auto& n) { n.Lines[4].Length = "12м"; }, Failed, BadLength(5)},
        {"length inf", [](auto& n) { n.Lines[5].Length = "inf"; }, Failed, BadLength(6)},
        {"count 1", [](auto& n) { n.Lines[0].QuanPar = "1"; }, Ok, ""},
        {"count 10", [](auto& n) { n.Lines[0].QuanPar = "10"; }, Ok, ""},
        {"count 0", [](auto& n) { n.Lines[0].QuanPar = "0"; }, Failed, BadCount(1)},
        {"count -2", [](auto& n) { n.Lines[1].QuanPar = "-2"; }, Failed, BadCount(2)},
        {"count Нет", [](auto& n) { n.Lines[2].QuanPar = "Нет"; }, Ok, ""},
        {"count НЕТ", [](auto& n) { n.Lines[2].QuanPar = "НЕТ"; }, Ok, ""},
        {"count нЕт", [](auto& n) { n.Lines[2].QuanPar = "нЕт"; }, Ok, ""},
        {"count нет with a blank", [](auto& n) { n.Lines[2].QuanPar = "нет "; }, Failed, BadCount(3)},
        {"count Latin Het", [](auto& n) { n.Lines[2].QuanPar = "Hет"; }, Failed, BadCount(3)},
        {"count нету", [](auto& n) { n.Lines[2].QuanPar = "нету"; }, Failed, BadCount(3)},
        {"count два", [](auto& n) { n.Lines[3].QuanPar = "два"; }, Failed, BadCount(4)},
        {"count empty", [](auto& n) { n.Lines[4].QuanPar = ""; }, Failed, BadCount(5)},
        {"count 1.5", [](auto& n) { n.Lines[5].QuanPar = "1.5"; }, Failed, BadCount(6)},
        {"Rпр 0", [](auto& n) { n.RArc = "0"; }, Ok, ""},
        {"Rпр 40", [](auto& n) { n.RArc = "40"; }, Ok, ""},
        {"Rпр 40.001", [](auto& n) { n.RArc = "40.001"; }, Failed, BadArc},
        {"Rпр -0.5", [](auto& n) { n.RArc = "-0.5"; }, Failed, BadArc},
        {"Rпр empty", [](auto& n) { n.RArc = ""; }, Failed, BadArc},
        {"Rпр 1,5", [](auto& n) { n.RArc = "1,5"; }, Ok, ""},
        {"Rпр 40,001", [](auto& n) { n.RArc = "40,001"; }, Failed, BadArc},
    });
}

// A comma reads as the point does: the same network gives the same loop to the last bit.
TEST(ShortCircuitTest, CommaAndPointGiveTheSameResult) {
    const NetworkDescription point = WithLine(InitialNetworkDescription(), 1, Pvc, Copper, "2.5", "1.5", "12.75", "нет");
    NetworkDescription comma = WithLine(InitialNetworkDescription(), 1, Pvc, Copper, "2,5", "1,5", "12,75", "НЕТ");
    comma.RArc = "15,5";
    NetworkDescription pointArc = point;
    pointArc.RArc = "15.5";
    const CalculationOutcome a = CalculateShortCircuit(pointArc);
    const CalculationOutcome b = CalculateShortCircuit(comma);
    ASSERT_EQ(a.status, CalculationStatus::Success);
    ASSERT_EQ(b.status, CalculationStatus::Success);
    EXPECT_EQ(a.result.RLine[0], b.result.RLine[0]);
    EXPECT_EQ(a.result.Rother, 15.5);
    EXPECT_EQ(a.result.Iokz, b.result.Iokz);
}

// Every refusal names the input at fault, so that the window can lead the user there.
TEST(ShortCircuitTest, EachRefusalNamesTheFieldAtFault) {
    const struct {
        const char* name;
        std::function<void(NetworkDescription&)> change;
        NetworkField field;
        int line;
    } cases[] = {
        {"power text", [](auto& n) { n.TransPower = "abc"; }, NetworkField::TransPower, -1},
        {"unknown power", [](auto& n) { n.TransPower = "300"; }, NetworkField::TransPower, -1},
        {"no data for the pair", [](auto& n) { n.TransPower = "400"; n.WindKind = "Y/Z-0"; }, NetworkField::TransPower, -1},
        {"scheme", [](auto& n) { n.WindKind = "x"; }, NetworkField::WindKind, -1},
        {"phase section text", [](auto& n) { n.Lines[2].Ff = "abc"; }, NetworkField::Ff, 2},
        {"neutral section off the list", [](auto& n) { n.Lines[4].Fn = "3"; }, NetworkField::Fn, 4},
        {"unused combination", [](auto& n) { n.Lines[0] = {Overhead, Copper, "10", "10", "1", "нет"}; },
         NetworkField::Ff, 0},
        {"material", [](auto& n) { n.Lines[1].Stuff = "Сталь"; }, NetworkField::Stuff, 1},
        {"line type", [](auto& n) { n.Lines[5].KindPerform = "Кабель"; }, NetworkField::KindPerform, 5},
        {"no neutral", [](auto& n) { n.Lines[3].Ff = "95"; }, NetworkField::Fn, 3},
        {"no phase", [](auto& n) { n.Lines[3].Fn = "95"; }, NetworkField::Ff, 3},
        {"length", [](auto& n) { n.Lines[1].Length = "-1"; }, NetworkField::Length, 1},
        {"count", [](auto& n) { n.Lines[5].QuanPar = "0"; }, NetworkField::QuanPar, 5},
        {"Rпр", [](auto& n) { n.RArc = "41"; }, NetworkField::RArc, -1},
        {"typed section overflow", [](auto& n) { n.Lines[2].Fn = "1e309"; }, NetworkField::Fn, 2},
        {"typed length overflow", [](auto& n) { n.Lines[0].Length = "1e309"; }, NetworkField::Length, 0},
        {"typed Rпр overflow", [](auto& n) { n.RArc = "1e309"; }, NetworkField::RArc, -1},
        {"overflow of a product", [](auto& n) { n.Lines[0] = {Pvc, Copper, "1.5", "1.5", "1e307", "нет"}; },
         NetworkField::None, -1},
        {"success", [](auto&) {}, NetworkField::None, -1},
    };
    for (const auto& c : cases) {
        NetworkDescription network = InitialNetworkDescription();
        c.change(network);
        const CalculationOutcome outcome = CalculateShortCircuit(network);
        EXPECT_EQ(outcome.field, c.field) << c.name;
        EXPECT_EQ(outcome.line, c.line) << c.name;
    }
}

// The first refused input wins: power, transformer, sections line by line, lengths, counts, Rпр.
TEST(ShortCircuitTest, OrderOfChecks) {
    RunChecks({
        {"power before scheme", [](auto& n) { n.TransPower = "abc"; n.WindKind = "x"; },
         CalculationStatus::InvalidPower, BadPower},
        {"unknown power before scheme", [](auto& n) { n.TransPower = "300"; n.WindKind = "x"; }, Failed,
         "Неизвестная мощность трансформатора. Выберите мощность из списка"},
        {"scheme before sections", [](auto& n) { n.WindKind = "x"; n.Lines[0].Ff = "abc"; }, Failed,
         "Неправильная схема соединения обмоток трансформатора."},
        {"phase core before neutral core",
         [](auto& n) { n.Lines[0].Ff = "abc"; n.Lines[0].Fn = "3"; }, Failed, "Неверное сечение жилы"},
        {"neutral core before pairing",
         [](auto& n) { n.Lines[0].Ff = "95"; n.Lines[0].Fn = "3"; }, Failed, OffSeries("нулевого", 1)},
        {"line 1 pairing before line 2 section",
         [](auto& n) { n.Lines[0].Ff = "95"; n.Lines[1].Ff = "abc"; }, Failed, NoNeutral(1)},
        {"section before length of the same line",
         [](auto& n) { n.Lines[0].Ff = "abc"; n.Lines[0].Length = "-1"; }, Failed, "Неверное сечение жилы"},
        {"section of line 5 before length of line 2",
         [](auto& n) { n.Lines[1].Length = "-1"; n.Lines[4].Ff = "95"; }, Failed, NoNeutral(5)},
        {"lengths in line order", [](auto& n) { n.Lines[2].Length = "x"; n.Lines[4].Length = "x"; }, Failed,
         BadLength(3)},
        {"length of line 6 before count of line 1",
         [](auto& n) { n.Lines[5].Length = "x"; n.Lines[0].QuanPar = "0"; }, Failed, BadLength(6)},
        {"counts in line order", [](auto& n) { n.Lines[3].QuanPar = "0"; n.Lines[1].QuanPar = "x"; }, Failed,
         BadCount(2)},
        {"count before Rпр", [](auto& n) { n.Lines[5].QuanPar = "0"; n.RArc = "41"; }, Failed, BadCount(6)},
    });
}

// A number beyond the range of a double, typed or reached, stops the calculation without a result;
// an earlier refusal still comes first.
TEST(ShortCircuitTest, OverflowStops) {
    const auto Overflow = CalculationStatus::Overflow;
    const std::string text = "Floating point overflow";
    RunChecks({
        {"section", [](auto& n) { n.Lines[2].Fn = "1e309"; }, Overflow, text},
        {"length", [](auto& n) { n.Lines[0].Length = "1e309"; }, Overflow, text},
        {"negative length", [](auto& n) { n.Lines[0].Length = "-1e309"; }, Overflow, text},
        {"Rпр", [](auto& n) { n.RArc = "1e309"; }, Overflow, text},
        {"product of a long line",
         [](auto& n) { n.Lines[0] = {Pvc, Copper, "1.5", "1.5", "1e307", "нет"}; }, Overflow, text},
        {"square of a long line",
         [](auto& n) { n.Lines[0] = {Pvc, Copper, "240", "240", "1e200", "нет"}; }, Overflow, text},
        {"long but representable line",
         [](auto& n) { n.Lines[0] = {Pvc, Copper, "240", "240", "1e100", "нет"}; }, Ok, ""},
        {"bad length before later overflow",
         [](auto& n) { n.Lines[0].Length = "x"; n.Lines[1].Length = "1e309"; }, Failed, BadLength(1)},
        {"huge section is not on the list", [](auto& n) { n.Lines[0].Ff = "1e300"; }, Failed,
         OffSeries("фазного", 1)},
        {"huge count is refused", [](auto& n) { n.Lines[0].QuanPar = "99999999999"; }, Failed, BadCount(1)},
    });
}

}  // namespace
