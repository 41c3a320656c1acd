// One logo: the scalable icon draws the picture of the PNG icons, and the images the window
// loads for a screen scaled by two have twice the pixels of the plain ones.
#include "app/gui/PngImage.h"
#include "support/TestProgramDir.h"

#include <QPainter>
#include <QSvgRenderer>
#include <gtest/gtest.h>

#include <cstdlib>

namespace vireo
{
namespace
{

QString shipped(const char *name)
{
    return test::TestProgramDir::shipped(QString::fromLatin1(name));
}

TEST(LogoTest, ScalableIconDrawsThePngIcons)
{
    QSvgRenderer svg(shipped("icons/vireo.svg"));
    ASSERT_TRUE(svg.isValid());
    for (int size : {48, 64, 128, 256}) {
        const QImage png = loadPng(shipped(("icons/vireo-" + std::to_string(size) + ".png").c_str()))
                               .convertToFormat(QImage::Format_ARGB32_Premultiplied);
        ASSERT_EQ(png.size(), QSize(size, size));
        QImage drawn(size, size, QImage::Format_ARGB32_Premultiplied);
        drawn.fill(Qt::transparent);
        QPainter painter(&drawn);
        svg.render(&painter);
        painter.end();
        // Edges are anti-aliased differently; the picture itself must agree.
        long total = 0, farOff = 0;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                const QRgb a = png.pixel(x, y), b = drawn.pixel(x, y);
                const int d = std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                              std::abs(qBlue(a) - qBlue(b)) + std::abs(qAlpha(a) - qAlpha(b));
                total += d;
                farOff += d > 96;
            }
        EXPECT_LT(double(total) / (size * size * 4), 3.0) << size;
        EXPECT_LT(double(farOff) / (size * size), 0.02) << size;
    }
}

TEST(LogoTest, TwiceTheSizeOnAScreenScaledByTwo)
{
    for (const char *name :
         {"Vireo_head.png", "Vireo_title.png", "led_off.png", "led_red_on.png", "led_green_on.png"}) {
        const QPixmap plain = loadPngForRatio(shipped(name), 1.0);
        const QPixmap sharp = loadPngForRatio(shipped(name), 2.0);
        const QPixmap between = loadPngForRatio(shipped(name), 1.5);
        EXPECT_EQ(sharp.size(), plain.size() * 2) << name;
        EXPECT_EQ(sharp.deviceIndependentSize(), QSizeF(plain.size())) << name;
        EXPECT_EQ(between.size(), (QSizeF(plain.size()) * 1.5).toSize()) << name;
    }
    // Without its twin the plain picture is shown; Qt scales it.
    test::TestProgramDir dir;
    const QPixmap alone = loadPngForRatio(dir.path() + QStringLiteral("Vireo_head.png"), 2.0);
    EXPECT_EQ(alone.size(), QSize(769, 79));
}

} // namespace
} // namespace vireo
