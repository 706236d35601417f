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

// Which sign may separate the fraction of a decimal number. Documents and whatever must read
// exactly as it was written take the point only. What a person types into an input field may
// carry the comma that Russian engineers write (and that the program's own answers show) as
// well: "1,5" is 1.5. Fields take no grouping, so "1,250" is 1.25, never 1250.
enum class DecimalSign { Point, PointOrComma };

// Decimal number: leading blanks, optional sign, digits with an optional decimal sign and
// fraction, optional exponent. The sign is a point, or with PointOrComma a point or a comma
// (one of them at most). A value beyond the range of a double is Overflow; one below the
// smallest double reads as 0. "5." and ".5" are read as 5 and 0.5; "inf", "nan", "." and "1e"
// are invalid.
DecimalValue ParseDecimal(std::string_view text, DecimalSign sign = DecimalSign::Point);

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

// v rounded down in magnitude (towards zero, never up) to `decimals` decimals (0..18), written in
// full with exactly that many decimals and the integer part grouped by threes, at every size:
// 4 027 495,6 stays 4 027 495,60 and 12 345 678 901,99 is never written in scientific form.
// Rounded down means that the text read back is never beyond v; a double that is the nearest one
// to a decimal of that many decimals is written as that decimal (0.3, stored a little below, is
// written 0,3).
std::string FormatGroupedDown(double value, int decimals, const NumberSeparators& separators);

// The shortest text carrying v with up to 15 significant digits, no grouping, no trailing zeros:
// 52,8 or 750. Scientific form (1E20, 1E-6) when the integer part needs more than 15 digits or
// the rounded value is below 0.00001. Both formats write NAN, INF and -INF for non-numbers.
std::string FormatGeneral(double value, const NumberSeparators& separators);

// The shortest text that ParseDecimal reads back as exactly `value` (a point, no grouping,
// "1e+20" for large and small values): for documents that must keep a number to the last bit.
// Non-finite values give NAN, INF and -INF, which ParseDecimal refuses.
std::string FormatExact(double value);
// FormatGeneral with the integer part grouped by threes: 3 752,2 or 750 (scientific form as there).
std::string FormatGeneralGrouped(double value, const NumberSeparators& separators);

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
