#pragma once
// PNG decoding with libpng, into a QImage. The files come from the program directory but are
// still outside input: sizes are checked and libpng reports every malformed file as an error.
#include <QImage>
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

} // namespace vireo
