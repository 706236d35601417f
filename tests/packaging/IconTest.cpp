// The icon installed for the desktop (an SVG file) and the icon the program draws for its own
// windows must show the same picture.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <algorithm>
#include <cstdlib>

#include "AppIcon.h"

namespace {

QImage RenderSvg(int size)
{
    QSvgRenderer renderer(QStringLiteral(ZORANT_ICON_SVG));
    EXPECT_TRUE(renderer.isValid());
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    return image;
}

// The largest difference of one channel (alpha included) between two pixels.
int PixelDifference(QRgb a, QRgb b)
{
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b)), std::abs(qAlpha(a) - qAlpha(b))});
}

// Share of pixels that differ by more than anti-aliasing explains.
double DifferingShare(const QImage& a, const QImage& b)
{
    int differing = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (PixelDifference(a.pixel(x, y), b.pixel(x, y)) > 64)
                ++differing;
    return double(differing) / (a.width() * a.height());
}

}  // namespace

TEST(IconTest, SvgFileShowsThePictureTheProgramDraws)
{
    for (int size : {16, 32, 48}) {
        SCOPED_TRACE(size);
        const QImage drawn = ZorantIcon().pixmap(size, size).toImage().convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(drawn.size(), QSize(size, size));
        EXPECT_LT(DifferingShare(RenderSvg(size), drawn), 0.03);
    }
}

TEST(IconTest, ComparisonNoticesAnotherPicture)
{
    // The same tile without its bolt must not pass for the icon.
    QImage withoutBolt = RenderSvg(48);
    QPainter painter(&withoutBolt);
    painter.fillRect(QRect(12, 4, 24, 38), QColor(0x10, 0x20, 0x70));
    painter.end();
    EXPECT_GT(DifferingShare(RenderSvg(48), withoutBolt), 0.1);
}
