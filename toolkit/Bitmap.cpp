#include "Bitmap.h"

#include "PictureDecoding.h"

#include <QDataStream>
#include <QIODevice>

namespace tk {

QImage createImage(int width, int height, QString* error) {
    if (width <= 0 || height <= 0) {
        if (error)
            *error = QStringLiteral("位图尺寸无效：%1 × %2").arg(width).arg(height);
        return {};
    }
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull()) {
        if (error)
            *error = QStringLiteral("内存不足，无法创建 %1 × %2 的位图").arg(width).arg(height);
        return {};
    }
    image.fill(Qt::black);
    return image;
}

void copyImageRect(const QImage& source, int sourceX, int sourceY, int width, int height,
                   QImage& dest, int destX, int destY, std::optional<uint32_t> transparent) {
    if (dest.isNull() || source.isNull())
        return;
    // 0x00BBGGRR as the 0xAARRGGBB of an RGB32 pixel.
    const QRgb skip = transparent ? qRgb(*transparent & 0xFF, (*transparent >> 8) & 0xFF,
                                         (*transparent >> 16) & 0xFF)
                                  : 0;
    for (int row = 0; row < height; ++row) {
        const int sy = sourceY + row;
        const int dy = destY + row;
        if (sy < 0 || sy >= source.height() || dy < 0 || dy >= dest.height())
            continue;
        const auto* in = reinterpret_cast<const QRgb*>(source.constScanLine(sy));
        auto* out = reinterpret_cast<QRgb*>(dest.scanLine(dy));
        for (int col = 0; col < width; ++col) {
            const int sx = sourceX + col;
            const int dx = destX + col;
            if (sx < 0 || sx >= source.width() || dx < 0 || dx >= dest.width())
                continue;
            if (transparent && (in[sx] & 0xFFFFFF) == (skip & 0xFFFFFF))
                continue;
            out[dx] = in[sx];
        }
    }
}

// Written here rather than by QImageWriter, which loads every image plugin to offer it the
// format first: a 24-bit bottom-up BMP, as Qt's own writer makes of an RGB image.
QByteArray encodeImage(const QImage& image) {
    if (image.isNull())
        return {};
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const int width = rgb.width();
    const int height = rgb.height();
    const qsizetype rowBytes = (qsizetype(width) * 3 + 3) & ~qsizetype(3);
    const qsizetype pixelBytes = rowBytes * height;
    constexpr quint32 kHeaderBytes = 14 + 40;
    QByteArray bytes;
    bytes.reserve(kHeaderBytes + pixelBytes);
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("BM", 2);
    out << quint32(kHeaderBytes + pixelBytes) << quint32(0) << kHeaderBytes;
    out << quint32(40) << qint32(width) << qint32(height) << quint16(1) << quint16(24)
        << quint32(0) /* uncompressed */ << quint32(pixelBytes) << qint32(rgb.dotsPerMeterX())
        << qint32(rgb.dotsPerMeterY()) << quint32(0) << quint32(0);
    QByteArray row(rowBytes, '\0');
    for (int y = height - 1; y >= 0; --y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            row[3 * x] = char(qBlue(line[x]));
            row[3 * x + 1] = char(qGreen(line[x]));
            row[3 * x + 2] = char(qRed(line[x]));
        }
        out.writeRawData(row.constData(), int(rowBytes));
    }
    return bytes;
}

bool Bitmap::loadFromBytes(const QByteArray& bytes) {
    const QImage image = decodeImage(bytes);
    if (image.isNull()) {
        error_ =
            bytes.isEmpty() ? QStringLiteral("没有图像数据") : QStringLiteral("无法识别的图像格式");
        return false;
    }
    image_ = image.convertToFormat(QImage::Format_RGB32);
    error_.clear();
    return true;
}

bool Bitmap::create(int width, int height) {
    QImage image = createImage(width, height, &error_);
    if (image.isNull())
        return false;
    image_ = image;
    error_.clear();
    return true;
}

void Bitmap::copyFrom(const Bitmap& source, int sourceX, int sourceY, int width, int height,
                      int destX, int destY, std::optional<uint32_t> transparent) {
    copyImageRect(source.image_, sourceX, sourceY, width, height, image_, destX, destY,
                  transparent);
}

} // namespace tk
