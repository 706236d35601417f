// ParseInteger against a reading of the whole-number rule written independently here: blanks
// (code 32), a sign, decimal digits or hexadecimal digits after "$", "x", "X", "0x", "0X",
// nothing after, the value within the signed 32-bit range.
#include <charconv>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "Numbers.h"

namespace {

int DigitValue(char c, int base)
{
    int v = -1;
    if (c >= '0' && c <= '9')
        v = c - '0';
    else if (c >= 'a' && c <= 'f')
        v = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        v = c - 'A' + 10;
    return v < base ? v : -1;
}

std::optional<std::int32_t> ReferenceInteger(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    int base = 10;
    const std::string_view rest = text.substr(i);
    if (rest.starts_with("0x") || rest.starts_with("0X")) {
        base = 16;
        i += 2;
    } else if (rest.starts_with("$") || rest.starts_with("x") || rest.starts_with("X")) {
        base = 16;
        i += 1;
    }
    if (i == text.size())
        return std::nullopt;
    std::int64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        const int d = DigitValue(text[i], base);
        if (d < 0)
            return std::nullopt;
        magnitude = magnitude * base + d;
        if (magnitude > std::int64_t{1} << 31)
            return std::nullopt;
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value < INT32_MIN || value > INT32_MAX)
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::optional<std::int32_t> parsed = ParseInteger(text);
    FUZZ_CHECK(parsed == ReferenceInteger(text));

    if (parsed) {
        // The number written back in decimal reads as itself, and as a decimal number too.
        char buffer[16];
        const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, *parsed);
        FUZZ_CHECK(ec == std::errc());
        const std::string_view written(buffer, static_cast<std::size_t>(end - buffer));
        FUZZ_CHECK(ParseInteger(written) == parsed);
        const DecimalValue decimal = ParseDecimal(written);
        FUZZ_CHECK(decimal.status == DecimalStatus::Valid && decimal.value == *parsed);
    }
    return 0;
}
