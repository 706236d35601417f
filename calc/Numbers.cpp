#include "Numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Index of the first character after the leading blanks. Only code 32 counts as a blank:
// a tab or a no-break space makes the text invalid.
std::size_t SkipBlanks(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    return i;
}

// A finite double as decimal digits: value = 0.digits × 10^point, digits without leading or
// trailing zeros; no digits means zero.
struct DecimalDigits {
    bool negative = false;
    std::string digits;
    int point = 0;
};

void StripTrailingZeros(std::string& digits) {
    while (!digits.empty() && digits.back() == '0') digits.pop_back();
}

// The exact decimal expansion. 766 fraction digits in scientific form hold every double
// exactly, so the one rounding that follows sees the true value: an exact half is a real tie
// and 1.005 (stored a little below) is not one.
DecimalDigits ExactDigits(double value) {
    DecimalDigits d;
    d.negative = std::signbit(value);
    if (value == 0) return d;
    char buffer[800];
    const auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::scientific, 766);
    (void)ec;  // the buffer always suffices
    const std::string_view text(buffer, static_cast<std::size_t>(end - buffer));
    const std::size_t e = text.find('e');
    d.digits.reserve(e);
    d.digits.push_back(text[0]);
    d.digits.append(text.substr(2, e - 2));
    int exponent = 0;
    const char* expBegin = text.data() + e + 1;
    if (*expBegin == '+') ++expBegin;
    std::from_chars(expBegin, end, exponent);
    d.point = exponent + 1;
    StripTrailingZeros(d.digits);
    return d;
}

// Keeps `keep` significant digits, the dropped part rounded half away from zero.
// keep <= 0 rounds at or before the first digit: to zero or to one unit of 10^point.
void RoundDigits(DecimalDigits& d, int keep) {
    if (keep < 0) {
        d.digits.clear();
        return;
    }
    if (static_cast<std::size_t>(keep) >= d.digits.size()) return;
    const bool up = d.digits[static_cast<std::size_t>(keep)] >= '5';
    d.digits.resize(static_cast<std::size_t>(keep));
    if (up) {
        while (!d.digits.empty() && d.digits.back() == '9') d.digits.pop_back();
        if (d.digits.empty()) {
            d.digits.push_back('1');
            ++d.point;
        } else {
            ++d.digits.back();
        }
    }
    StripTrailingZeros(d.digits);
}

std::string IntegerText(int value) {
    char buffer[16];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    (void)ec;
    return std::string(buffer, end);
}

// Non-numbers never come from a successful calculation; they are written as words
// rather than as digits that would look like a value.
std::string NonFiniteText(double value) {
    if (std::isnan(value)) return "NAN";
    return value < 0 ? "-INF" : "INF";
}

// Mantissa without trailing zeros, "E", exponent without "+" or leading zeros: 1,234568E7, 1E-6.
std::string ScientificText(const DecimalDigits& d, const NumberSeparators& separators) {
    std::string text;
    if (d.negative) text += '-';
    text += d.digits[0];
    if (d.digits.size() > 1) {
        text += separators.decimal;
        text.append(d.digits, 1);
    }
    text += 'E';
    text += IntegerText(d.point - 1);
    return text;
}

// The digits before the decimal separator ("0" when there are none), optionally grouped by threes.
std::string IntegerPartText(const DecimalDigits& d, const std::string* group) {
    if (d.point <= 0) return "0";
    const std::size_t count = static_cast<std::size_t>(d.point);
    std::string plain = d.digits.substr(0, count);
    plain.append(count - plain.size(), '0');
    if (group == nullptr) return plain;
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0 && (count - i) % 3 == 0) text += *group;
        text += plain[i];
    }
    return text;
}

// Digit of the rounded value at the given position after the decimal separator (0-based).
char FractionDigit(const DecimalDigits& d, int position) {
    const int index = d.point + position;
    if (index < 0 || static_cast<std::size_t>(index) >= d.digits.size()) return '0';
    return d.digits[static_cast<std::size_t>(index)];
}

constexpr int GroupedPrecision = 7;
constexpr int GeneralPrecision = 15;
constexpr int MaxDecimals = 18;

}  // namespace

