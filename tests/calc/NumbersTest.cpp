// Reading and writing numbers: the texts users type and the texts the windows show.
#include "Numbers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <clocale>
#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace {

struct IntegerCase {
    const char* text;
    std::optional<std::int32_t> expected;
};

TEST(ParseIntegerTest, ReadsTextsAsTheWindowsReceiveThem) {
    const IntegerCase cases[] = {
        {"250", 250},
        {"0", 0},
        {"007", 7},
        {"   250", 250},
        {"+250", 250},
        {"-250", -250},
        {"$FA", 250},
        {"$fa", 250},
        {"xFA", 250},
        {"XFA", 250},
        {"0xFA", 250},
        {"0XfA", 250},
        {"-$FA", -250},
        {"+0xFA", 250},
        {"  -0x10", -16},
        {"2147483647", 2147483647},
        {"-2147483648", std::numeric_limits<std::int32_t>::min()},
        {"$7FFFFFFF", 2147483647},
        {"-$80000000", std::numeric_limits<std::int32_t>::min()},
        {"00000000000000000000000000000001", 1},
        // refused
        {"", std::nullopt},
        {"   ", std::nullopt},
        {"+", std::nullopt},
        {"-", std::nullopt},
        {"$", std::nullopt},
        {"0x", std::nullopt},
        {"x", std::nullopt},
        {"250 ", std::nullopt},
        {"\t250", std::nullopt},
        {"\xC2\xA0" "250", std::nullopt},
        {"250.0", std::nullopt},
        {"2,5", std::nullopt},
        {"1e3", std::nullopt},
        {"--5", std::nullopt},
        {"+-5", std::nullopt},
        {"- 5", std::nullopt},
        {"$-5", std::nullopt},
        {"$+5", std::nullopt},
        {"$0x10", std::nullopt},
        {"0xx1", std::nullopt},
        {"FA", std::nullopt},
        {"$FG", std::nullopt},
        {"два", std::nullopt},
        {"2147483648", std::nullopt},
        {"-2147483649", std::nullopt},
        {"$80000000", std::nullopt},
        {"$FFFFFFFF", std::nullopt},
        {"99999999999999999999999", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseInteger(c.text), c.expected) << "text «" << c.text << "»";
    }
}

struct DecimalCase {
    const char* text;
    DecimalStatus status;
    double value;
};

