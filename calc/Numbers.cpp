#include "Numbers.h"

// Placeholder bodies; the real conversions come with the calculation core.
std::optional<std::int32_t> ParseInteger(std::string_view) { return std::nullopt; }
DecimalValue ParseDecimal(std::string_view) { return {}; }
std::string FormatGrouped(double, int, const NumberSeparators&) { return {}; }
std::string FormatGeneral(double, const NumberSeparators&) { return {}; }
double RoundCurrent(double current) { return current; }
std::string FormatCurrent(double, const NumberSeparators&) { return {}; }
