// Reading and writing numbers as the user sees them. Independent of the C locale:
// the program runs under locales whose strtod/printf use a comma.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Outcome of reading a decimal number: valid, not a number, or beyond the range of a double.
enum class DecimalStatus { Valid, Invalid, Overflow };

struct DecimalValue {
    DecimalStatus status = DecimalStatus::Invalid;
    double value = 0.0;
};

// Whole number: leading blanks (code 32), optional sign, decimal digits or hexadecimal
// digits after "$", "x", "X", "0x", "0X"; nothing may follow. Empty text or a value
// outside the signed 32-bit range gives nothing.
std::optional<std::int32_t> ParseInteger(std::string_view text);

// Decimal number: leading blanks, optional sign, digits with optional point and fraction,
// optional exponent. The separator is always a point. A value beyond the range of a double
// is Overflow; one below the smallest double reads as 0.
DecimalValue ParseDecimal(std::string_view text);

// The regional separators used when numbers are written (UTF-8 texts).
struct NumberSeparators {
    std::string decimal = ".";
    std::string group = " ";
};

// v rounded to at most 7 significant digits and to `decimals` decimals, written with exactly
// that many decimals and the integer part grouped by threes.
std::string FormatGrouped(double value, int decimals, const NumberSeparators& separators);

// The shortest text carrying v with up to 15 significant digits, no grouping, no trailing zeros.
std::string FormatGeneral(double value, const NumberSeparators& separators);

// A displayed current: rounded to a whole number, an exact half to the even neighbour.
double RoundCurrent(double current);

// RoundCurrent written with FormatGeneral.
std::string FormatCurrent(double current, const NumberSeparators& separators);