TEST(ParseDecimalTest, ReadsTextsAsTheWindowsReceiveThem) {
    const DecimalCase cases[] = {
        {"12", DecimalStatus::Valid, 12},
        {" 12", DecimalStatus::Valid, 12},
        {"1.5", DecimalStatus::Valid, 1.5},
        {"+1.5", DecimalStatus::Valid, 1.5},
        {"-0.5", DecimalStatus::Valid, -0.5},
        {"50.7", DecimalStatus::Valid, 50.7},
        {"1e3", DecimalStatus::Valid, 1000},
        {"1E3", DecimalStatus::Valid, 1000},
        {"1.5e+2", DecimalStatus::Valid, 150},
        {"25e-1", DecimalStatus::Valid, 2.5},
        {"5.", DecimalStatus::Valid, 5},
        {".5", DecimalStatus::Valid, 0.5},
        {"000040", DecimalStatus::Valid, 40},
        {"1.7976931348623157e308", DecimalStatus::Valid, std::numeric_limits<double>::max()},
        {"1e-400", DecimalStatus::Valid, 0},
        {"-1e-400", DecimalStatus::Valid, 0},
        {"0.000001e-320", DecimalStatus::Valid, 0},
        {"0e999999999999", DecimalStatus::Valid, 0},
        {"1e309", DecimalStatus::Overflow, 0},
        {"-1e309", DecimalStatus::Overflow, 0},
        {"1.8e308", DecimalStatus::Overflow, 0},
        {"1e99999999999999999999", DecimalStatus::Overflow, 0},
        {"0.00001e309", DecimalStatus::Valid, 1e304},
        {"", DecimalStatus::Invalid, 0},
        {"  ", DecimalStatus::Invalid, 0},
        {"inf", DecimalStatus::Invalid, 0},
        {"-inf", DecimalStatus::Invalid, 0},
        {"nan", DecimalStatus::Invalid, 0},
        {"infinity", DecimalStatus::Invalid, 0},
        {"1e", DecimalStatus::Invalid, 0},
        {"1e+", DecimalStatus::Invalid, 0},
        {"12 ", DecimalStatus::Invalid, 0},
        {"12м", DecimalStatus::Invalid, 0},
        {"1,5", DecimalStatus::Invalid, 0},
        {".", DecimalStatus::Invalid, 0},
        {"-", DecimalStatus::Invalid, 0},
        {"e5", DecimalStatus::Invalid, 0},
        {"1.2.3", DecimalStatus::Invalid, 0},
        {"--1", DecimalStatus::Invalid, 0},
        {"- 1", DecimalStatus::Invalid, 0},
        {"0x10", DecimalStatus::Invalid, 0},
        {"$10", DecimalStatus::Invalid, 0},
        {"\t1", DecimalStatus::Invalid, 0},
        {"1e5.5", DecimalStatus::Invalid, 0},
    };
    for (const auto& c : cases) {
        const DecimalValue parsed = ParseDecimal(c.text);
        EXPECT_EQ(parsed.status, c.status) << "text «" << c.text << "»";
        if (c.status == DecimalStatus::Valid && parsed.status == DecimalStatus::Valid) {
            EXPECT_EQ(parsed.value, c.value) << "text «" << c.text << "»";
        }
    }
}

const NumberSeparators PointSpace{".", " "};
const NumberSeparators CommaSpace{",", " "};
const NumberSeparators CommaNoBreak{",", "\xC2\xA0"};  // the Russian regional settings

struct GroupedCase {
    double value;
    int decimals;
    const char* point;  // with "." and " "
    const char* comma;  // with "," and U+00A0
};

TEST(FormatGroupedTest, WritesWithBothRegionalSettings) {
    const GroupedCase cases[] = {
        {1234.567, 2, "1 234.57", "1\u00A0234,57"},
        {5, 2, "5.00", "5,00"},
        {15, 0, "15", "15"},
        {0, 2, "0.00", "0,00"},
        {86.39866954994157, 2, "86.40", "86,40"},
        {50.75333333333333, 2, "50.75", "50,75"},
        {40, 0, "40", "40"},
        {12.6, 0, "13", "13"},
        // an exact half goes away from zero; 1.005 is stored below the half
        {12.5, 0, "13", "13"},
        {-12.5, 0, "-13", "-13"},
        {0.125, 2, "0.13", "0,13"},
        {2.675, 2, "2.67", "2,67"},
        {1.005, 2, "1.00", "1,00"},
        {0.5, 0, "1", "1"},
        {0.005000000000000001, 2, "0.01", "0,01"},
        // a value that rounds to zero carries no minus
        {-0.004, 2, "0.00", "0,00"},
        {-0.0, 2, "0.00", "0,00"},
        {-0.4, 0, "0", "0"},
        {-1234.567, 2, "-1 234.57", "-1\u00A0234,57"},
        // 7 significant digits cap the decimals
        {123456.789, 2, "123 456.80", "123\u00A0456,80"},
        {1234567.89, 2, "1 234 568.00", "1\u00A0234\u00A0568,00"},
        {9999999, 2, "9 999 999.00", "9\u00A0999\u00A0999,00"},
        {999.9999, 2, "1 000.00", "1\u00A0000,00"},
        {0.000123456789, 6, "0.000123", "0,000123"},
        {0.1, 25, "0.100000000000000000", "0,100000000000000000"},  // at most 18 decimals
        // an integer part of more than 7 digits: scientific, up to 7 significant digits
        {12345678, 2, "1.234568E7", "1,234568E7"},
        {9999999.6, 2, "1E7", "1E7"},
        {1e20, 2, "1E20", "1E20"},
        {-12345678, 0, "-1.234568E7", "-1,234568E7"},
        {1.5e300, 2, "1.5E300", "1,5E300"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatGrouped(c.value, c.decimals, PointSpace), c.point) << c.value << " with " << c.decimals;
        EXPECT_EQ(FormatGrouped(c.value, c.decimals, CommaNoBreak), c.comma) << c.value << " with " << c.decimals;
    }
    EXPECT_EQ(FormatGrouped(1234.567, 2, CommaSpace), "1 234,57");
}

