// PNG decoding of the window's images (header, status lamps, splash): any bytes either decode
// into an image of a sane size in the format the window draws, or are refused with
// InvalidImageError. Nothing else may come out of the decoder.
//
// Input: the file's bytes.
#include "FuzzSupport.h"
#include "app/gui/PngImage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    try {
        const QImage image = vireo::decodePng(bytes, QStringLiteral("fuzz.png"));
        FUZZ_CHECK(!image.isNull());
        FUZZ_CHECK(image.width() >= 1 && image.width() <= 8192);
        FUZZ_CHECK(image.height() >= 1 && image.height() <= 8192);
        FUZZ_CHECK(image.format() == QImage::Format_ARGB32_Premultiplied);
        // Every pixel is there to be read.
        volatile QRgb corner = image.pixel(image.width() - 1, image.height() - 1);
        (void)corner;
    } catch (const vireo::InvalidImageError &e) {
        FUZZ_CHECK(std::string_view(e.what()).find("fuzz.png") != std::string_view::npos);
    }
    return 0;
}
