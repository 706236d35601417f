// ParseDecimal against the decimal-number rule checked here on its own (blanks, sign, digits with
// an optional point and fraction, an optional exponent, nothing after) with std::from_chars for
// the value, for the point alone and for the point or the comma that a typed field takes; then
// the two formats written back with a point, and with a comma, read as the same number.
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>

#include "FuzzCheck.h"
#include "Numbers.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The text without its leading blanks and "+" when it keeps the rule, its decimal sign written
// as a point; nothing otherwise. `comma`: a comma may stand where the point stands.
std::optional<std::string> NumberPart(std::string_view text, bool comma)
{
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    std::string number;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-')
            number += '-';
        ++i;
    }
    const std::size_t mantissa = i;
    std::size_t digits = 0;
    while (i < text.size() && IsDigit(text[i]))
        ++i, ++digits;
    std::size_t sign = std::string_view::npos;
    if (i < text.size() && (text[i] == '.' || (comma && text[i] == ','))) {
        sign = i;
        ++i;
        while (i < text.size() && IsDigit(text[i]))
            ++i, ++digits;
    }
    if (digits == 0)
        return std::nullopt;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            ++i;
        std::size_t exponentDigits = 0;
        while (i < text.size() && IsDigit(text[i]))
            ++i, ++exponentDigits;
        if (exponentDigits == 0)
            return std::nullopt;
    }
    if (i != text.size())
        return std::nullopt;
    const std::size_t start = number.size();
    number += text.substr(mantissa);
    if (sign != std::string_view::npos)
        number[start + (sign - mantissa)] = '.';
    return number;
}

// Reads `written`, a format of `value` with a point and no grouping, and checks it is within
// `tolerance` of the value. A format rounded up past the largest double reads as an overflow.
void CheckReadsBack(const std::string& written, double value, double tolerance,
                    DecimalSign sign = DecimalSign::Point)
{
    const DecimalValue back = ParseDecimal(written, sign);
    if (back.status == DecimalStatus::Overflow) {
        FUZZ_CHECK(std::fabs(value) + tolerance > DBL_MAX);
        return;
    }
    FUZZ_CHECK(back.status == DecimalStatus::Valid);
    FUZZ_CHECK(std::fabs(back.value - value) <= tolerance);
}

// One reading of `text` with the given decimal sign against the rule; the value read, when valid.
std::optional<double> CheckReading(std::string_view text, DecimalSign sign)
{
    const DecimalValue parsed = ParseDecimal(text, sign);
    const std::optional<std::string> number = NumberPart(text, sign == DecimalSign::PointOrComma);
    if (!number) {
        FUZZ_CHECK(parsed.status == DecimalStatus::Invalid);
        return std::nullopt;
    }
    double expected = 0;
    const char* first = number->data();
    const char* last = first + number->size();
    const auto [end, ec] = std::from_chars(first, last, expected);
    FUZZ_CHECK(end == last);
    if (ec == std::errc::result_out_of_range) {
        // Beyond the range of a double, or below its smallest value, which reads as zero.
        FUZZ_CHECK(parsed.status == DecimalStatus::Overflow ||
                   (parsed.status == DecimalStatus::Valid && parsed.value == 0));
        return std::nullopt;
    }
    FUZZ_CHECK(ec == std::errc());
    FUZZ_CHECK(parsed.status == DecimalStatus::Valid);
    FUZZ_CHECK(parsed.value == expected);
    FUZZ_CHECK(std::signbit(parsed.value) == std::signbit(expected) || parsed.value == 0);
    return parsed.value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::optional<double> withPoint = CheckReading(text, DecimalSign::Point);
    const std::optional<double> typed = CheckReading(text, DecimalSign::PointOrComma);
    // A text the point reads, a typed field reads the same.
    if (withPoint)
        FUZZ_CHECK(typed && *typed == *withPoint);
    if (!typed)
        return 0;

    const double v = *typed;
    // The comma is read back only where a typed field reads it.
    const std::pair<NumberSeparators, DecimalSign> writings[] = {
        {{".", ""}, DecimalSign::Point},
        {{",", ""}, DecimalSign::PointOrComma},
    };
    for (const auto& [separators, sign] : writings) {
        // Up to 15 significant digits.
        CheckReadsBack(FormatGeneral(v, separators), v, std::fabs(v) * 5.1e-15 + 5e-324, sign);
        // Up to 7 significant digits and the given number of decimals.
        for (int decimals : {0, 2, 18})
            CheckReadsBack(FormatGrouped(v, decimals, separators), v,
                           (std::fabs(v) * 5e-7 + 0.5 * std::pow(10.0, -decimals)) * (1 + 1e-12), sign);
    }
    return 0;
}