// Rounded down means towards zero at every size: never up, never zeros that are not
// there, never the scientific form.
TEST(FormatGroupedDownTest, RoundsDownAndGroupsAtEverySize) {
    const GroupedCase cases[] = {
        {4027495.6, 2, "4 027 495.60", "4\u00A0027\u00A0495,60"},
        {4027495.6789, 2, "4 027 495.67", "4\u00A0027\u00A0495,67"},
        {0.999999, 2, "0.99", "0,99"},
        {1.0, 2, "1.00", "1,00"},
        {1.005, 2, "1.00", "1,00"},                     // stored a little below 1.005
        {2.675, 2, "2.67", "2,67"},
        {0.125, 2, "0.12", "0,12"},
        {0.999, 2, "0.99", "0,99"},
        {99.99999999999999, 1, "99.9", "99,9"},
        {100, 1, "100.0", "100,0"},
        {123456.789, 2, "123 456.78", "123\u00A0456,78"},
        {12345678.96, 1, "12 345 678.9", "12\u00A0345\u00A0678,9"},
        {9999999.99, 2, "9 999 999.99", "9\u00A0999\u00A0999,99"},
        {1e15, 1, "1 000 000 000 000 000.0", "1\u00A0000\u00A0000\u00A0000\u00A0000\u00A0000,0"},
        {1e20, 0, "100 000 000 000 000 000 000", "100\u00A0000\u00A0000\u00A0000\u00A0000\u00A0000\u00A0000"},
        {0.0012345, 4, "0.0012", "0,0012"},
        {0.0009, 2, "0.00", "0,00"},
        {0, 1, "0.0", "0,0"},
        {-0.0, 1, "0.0", "0,0"},
        {7, 0, "7", "7"},
        // decimals that a double holds only to rounding stay themselves
        {0.3, 1, "0.3", "0,3"},
        {1527.1, 1, "1 527.1", "1\u00A0527,1"},
        {99.9, 1, "99.9", "99,9"},
        {0.0123, 4, "0.0123", "0,0123"},
        {std::nextafter(0.3, 0.0), 1, "0.2", "0,2"},
        // towards zero on the negative side: a magnitude is never overstated
        {-1.231, 2, "-1.23", "-1,23"},
        {-0.001, 2, "0.00", "0,00"},
        {-999.95, 1, "-999.9", "-999,9"},
        {-2.5, 1, "-2.5", "-2,5"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatGroupedDown(c.value, c.decimals, PointSpace), c.point) << c.value << " with " << c.decimals;
        EXPECT_EQ(FormatGroupedDown(c.value, c.decimals, CommaNoBreak), c.comma) << c.value << " with " << c.decimals;
    }
    EXPECT_EQ(FormatGroupedDown(std::numeric_limits<double>::infinity(), 2, PointSpace), "INF");
    // The text read back is never above the value.
    for (double v : {0.1, 0.7, 1.1, 2.3, 1527.1327303090918, 4027.4956365691237, 123.456e9}) {
        for (int decimals : {0, 1, 2, 4}) {
            const std::string text = FormatGroupedDown(v, decimals, NumberSeparators{".", ""});
            EXPECT_LE(ParseDecimal(text).value, v) << text;
            // and one unit more would be beyond it
            const double unit = std::pow(10.0, -decimals);
            EXPECT_GT(ParseDecimal(text).value + 1.0001 * unit, v) << text;
        }
    }
}

