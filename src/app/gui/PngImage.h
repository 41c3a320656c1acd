#pragma once
// PNG decoding with libpng, into a QImage. The files come from the program directory but are
// still outside input: sizes are checked and libpng reports every malformed file as an error.
#include <QImage>
#include <QPixmap>
#include <QString>

#include <stdexcept>

namespace vireo
{

// The file exists but is no PNG image libpng can decode (truncated, wrong format, too large).
class InvalidImageError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Decodes PNG bytes into a 32-bit ARGB image. Throws InvalidImageError (what names source).
QImage decodePng(const QByteArray &bytes, const QString &source);

// Reads and decodes a PNG file. Throws FileOpenError when the file cannot be opened, and
// InvalidImageError when its content is no decodable PNG image.
QImage loadPng(const QString &path);

// The image of path as shown on a screen of the given device pixel ratio. Above 1 the file's
// twice-as-large twin ("name@2x.png" beside it) is used when it is there and decodes, scaled
// smoothly to the ratio, so the picture stays sharp at the size the plain file gives it.
// Throws as loadPng for the plain file, which always sets the size.
QPixmap loadPngForRatio(const QString &path, qreal ratio);

// The screens' largest device pixel ratio (QT_SCALE_FACTOR and the screens' own scaling).
qreal screenPixelRatio();

} // namespace vireo
