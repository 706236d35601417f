// The conductor tables: lookups, refusals in their order, and the consistency of the held values.
#include "LineUnit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>
#include <tuple>

namespace {

const char* const Aluminium = "Алюминий";
const char* const Copper = "Медь";
const char* const Paper = "Кабель с бумажной изоляцией";
const char* const Pvc = "Кабель с ПВХ изоляцией";
const char* const Overhead = "Воздушная";

const std::string BadSection = "Неверное сечение жилы";
const std::string OddSection = "Сечение жилы не входит в ряд стандартных сечений: "
                                "1,5; 2,5; 4; 6; 10; 16; 25; 35; 50; 70; 95; 120; 150; 185; 240 мм²";
const std::string BadMaterial = "Неизвестный материал жилы проводника";
const std::string BadLineType = "Неверный тип линии";
const std::string NotUsed = "Тип линии с выбранным сечением не используется. Выберите другое сечение.";

// The offered sections, rows 1..15, and their areas in mm².
const struct {
    const char* text;
    double area;
} Sections[] = {{"1.5", 1.5}, {"2.5", 2.5}, {"4", 4},     {"6", 6},     {"10", 10},
                {"16", 16},   {"25", 25},   {"35", 35},   {"50", 50},   {"70", 70},
                {"95", 95},   {"120", 120}, {"150", 150}, {"185", 185}, {"240", 240}};

TEST(LineUnitTest, FindsTheCoreValues) {
    const struct {
        const char* section;
        const char* material;
        const char* lineType;
        double r, x;
    } cases[] = {
        {"240", Copper, Pvc, 0.077, 0.077},
        {"50", Aluminium, Overhead, 0.625, 0.29},
        {"95", Aluminium, Paper, 0.329, 0.0602},
        {"1.5", Copper, Pvc, 12.3, 0.12},
        {"35", Aluminium, Overhead, 0.894, 0.30},
        {"16", Copper, Overhead, 1.16, 0.32},
        // the value chooses the row, however it is written
        {" 70", Copper, Paper, 0.265, 0.0612},
        {"7e1", Copper, Paper, 0.265, 0.0612},
        // a typed comma is the decimal sign
        {"1,5", Copper, Pvc, 12.3, 0.12},
        // the absent core
        {"0", Aluminium, Paper, 0, 0},
        {"0", Copper, Overhead, 0, 0},
    };
    for (const auto& c : cases) {
        const LineImpedance line = LookupLineImpedance(c.section, c.material, c.lineType);
        ASSERT_EQ(line.status, LookupStatus::Ok) << c.section << " " << line.message;
        EXPECT_EQ(line.r, c.r) << c.section << " " << c.material;
        EXPECT_EQ(line.x, c.x) << c.section << " " << c.lineType;
    }
}

TEST(LineUnitTest, RefusesInTheOrderSectionRowMaterialLineTypeTable) {
    const struct {
        const char* name;
        const char* section;
        const char* material;
        const char* lineType;
        const std::string& message;
    } cases[] = {
        {"letters", "abc", Copper, Pvc, BadSection},
        {"empty section", "", Copper, Pvc, BadSection},
        {"two commas", "1,5,", Copper, Pvc, BadSection},
        {"comma and point", "1,5.0", Copper, Pvc, BadSection},
        {"trailing blank", "50 ", Copper, Pvc, BadSection},
        {"section before material", "abc", "Сталь", "Кабель", BadSection},
        {"between rows", "3", Copper, Pvc, OddSection},
        {"above the last row", "241", Copper, Pvc, OddSection},
        {"negative", "-1.5", Copper, Pvc, OddSection},
        {"huge", "1e300", Copper, Pvc, OddSection},
        {"row before material", "3", "Сталь", Pvc, OddSection},
        {"unknown material", "0", "Сталь", Pvc, BadMaterial},
        {"lower-case material", "50", "медь", Pvc, BadMaterial},
        {"material before line type", "50", "Сталь", "Кабель", BadMaterial},
        {"unknown line type", "0", Copper, "Кабель", BadLineType},
        {"line type with trailing blank", "50", Copper, "Воздушная ", BadLineType},
        {"line type before table", "1.5", Aluminium, "Кабель", BadLineType},
        {"aluminium 1.5", "1.5", Aluminium, Pvc, NotUsed},
        {"overhead 10", "10", Copper, Overhead, NotUsed},
    };
    for (const auto& c : cases) {
        const LineImpedance line = LookupLineImpedance(c.section, c.material, c.lineType);
        EXPECT_EQ(line.status, LookupStatus::Failed) << c.name;
        EXPECT_EQ(line.message, c.message) << c.name;
        // The argument laid at fault: the material or the line type by their messages, else the section.
        const LineInput refused = &c.message == &BadMaterial   ? LineInput::Material
                                  : &c.message == &BadLineType ? LineInput::LineType
                                                               : LineInput::Section;
        EXPECT_EQ(line.refused, refused) << c.name;
    }
}

TEST(LineUnitTest, SectionBeyondDoubleRangeIsAnOverflow) {
    for (const char* section : {"1e309", "-1e309", "1e99999"}) {
        EXPECT_EQ(LookupLineImpedance(section, Copper, Pvc).status, LookupStatus::Overflow) << section;
    }
}

// Exactly these offered combinations are refused: aluminium of 1.5 mm², paper-insulated cable
// of 1.5 mm² and overhead wire below 16 mm². Every other one has positive r and x.
TEST(LineUnitTest, OnlyTheUnusedCombinationsAreRefused) {
    std::set<std::tuple<std::string, std::string, std::string>> refused;
    for (const auto& section : Sections) {
        for (const char* material : {Aluminium, Copper}) {
            for (const char* lineType : {Paper, Pvc, Overhead}) {
                const LineImpedance line = LookupLineImpedance(section.text, material, lineType);
                if (line.status == LookupStatus::Ok) {
                    EXPECT_GT(line.r, 0) << section.text << " " << material;
                    EXPECT_GT(line.x, 0) << section.text << " " << lineType;
                } else {
                    EXPECT_EQ(line.message, NotUsed);
                    refused.emplace(section.text, material, lineType);
                }
            }
        }
    }
    std::set<std::tuple<std::string, std::string, std::string>> expected;
    for (const char* lineType : {Paper, Pvc, Overhead}) expected.emplace("1.5", Aluminium, lineType);
    for (const char* material : {Aluminium, Copper}) {
        expected.emplace("1.5", material, Paper);
        for (const char* section : {"1.5", "2.5", "4", "6", "10"}) expected.emplace(section, material, Overhead);
    }
    EXPECT_EQ(refused, expected);
}

// r·S is the resistivity: 1000/32 for aluminium and about 1000/54 for copper, within 1 %, in
// every row, the refused aluminium 1.5 mm² included. A mistyped cell shows up here.
TEST(LineUnitTest, ResistanceFollowsTheConductivity) {
    for (const auto& section : Sections) {
        const LineImpedance copper = LookupLineImpedance(section.text, Copper, Pvc);
        EXPECT_NEAR(copper.r * section.area, 1000.0 / 54, 1000.0 / 54 * 0.01) << section.text;
        const LineImpedance aluminium = LookupLineImpedance(section.text, Aluminium, Pvc);
        if (aluminium.status == LookupStatus::Ok) {
            EXPECT_NEAR(aluminium.r * section.area, 1000.0 / 32, 1000.0 / 32 * 0.01) << section.text;
        }
    }
}

// The reactance does not grow with the section, and an overhead line has more of it than a cable.
TEST(LineUnitTest, ReactanceFallsWithTheSection) {
    double previous[3] = {1, 1, 1};
    for (const auto& section : Sections) {
        const char* lineTypes[] = {Paper, Pvc, Overhead};
        double current[3] = {0, 0, 0};
        for (int t = 0; t < 3; ++t) {
            const LineImpedance line = LookupLineImpedance(section.text, Copper, lineTypes[t]);
            if (line.status != LookupStatus::Ok) continue;
            current[t] = line.x;
            EXPECT_LE(line.x, previous[t]) << section.text << " " << lineTypes[t];
            previous[t] = line.x;
        }
        if (current[0] > 0) {
            EXPECT_LT(current[0], current[1]) << section.text;
        }
        if (current[2] > 0) {
            EXPECT_LT(current[1], current[2]) << section.text;
        }
    }
}

}  // namespace