struct GeneralCase {
    double value;
    const char* point;
    const char* comma;
};

TEST(FormatGeneralTest, WritesWithBothRegionalSettings) {
    const GeneralCase cases[] = {
        {32.26, "32.26", "32,26"},
        {80.15, "80.15", "80,15"},
        {750, "750", "750"},
        {52.8, "52.8", "52,8"},
        {62.5, "62.5", "62,5"},
        {2867, "2867", "2867"},
        {1234567, "1234567", "1234567"},
        {363.00000000000006, "363", "363"},
        {0.1 + 0.2, "0.3", "0,3"},
        {86.39866954994157, "86.3986695499416", "86,3986695499416"},
        {0, "0", "0"},
        {-0.0, "0", "0"},
        {-176, "-176", "-176"},
        {0.5, "0.5", "0,5"},
        {0.00001, "0.00001", "0,00001"},
        {0.0001234, "0.0001234", "0,0001234"},
        {999999999999999, "999999999999999", "999999999999999"},
        {1e15, "1E15", "1E15"},
        {1e20, "1E20", "1E20"},
        {123456789012345678.0, "1.23456789012346E17", "1,23456789012346E17"},
        {0.000001, "1E-6", "1E-6"},
        {-0.0000025, "-2.5E-6", "-2,5E-6"},
        {9.999999999999999e-6, "0.00001", "0,00001"},
        {5e-324, "4.94065645841247E-324", "4,94065645841247E-324"},
        {1.7976931348623157e308, "1.79769313486232E308", "1,79769313486232E308"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatGeneral(c.value, PointSpace), c.point) << c.value;
        EXPECT_EQ(FormatGeneral(c.value, CommaNoBreak), c.comma) << c.value;
    }
    // The grouped twin differs only in the groups of the integer part.
    const GeneralCase grouped[] = {
        {3752.2, "3 752.2", "3\u00A0752,2"},
        {750, "750", "750"},
        {1234567, "1 234 567", "1\u00A0234\u00A0567"},
        {-176000.5, "-176 000.5", "-176\u00A0000,5"},
        {0.0001234, "0.0001234", "0,0001234"},
        {999999999999999, "999 999 999 999 999", "999\u00A0999\u00A0999\u00A0999\u00A0999"},
        {1e20, "1E20", "1E20"},
    };
    for (const auto& c : grouped) {
        EXPECT_EQ(FormatGeneralGrouped(c.value, PointSpace), c.point) << c.value;
        EXPECT_EQ(FormatGeneralGrouped(c.value, CommaNoBreak), c.comma) << c.value;
    }
}

TEST(FormatTest, NonNumbersAreWrittenAsWords) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(FormatGeneral(inf, PointSpace), "INF");
    EXPECT_EQ(FormatGeneral(-inf, PointSpace), "-INF");
    EXPECT_EQ(FormatGeneral(nan, PointSpace), "NAN");
    EXPECT_EQ(FormatGrouped(inf, 2, PointSpace), "INF");
    EXPECT_EQ(FormatCurrent(nan, PointSpace), "NAN");
}

TEST(FormatCurrentTest, RoundsHalvesToTheEvenNeighbour) {
    const struct {
        double current;
        double rounded;
        const char* text;
    } cases[] = {
        {1234.5, 1234, "1234"},
        {1235.5, 1236, "1236"},
        {1234.5000000000002, 1235, "1235"},
        {1234.4999999999998, 1234, "1234"},
        {4027.4956, 4027, "4027"},
        {1527.1327, 1527, "1527"},
        {0.5, 0, "0"},
        {1.5, 2, "2"},
        {-2.5, -2, "-2"},
        {-0.4, -0.0, "0"},
        {999999999999999.4, 999999999999999.0, "999999999999999"},
        {999999999999999.5, 1e15, "1E15"},
        {4503599627370497.0, 4503599627370497.0, "4,5035996273705E15"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RoundCurrent(c.current), c.rounded) << c.current;
        EXPECT_EQ(FormatCurrent(c.current, CommaNoBreak), c.text) << c.current;
    }
}