std::optional<std::int32_t> ParseInteger(std::string_view text) {
    std::size_t i = SkipBlanks(text);
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    int base = 10;
    if (i < text.size() && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i == text.size()) return std::nullopt;
    // An unsigned target takes neither a sign nor a blank, so "--5" and "$ 5" fail here.
    std::uint64_t magnitude = 0;
    const char* end = text.data() + text.size();
    const auto [stop, ec] = std::from_chars(text.data() + i, end, magnitude, base);
    if (ec != std::errc{} || stop != end) return std::nullopt;
    const std::uint64_t limit = negative ? 2147483648u : 2147483647u;
    if (magnitude > limit) return std::nullopt;
    const std::int64_t value = negative ? -static_cast<std::int64_t>(magnitude) : static_cast<std::int64_t>(magnitude);
    return static_cast<std::int32_t>(value);
}

DecimalValue ParseDecimal(std::string_view text) {
    std::size_t i = SkipBlanks(text);
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const std::size_t numberBegin = i;

    // The shape is checked here, so that from_chars never meets "inf", "nan" or a text it
    // would read only in part. Along the way: where the first significant digit stands
    // relative to the point, to tell an overflow from an underflow.
    int mantissaDigits = 0;
    long long magnitude = 0;  // decimal position of the first significant digit, before the exponent
    bool significant = false;
    while (i < text.size() && IsDigit(text[i])) {
        if (text[i] != '0') significant = true;
        if (significant) ++magnitude;
        ++mantissaDigits;
        ++i;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && IsDigit(text[i])) {
            if (!significant) {
                if (text[i] != '0') significant = true;
                else --magnitude;
            }
            ++mantissaDigits;
            ++i;
        }
    }
    if (mantissaDigits == 0) return {};
    long long exponent = 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        bool negativeExponent = false;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            negativeExponent = text[i] == '-';
            ++i;
        }
        int exponentDigits = 0;
        while (i < text.size() && IsDigit(text[i])) {
            if (exponent < 1'000'000'000) exponent = exponent * 10 + (text[i] - '0');
            ++exponentDigits;
            ++i;
        }
        if (exponentDigits == 0) return {};
        if (negativeExponent) exponent = -exponent;
    }
    if (i != text.size()) return {};

    double value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, ec] = std::from_chars(text.data() + numberBegin, end, value, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        if (significant && magnitude + exponent > 0) return {DecimalStatus::Overflow, 0.0};
        value = 0;  // below the smallest double
    } else if (ec != std::errc{} || stop != end) {
        return {};
    }
    return {DecimalStatus::Valid, negative ? -value : value};
}

std::string FormatGrouped(double value, int decimals, const NumberSeparators& separators) {
    if (!std::isfinite(value)) return NonFiniteText(value);
    decimals = std::clamp(decimals, 0, MaxDecimals);
    DecimalDigits d = ExactDigits(value);
    if (!d.digits.empty()) RoundDigits(d, std::min(GroupedPrecision, d.point + decimals));
    if (d.digits.empty()) d.negative = false;  // no "-0,00"
    else if (d.point > GroupedPrecision) return ScientificText(d, separators);

    std::string text;
    if (d.negative) text += '-';
    text += IntegerPartText(d, &separators.group);
    if (decimals > 0) {
        text += separators.decimal;
        for (int position = 0; position < decimals; ++position) text += FractionDigit(d, position);
    }
    return text;
}

std::string FormatGeneral(double value, const NumberSeparators& separators) {
    if (!std::isfinite(value)) return NonFiniteText(value);
    DecimalDigits d = ExactDigits(value);
    RoundDigits(d, GeneralPrecision);
    if (d.digits.empty()) return "0";
    // point < -4 means below 0.00001 (0.1 × 10^-4): such values go to scientific form.
    if (d.point > GeneralPrecision || d.point < -4) return ScientificText(d, separators);

    std::string text;
    if (d.negative) text += '-';
    text += IntegerPartText(d, nullptr);
    const int fractionDigits = static_cast<int>(d.digits.size()) - d.point;
    if (fractionDigits > 0) {
        text += separators.decimal;
        for (int position = 0; position < fractionDigits; ++position) text += FractionDigit(d, position);
    }
    return text;
}

std::string FormatExact(double value) {
    if (!std::isfinite(value)) return NonFiniteText(value);
    char buffer[32];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, ec == std::errc{} ? end : buffer);
}

