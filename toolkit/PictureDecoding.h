#pragma once

#include <QByteArray>
#include <QImage>
#include <QPixmap>

namespace tk {

// Pictures from their file bytes; null when the bytes hold no picture. The format is read from
// the first bytes (BMP, PNG, GIF, JPEG, ICO) and handed to Qt, which otherwise asks every image
// plugin whether it reads the bytes, loading all of them (and libjpeg) to decode a bitmap.
const char* pictureFormat(const QByteArray& bytes);
QImage decodeImage(const QByteArray& bytes);
QPixmap decodePixmap(const QByteArray& bytes);

} // namespace tk
