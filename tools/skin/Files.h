// Byte-exact writers for the picture files of the skin.
#pragma once

#include <QByteArray>
#include <QImage>

namespace skin {

// A Windows bitmap file: "BM" header, 40-byte information header, bottom-up rows padded to
// 4 bytes, 2834 pixels per metre, no palette. bits is 24 (blue, green, red) or 32 (blue, green,
// red, alpha). spareBytes are zero bytes appended after the rows and counted in the image size
// field (the LED strip has 2).
QByteArray bmpFile(const QImage& image, int bits, int spareBytes = 0);

// An icon file with one 32-bit image (straight alpha) and its AND mask (set where alpha is 0).
// For 48 x 48 this is 9662 bytes.
QByteArray icoFile(const QImage& image);

// A baseline JPEG written by Qt's image plugin at the given quality.
QByteArray jpegFile(const QImage& image, int quality = 95);

// A PNG of 8-bit red, green, blue and alpha (colour type 6), written by Qt's image plugin:
// the desktop's icon theme takes these.
QByteArray pngFile(const QImage& image);

} // namespace skin
