// Code page 1251, the single-byte character set of the report documents, against the UTF-8
// texts the program keeps. Byte 0x98, which the code page leaves undefined, stands for U+0098
// both ways, so every byte value survives a decode and encode unchanged.
#pragma once

#include <string>
#include <string_view>

struct Cp1251Text {
    std::string bytes;
    // False when some character has no byte in the code page (or the UTF-8 was malformed);
    // each such character is written as "?".
    bool complete = true;
};

Cp1251Text EncodeCp1251(std::string_view utf8);
std::string DecodeCp1251(std::string_view bytes);

// True when every character of the UTF-8 text has a byte in code page 1251.
bool FitsCp1251(std::string_view utf8);
