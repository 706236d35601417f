// The texts composed from a result: rounding of the current, grouping, decimals per field.
#include "Publication.h"

#include <gtest/gtest.h>

#include "QStringPrinter.h"

namespace {

const NumberSeparators PointAndBlank{".", " "};
const NumberSeparators CommaAndNoBreak{",", "\u00A0"};

ShortCircuitResult ResultWith(double iokz)
{
    ShortCircuitResult result;
    result.Iokz = iokz;
    return result;
}

}  // namespace

TEST(PublicationTest, CurrentIsRoundedToTheEvenNeighbourOnAnExactHalf)
{
    struct Case {
        double iokz;
        const char* shown;
    };
    const Case cases[] = {
        {1234.5, "1234"}, {1235.5, "1236"}, {1527.1327, "1527"}, {565.5499, "566"}, {4027.4956, "4027"},
        {0.4, "0"},       {99999.5, "100000"},
    };
    for (const Case& c : cases) {
        const PublishedTexts texts = ComposePublishedTexts(ResultWith(c.iokz), "250", "T/Y-0", CommaAndNoBreak);
        EXPECT_EQ(texts.Iokz, QStringLiteral("Ток однофазного короткого замыкания равен %1 А").arg(QLatin1String(c.shown)))
            << c.iokz;
    }
}

TEST(PublicationTest, ImpedancesAreGroupedWithTwoDecimalsAndRotherWithNone)
{
    ShortCircuitResult result;
    result.Zt = 1234.567;
    result.RLine[4] = 1234.567;
    result.ZLineSum = 0.005;
    result.Rother = 12.6;
    result.Rsum = 50.7533;
    result.Xsum = 26.7167;
    result.Zsum = 57.3557;
    const PublishedTexts texts = ComposePublishedTexts(result, "250", "T/Y-0", PointAndBlank);
    EXPECT_EQ(texts.Zt, QStringLiteral("Zт=1 234.57 мОм"));
    EXPECT_EQ(texts.RLine[4], QStringLiteral("1 234.57"));
    EXPECT_EQ(texts.RLine[0], QStringLiteral("0.00"));
    EXPECT_EQ(texts.Rother, QStringLiteral("Rпр=13 мОм"));
    EXPECT_EQ(texts.Rsum, QStringLiteral("Rф-н=50.75 мОм"));
    EXPECT_EQ(texts.Xsum, QStringLiteral("Xф-н=26.72 мОм"));
    EXPECT_EQ(texts.Zsum, QStringLiteral("Zф-н=57.36 мОм"));
}

TEST(PublicationTest, TransformerResistancesUseTheShortestFormAndTheTypedTexts)
{
    ShortCircuitResult result;
    result.Rt = 32.26;
    result.Xt = 80.1;
    result.Zt = 86.4;
    const PublishedTexts texts = ComposePublishedTexts(result, " 0xFA", "Y/Z-0", CommaAndNoBreak);
    EXPECT_EQ(texts.St, QStringLiteral("Sном= 0xFA кВ*А"));
    EXPECT_EQ(texts.WindKind, QStringLiteral("Y/Z-0"));
    EXPECT_EQ(texts.Rt, QStringLiteral("Rт=32,26 мОм"));
    EXPECT_EQ(texts.Xt, QStringLiteral("Xт=80,1 мОм"));
    EXPECT_EQ(texts.Zt, QStringLiteral("Zт=86,40 мОм"));
}