double RoundCurrent(double current) {
    if (!std::isfinite(current)) return current;
    const double below = std::floor(current);
    const double fraction = current - below;  // exact for every double
    if (fraction > 0.5) return below + 1;
    if (fraction < 0.5) return below;
    return std::fmod(below, 2.0) == 0 ? below : below + 1;
}

std::string FormatCurrent(double current, const NumberSeparators& separators) {
    return FormatGeneral(RoundCurrent(current), separators);
}

namespace {

constexpr int MaxWrittenDigits = 15;
constexpr int MinFixedExponent = -5;   // below 0.00001 FormatGeneral writes the scientific form
constexpr int MaxFixedExponent = 6;    // above 7 integer digits FormatGrouped writes it
constexpr int MaxSheetExponent = 307;  // the range of normal doubles, which spreadsheets hold

bool StartsWith(std::string_view text, std::size_t at, const std::string& prefix) {
    return !prefix.empty() && text.substr(at, prefix.size()) == prefix;
}

std::size_t DigitRun(std::string_view text, std::size_t at) {
    std::size_t end = at;
    while (end < text.size() && IsDigit(text[end])) ++end;
    return end - at;
}

// Significant digits of a digit string: from the first non-zero to the last non-zero digit.
int SignificantDigits(const std::string& digits) {
    const std::size_t first = digits.find_first_not_of('0');
    if (first == std::string::npos) return 0;
    return static_cast<int>(digits.find_last_not_of('0') - first + 1);
}

}  // namespace

std::optional<WrittenNumber> ReadWrittenNumber(std::string_view text, const NumberSeparators& separators) {
    WrittenNumber number;
    std::string plain;   // the same number as ParseDecimal reads it
    std::string digits;  // every mantissa digit, for the significant-digit count
    std::size_t i = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (negative) {
        plain += '-';
        ++i;
    }

    std::size_t run = DigitRun(text, i);
    if (run == 0) return std::nullopt;
    const std::size_t integerBegin = i;
    plain.append(text.substr(i, run));
    i += run;
    std::size_t integerDigits = run;
    while (StartsWith(text, i, separators.group) && DigitRun(text, i + separators.group.size()) == 3) {
        if (!number.grouped && run > 3) return std::nullopt;  // "1234 567"
        number.grouped = true;
        i += separators.group.size();
        plain.append(text.substr(i, 3));
        i += 3;
        integerDigits += 3;
    }
    if (text[integerBegin] == '0' && integerDigits > 1) return std::nullopt;  // "007", "0 123"
    digits = plain.substr(negative ? 1 : 0);

    if (StartsWith(text, i, separators.decimal)) {
        i += separators.decimal.size();
        run = DigitRun(text, i);
        if (run == 0) return std::nullopt;
        plain += '.';
        plain.append(text.substr(i, run));
        digits.append(text.substr(i, run));
        number.decimals = static_cast<int>(run);
        i += run;
    }

    if (i < text.size() && text[i] == 'E') {
        // The mantissa of the scientific form: one digit 1-9, no trailing zero in the fraction.
        if (number.grouped || integerDigits != 1 || text[integerBegin] == '0') return std::nullopt;
        if (number.decimals > 0 && digits.back() == '0') return std::nullopt;
        number.scientific = true;
        plain += 'E';
        ++i;
        const bool negativeExponent = i < text.size() && text[i] == '-';
        if (negativeExponent) {
            plain += '-';
            ++i;
        }
        run = DigitRun(text, i);
        if (run == 0 || run > 3 || text[i] == '0') return std::nullopt;
        int exponent = 0;
        std::from_chars(text.data() + i, text.data() + i + run, exponent);
        if (negativeExponent) exponent = -exponent;
        if ((exponent >= MinFixedExponent && exponent <= MaxFixedExponent) || exponent > MaxSheetExponent ||
            exponent < -MaxSheetExponent)
            return std::nullopt;
        plain.append(text.substr(i, run));
        i += run;
    }
    if (i != text.size()) return std::nullopt;
    if (integerDigits > MaxWrittenDigits || SignificantDigits(digits) > MaxWrittenDigits) return std::nullopt;

    const DecimalValue read = ParseDecimal(plain);
    if (read.status != DecimalStatus::Valid) return std::nullopt;
    if (negative && read.value == 0) return std::nullopt;  // the formats never write "-0"
    number.value = read.value;
    return number;
}
