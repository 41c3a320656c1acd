#include "app/gui/PngImage.h"

#include "seams/FileOpenError.h"

#include <QFile>
#include <QGuiApplication>
#include <QScopeGuard>
#include <png.h>

#include <memory>

namespace vireo
{

namespace
{

// Far above any image of this program; keeps a forged header from asking for gigabytes.
constexpr png_uint_32 MaxSide = 8192;

} // namespace

QImage decodePng(const QByteArray &bytes, const QString &source)
{
    auto fail = [&](const char *why) {
        return InvalidImageError("Invalid PNG image \"" + source.toStdString() + "\": " + why);
    };
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    const auto freeImage = qScopeGuard([&image] { png_image_free(&image); });
    if (!png_image_begin_read_from_memory(&image, bytes.constData(), static_cast<size_t>(bytes.size())))
        throw fail(image.message);
    if (image.width == 0 || image.height == 0 || image.width > MaxSide || image.height > MaxSide)
        throw fail("unsupported size");
    // BGRA in memory is QImage::Format_ARGB32 on little-endian machines; use the byte order
    // independent form and let QImage convert.
    image.format = PNG_FORMAT_RGBA;
    QImage out(static_cast<int>(image.width), static_cast<int>(image.height), QImage::Format_RGBA8888);
    if (out.isNull())
        throw fail("out of memory");
    if (!png_image_finish_read(&image, nullptr, out.bits(), static_cast<png_int_32>(out.bytesPerLine()),
                               nullptr))
        throw fail(image.message);
    return out.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage loadPng(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw FileOpenError(path.toStdString());
    return decodePng(file.readAll(), path);
}

QPixmap loadPngForRatio(const QString &path, qreal ratio)
{
    const QImage plain = loadPng(path);
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    if (ratio <= 1.0 || dot < 0)
        return QPixmap::fromImage(plain);
    QImage large;
    try {
        large = loadPng(path.left(dot) + QStringLiteral("@2x") + path.mid(dot));
    } catch (const std::exception &) {
        return QPixmap::fromImage(plain); // no (usable) twin: the plain image, scaled by Qt
    }
    const QSize target = (QSizeF(plain.size()) * ratio).toSize();
    if (large.size() != target)
        large = large.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    large.setDevicePixelRatio(ratio);
    return QPixmap::fromImage(large);
}

qreal screenPixelRatio()
{
    return qApp ? qApp->devicePixelRatio() : 1.0;
}

} // namespace vireo
