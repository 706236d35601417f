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
// digits after "$", "x", "X", "0x", "0X" (the sign goes before the prefix: "-$FA");
// nothing may follow. Empty text or a value outside the signed 32-bit range gives nothing,
// for hexadecimal too ("$FFFFFFFF" is refused, not read as -1).
std::optional<std::int32_t> ParseInteger(std::string_view text);

// Decimal number: leading blanks, optional sign, digits with optional point and fraction,
// optional exponent. The separator is always a point. A value beyond the range of a double
// is Overflow; one below the smallest double reads as 0. "5." and ".5" are read as 5 and 0.5;
// "inf", "nan", "." and "1e" are invalid.
DecimalValue ParseDecimal(std::string_view text);

// The regional separators used when numbers are written (UTF-8 texts).
struct NumberSeparators {
    std::string decimal = ".";
    std::string group = " ";
};

// v rounded to at most 7 significant digits and to `decimals` decimals (0..18), written with
// exactly that many decimals and the integer part grouped by threes: 1 234,57. An exact half
// rounds away from zero. A value whose rounded integer part has more than 7 digits is written
// in scientific form with up to 7 significant digits: 1,234568E7.
std::string FormatGrouped(double value, int decimals, const NumberSeparators& separators);

// The shortest text carrying v with up to 15 significant digits, no grouping, no trailing zeros:
// 52,8 or 750. Scientific form (1E20, 1E-6) when the integer part needs more than 15 digits or
// the rounded value is below 0.00001. Both formats write NAN, INF and -INF for non-numbers.
std::string FormatGeneral(double value, const NumberSeparators& separators);

// The shortest text that ParseDecimal reads back as exactly `value` (a point, no grouping,
// "1e+20" for large and small values): for documents that must keep a number to the last bit.
// Non-finite values give NAN, INF and -INF, which ParseDecimal refuses.
std::string FormatExact(double value);

// A displayed current: rounded to a whole number, an exact half to the even neighbour.
double RoundCurrent(double current);

// RoundCurrent written with FormatGeneral.
std::string FormatCurrent(double current, const NumberSeparators& separators);

// A text written by FormatGrouped, FormatGeneral or FormatCurrent, read back with the shape it
// was written in, so that a spreadsheet can show the number exactly as the text stands.
struct WrittenNumber {
    double value = 0.0;
    int decimals = 0;         // digits after the decimal separator (of the mantissa when scientific)
    bool grouped = false;     // the integer part carries group separators
    bool scientific = false;  // mantissa "E" exponent: 1,234568E7
};

// Reads `text` only when it has a shape those formats give with `separators`: an optional "-",
// an integer part without a leading zero (plain, or grouped by threes), optionally the decimal
// separator and digits; or the scientific form (one digit 1-9, a fraction without trailing
// zeros, "E", an optional "-", an exponent without leading zeros of 7 and above or -6 and below,
// at most 307 either way). At most 15 significant digits and 15 integer digits; no "-0".
// Anything else gives nothing: blanks, "+", other separators, "1E3", "007", "=1+1".
std::optional<WrittenNumber> ReadWrittenNumber(std::string_view text, const NumberSeparators& separators);
