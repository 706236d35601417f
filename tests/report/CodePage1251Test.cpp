#include <gtest/gtest.h>

#include <QStringDecoder>
#include <QStringEncoder>
#include <string>

#include "CodePage1251.h"

namespace {

std::string Utf8(const QString& text) { return text.toStdString(); }

}  // namespace

// Every byte decodes as the platform's own converter decodes it, and encodes back to itself.
TEST(CodePage1251, EveryByteAgreesWithTheSystemConverterAndComesBack)
{
    QStringDecoder system("windows-1251");
    ASSERT_TRUE(system.isValid());
    for (int b = 0; b < 256; ++b) {
        const char byte = static_cast<char>(b);
        const std::string decoded = DecodeCp1251(std::string_view(&byte, 1));
        EXPECT_EQ(decoded, Utf8(system.decode(QByteArrayView(&byte, 1)))) << "byte " << b;
        const Cp1251Text encoded = EncodeCp1251(decoded);
        EXPECT_TRUE(encoded.complete) << "byte " << b;
        EXPECT_EQ(encoded.bytes, std::string(1, byte)) << "byte " << b;
    }
}

// For every character of the Basic Multilingual Plane the encoder decides as the system's does.
TEST(CodePage1251, EncoderAgreesWithTheSystemConverterOnEveryCharacter)
{
    for (char32_t c = 1; c < 0x10000; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF)
            continue;
        const QString text(QChar(static_cast<char16_t>(c)));
        QStringEncoder system("windows-1251");  // a fresh one: its error flag never resets
        const QByteArray expected = system.encode(text);
        const bool systemFits = !system.hasError();
        const Cp1251Text ours = EncodeCp1251(Utf8(text));
        ASSERT_EQ(ours.complete, systemFits) << "U+" << std::hex << static_cast<unsigned>(c);
        ASSERT_EQ(FitsCp1251(Utf8(text)), systemFits) << "U+" << std::hex << static_cast<unsigned>(c);
        if (systemFits) {
            ASSERT_EQ(ours.bytes, expected.toStdString()) << "U+" << std::hex << static_cast<unsigned>(c);
        }
    }
}

TEST(CodePage1251, CharactersWithoutAByteBecomeQuestionMarks)
{
    struct Case {
        const char* name;
        std::string utf8;
        std::string bytes;
        bool complete;
    };
    const Case cases[] = {
        {"cyrillic and latin", "Тср < 5 с", "\xD2\xF1\xF0 < 5 \xF1", true},
        {"euro, numero, no-break space", "€№\xC2\xA0", "\x88\xB9\xA0", true},
        {"yo in both cases", "Ёё", "\xA8\xB8", true},
        {"emoji", "К\xF0\x9F\x98\x80" "1", "\xCA?1", false},
        {"less-or-equal sign", "\xE2\x89\xA4", "?", false},
        {"narrow no-break space", "1\xE2\x80\xAF" "234", "1?234", false},
        {"broken sequence", "a\xD0", "a?", false},
        {"stray continuation byte", "\x80z", "?z", false},
    };
    for (const Case& c : cases) {
        const Cp1251Text encoded = EncodeCp1251(c.utf8);
        EXPECT_EQ(encoded.bytes, c.bytes) << c.name;
        EXPECT_EQ(encoded.complete, c.complete) << c.name;
        EXPECT_EQ(FitsCp1251(c.utf8), c.complete) << c.name;
    }
}