TEST(ReadWrittenNumberTest, LeavesEveryOtherTextAlone) {
    const char* const texts[] = {
        "", "-", "---", " 5,20", "5,20 ", "+7", "-0", "-0,00", "007", "0\u00A0123", "5.20", "5,", ",5",
        "1 234,57", "1\u00A0234\u00A056", "1234\u00A0567", "1\u00A0\u00A0234", "1\u202F234,57", "1E3",
        "1e7", "1E+7", "1E07", "1,0E7", "12E7", "0E7", "1\u00A0234E7", "1E", "1E-5", "1E308", "1E-308",
        "=1+1", "1/2", "50%", "$1", "0x1F", "12:30", "TRUE", "NAN", "INF", "-INF", "1,2,3", "١٢٣",
        "1234567890123456", "0,1234567890123456", "Тср < 5 с",
    };
    for (const char* text : texts)
        EXPECT_FALSE(ReadWrittenNumber(text, CommaNoBreak).has_value()) << "text «" << text << "»";
}

// How a spreadsheet shows a number with the format built from its shape: the fixed or
// scientific digits, grouping by threes, the exponent without "+" or leading zeros.
std::string SheetDisplay(const WrittenNumber& n, const NumberSeparators& separators) {
    char buffer[400];
    const auto format = n.scientific ? std::chars_format::scientific : std::chars_format::fixed;
    char* end = std::to_chars(buffer, buffer + sizeof buffer, n.value, format, n.decimals).ptr;
    std::string digits(buffer, end);
    std::string exponent;
    if (const std::size_t e = digits.find('e'); e != std::string::npos) {
        const int power = std::stoi(digits.substr(e + 1));
        exponent = "E" + std::to_string(power);
        digits.resize(e);
    }
    const bool negative = digits[0] == '-';
    if (negative) digits.erase(0, 1);
    const std::size_t point = std::min(digits.find('.'), digits.size());
    std::string text = negative ? "-" : "";
    for (std::size_t i = 0; i < point; ++i) {
        if (n.grouped && i > 0 && (point - i) % 3 == 0) text += separators.group;
        text += digits[i];
    }
    if (point < digits.size()) text += separators.decimal + digits.substr(point + 1);
    return text + exponent;
}

// Whatever the formats write reads back to a number that the sheet shows as the same text.
TEST(ReadWrittenNumberTest, FormattedTextsShowOnTheSheetAsTheyStand) {
    const double values[] = {0, 5.2, 12.5, -12.5, 0.125, 1.005, 86.39866954994157, 999.9999, 1234.567,
                             -1234.567, 123456.789, 9999999, 12345678, 1e20, -12345678, 1.5e300,
                             0.000001, -0.0000025, 0.0001234, 2867, 363.00000000000006, 999999999999999,
                             123456789012345678.0, 4503599627370497.0, 1e-300, 0.1 + 0.2};
    for (const NumberSeparators& separators : {PointSpace, CommaNoBreak}) {
        for (const double value : values) {
            std::vector<std::string> texts = {FormatGeneral(value, separators), FormatCurrent(value, separators)};
            for (const int decimals : {0, 2, 6}) texts.push_back(FormatGrouped(value, decimals, separators));
            for (const std::string& text : texts) {
                const std::optional<WrittenNumber> read = ReadWrittenNumber(text, separators);
                ASSERT_TRUE(read.has_value()) << "text «" << text << "»";
                EXPECT_EQ(SheetDisplay(*read, separators), text) << value;
            }
        }
    }
}

