#include "Bitmap.h"

#include <QBuffer>

namespace tk {

bool Bitmap::loadFromBytes(const QByteArray& bytes) {
    QImage image;
    if (bytes.isEmpty() || !image.loadFromData(bytes)) {
        error_ =
            bytes.isEmpty() ? QStringLiteral("没有图像数据") : QStringLiteral("无法识别的图像格式");
        return false;
    }
    image_ = image.convertToFormat(QImage::Format_RGB32);
    error_.clear();
    return true;
}

bool Bitmap::create(int width, int height) {
    if (width <= 0 || height <= 0) {
        error_ = QStringLiteral("位图尺寸无效：%1 × %2").arg(width).arg(height);
        return false;
    }
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull()) {
        error_ = QStringLiteral("内存不足，无法创建 %1 × %2 的位图").arg(width).arg(height);
        return false;
    }
    image.fill(Qt::black);
    image_ = image;
    error_.clear();
    return true;
}

void Bitmap::copyFrom(const Bitmap& source, int sourceX, int sourceY, int width, int height,
                      int destX, int destY, std::optional<uint32_t> transparent) {
    if (image_.isNull() || source.image_.isNull())
        return;
    // 0x00BBGGRR as the 0xAARRGGBB of an RGB32 pixel.
    const QRgb skip = transparent ? qRgb(*transparent & 0xFF, (*transparent >> 8) & 0xFF,
                                         (*transparent >> 16) & 0xFF)
                                  : 0;
    for (int row = 0; row < height; ++row) {
        const int sy = sourceY + row;
        const int dy = destY + row;
        if (sy < 0 || sy >= source.height() || dy < 0 || dy >= image_.height())
            continue;
        const auto* in = reinterpret_cast<const QRgb*>(source.image_.constScanLine(sy));
        auto* out = reinterpret_cast<QRgb*>(image_.scanLine(dy));
        for (int col = 0; col < width; ++col) {
            const int sx = sourceX + col;
            const int dx = destX + col;
            if (sx < 0 || sx >= source.width() || dx < 0 || dx >= image_.width())
                continue;
            if (transparent && (in[sx] & 0xFFFFFF) == (skip & 0xFFFFFF))
                continue;
            out[dx] = in[sx];
        }
    }
}

QByteArray Bitmap::saveBytes() const {
    QByteArray bytes;
    if (image_.isNull())
        return bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image_.save(&buffer, "BMP");
    return bytes;
}

} // namespace tk
