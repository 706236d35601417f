#include "CodePage1251.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace {

// Characters of the bytes 0x80..0xBF; 0xC0..0xFF are U+0410..U+044F in alphabetical order.
constexpr std::array<char16_t, 64> UpperTable = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  // 0x88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  // 0x98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  // 0xA0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  // 0xA8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  // 0xB0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  // 0xB8
};

constexpr char32_t CyrillicA = 0x0410;
constexpr char32_t CyrillicYaSmall = 0x044F;

char32_t CodePointOf(unsigned char byte)
{
    if (byte < 0x80)
        return byte;
    if (byte >= 0xC0)
        return CyrillicA + (byte - 0xC0);
    return UpperTable[byte - 0x80];
}

// The byte of `c`, or -1 when the code page has none.
int ByteOf(char32_t c)
{
    if (c < 0x80)
        return static_cast<int>(c);
    if (c >= CyrillicA && c <= CyrillicYaSmall)
        return 0xC0 + static_cast<int>(c - CyrillicA);
    for (std::size_t i = 0; i < UpperTable.size(); ++i)
        if (UpperTable[i] == c)
            return 0x80 + static_cast<int>(i);
    return -1;
}

void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The UTF-8 form of every byte, built once: decoding is then one lookup per byte.
const std::array<std::string, 256>& DecodedBytes()
{
    static const std::array<std::string, 256> table = [] {
        std::array<std::string, 256> result;
        for (int b = 0; b < 256; ++b)
            AppendUtf8(result[b], CodePointOf(static_cast<unsigned char>(b)));
        return result;
    }();
    return table;
}

constexpr char32_t Malformed = 0xFFFFFFFF;

// Reads one UTF-8 character at `pos` and advances past it; Malformed for a broken sequence
// (then `pos` moves by one byte).
char32_t NextCodePoint(std::string_view text, std::size_t& pos)
{
    const auto lead = static_cast<unsigned char>(text[pos]);
    int length = 0;
    char32_t c = 0;
    if (lead < 0x80) {
        ++pos;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2;
        c = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        c = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        c = lead & 0x07;
    } else {
        ++pos;
        return Malformed;
    }
    if (pos + length > text.size()) {
        ++pos;
        return Malformed;
    }
    for (int i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[pos + i]);
        if ((next & 0xC0) != 0x80) {
            ++pos;
            return Malformed;
        }
        c = (c << 6) | (next & 0x3F);
    }
    pos += length;
    return c;
}

}  // namespace

Cp1251Text EncodeCp1251(std::string_view utf8)
{
    Cp1251Text result;
    result.bytes.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const char32_t c = NextCodePoint(utf8, pos);
        const int byte = c == Malformed ? -1 : ByteOf(c);
        if (byte < 0) {
            result.bytes += '?';
            result.complete = false;
        } else {
            result.bytes += static_cast<char>(byte);
        }
    }
    return result;
}

std::string DecodeCp1251(std::string_view bytes)
{
    const auto& table = DecodedBytes();
    // Sized exactly first: most cells are short and then need no allocation at all.
    std::size_t length = 0;
    for (const char byte : bytes)
        length += table[static_cast<unsigned char>(byte)].size();
    std::string result(length, '\0');
    char* out = result.data();
    for (const char byte : bytes) {
        const std::string& utf8 = table[static_cast<unsigned char>(byte)];
        out = std::copy(utf8.begin(), utf8.end(), out);
    }
    return result;
}

bool FitsCp1251(std::string_view utf8)
{
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const char32_t c = NextCodePoint(utf8, pos);
        if (c == Malformed || ByteOf(c) < 0)
            return false;
    }
    return true;
}
