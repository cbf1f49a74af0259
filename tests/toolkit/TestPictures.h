#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QImage>

// Image file bytes of a plain picture, as a layout would hold them.
inline QByteArray solidPicture(int width, int height, QColor colour, const char* format = "PNG") {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}
