// PNG decoding of the images the program loads.
#include "app/gui/PngImage.h"
#include "seams/FileOpenError.h"
#include "support/TestProgramDir.h"

#include <QFile>
#include <gtest/gtest.h>

namespace vireo
{
namespace
{

QByteArray shippedBytes(const char *name)
{
    QFile f(test::TestProgramDir::shipped(QString::fromLatin1(name)));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name;
    return f.readAll();
}

TEST(PngImageTest, ShippedImagesDecodeAtTheirSizes)
{
    const std::vector<std::pair<const char *, QSize>> images = {{"Vireo_head.png", {769, 79}},
                                                                {"led_off.png", {80, 40}},
                                                                {"led_red_on.png", {80, 40}},
                                                                {"led_green_on.png", {80, 40}},
                                                                {"Vireo_title.png", {764, 393}}};
    for (const auto &[name, size] : images) {
        const QImage image = loadPng(test::TestProgramDir::shipped(QString::fromLatin1(name)));
        EXPECT_EQ(image.size(), size) << name;
        EXPECT_TRUE(image.hasAlphaChannel()) << name;
    }
    // The lamps' corners are transparent so the header shows through; the lit lamp is red.
    const QImage red = loadPng(test::TestProgramDir::shipped(QStringLiteral("led_red_on.png")));
    EXPECT_EQ(qAlpha(red.pixel(0, 0)), 0);
    const QRgb centre = red.pixel(40, 24);
    EXPECT_GT(qRed(centre), 2 * qGreen(centre));
}

TEST(PngImageTest, DamagedDataIsAnErrorNotACrash)
{
    const QByteArray good = shippedBytes("led_off.png");
    QByteArray flipped = good;
    flipped[flipped.size() / 2] = static_cast<char>(flipped[flipped.size() / 2] ^ 0x5A);
    QByteArray hugeHeader = good;
    hugeHeader[16] = '\x7F'; // width 0x7F0000xx
    const std::vector<std::pair<const char *, QByteArray>> damaged = {
        {"empty", QByteArray()},          {"not a PNG", QByteArray("GIF89a........")},
        {"signature only", good.left(8)}, {"truncated", good.left(good.size() / 2)},
        {"corrupt data", flipped},        {"enormous size", hugeHeader},
    };
    for (const auto &[what, bytes] : damaged)
        EXPECT_THROW(decodePng(bytes, QString::fromLatin1(what)), InvalidImageError) << what;
}

TEST(PngImageTest, MissingFileIsAFileOpenError)
{
    EXPECT_THROW(loadPng(QStringLiteral("/nonexistent/led_off.png")), FileOpenError);
}

} // namespace
} // namespace vireo