// Typed into a field, a number may carry the comma instead of the point; everything the point
// reads stays as it was, and nothing reads as grouping.
TEST(ParseDecimalTest, FieldsTakeTheCommaAsTheDecimalSign) {
    const DecimalCase cases[] = {
        {"1,5", DecimalStatus::Valid, 1.5},
        {"31,5", DecimalStatus::Valid, 31.5},
        {" -0,5", DecimalStatus::Valid, -0.5},
        {"+1,05", DecimalStatus::Valid, 1.05},
        {"1,250", DecimalStatus::Valid, 1.25},   // no grouping: never 1250
        {"5,", DecimalStatus::Valid, 5},
        {",5", DecimalStatus::Valid, 0.5},
        {"1,5e3", DecimalStatus::Valid, 1500},
        {"1,8e308", DecimalStatus::Overflow, 0},
        {"1,5e-400", DecimalStatus::Valid, 0},
        {"1.5", DecimalStatus::Valid, 1.5},
        {"1e3", DecimalStatus::Valid, 1000},
        {",", DecimalStatus::Invalid, 0},
        {"1,2,3", DecimalStatus::Invalid, 0},
        {"1.2,3", DecimalStatus::Invalid, 0},
        {"1,2.3", DecimalStatus::Invalid, 0},
        {"1 250,5", DecimalStatus::Invalid, 0},
        {"1e3,5", DecimalStatus::Invalid, 0},
        {"1,5 ", DecimalStatus::Invalid, 0},
        {"inf", DecimalStatus::Invalid, 0},
        {"", DecimalStatus::Invalid, 0},
    };
    for (const auto& c : cases) {
        const DecimalValue parsed = ParseDecimal(c.text, DecimalSign::PointOrComma);
        EXPECT_EQ(parsed.status, c.status) << "text «" << c.text << "»";
        if (c.status == DecimalStatus::Valid && parsed.status == DecimalStatus::Valid) {
            EXPECT_EQ(parsed.value, c.value) << "text «" << c.text << "»";
        }
        // Where the point is the only sign, the comma is refused; every point text reads the same.
        if (std::string_view(c.text).find(',') != std::string_view::npos)
            EXPECT_EQ(ParseDecimal(c.text).status, DecimalStatus::Invalid) << "text «" << c.text << "»";
        else
            EXPECT_EQ(ParseDecimal(c.text).value, parsed.value) << "text «" << c.text << "»";
    }
}

// The application sets the user's locale at start; a Russian one makes printf and strtod use
// a comma. Reading and writing must not notice.
TEST(NumbersLocaleTest, RussianLocaleChangesNothing) {
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    ASSERT_NE(std::setlocale(LC_ALL, "ru_RU.UTF-8"), nullptr)
        << "the locale ru_RU.UTF-8 is missing; bash scripts/install-deps.sh generates it";
    const DecimalValue oneAndHalf = ParseDecimal("1.5");
    const DecimalValue withComma = ParseDecimal("1,5");
    const DecimalValue typedComma = ParseDecimal("1,5", DecimalSign::PointOrComma);
    const std::optional<std::int32_t> power = ParseInteger("$FA");
    const std::string grouped = FormatGrouped(1234.567, 2, PointSpace);
    const std::string general = FormatGeneral(52.8, PointSpace);
    const std::string scientific = FormatGeneral(1e-6, PointSpace);
    std::setlocale(LC_ALL, previous.c_str());

    EXPECT_EQ(oneAndHalf.status, DecimalStatus::Valid);
    EXPECT_EQ(oneAndHalf.value, 1.5);
    EXPECT_EQ(withComma.status, DecimalStatus::Invalid);
    EXPECT_EQ(typedComma.value, 1.5);
    EXPECT_EQ(power, 250);
    EXPECT_EQ(grouped, "1 234.57");
    EXPECT_EQ(general, "52.8");
    EXPECT_EQ(scientific, "1E-6");
}

}  // namespace
