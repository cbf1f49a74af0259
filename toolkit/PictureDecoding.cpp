#include "PictureDecoding.h"

#include <QBuffer>
#include <QImageReader>

namespace tk {

const char* pictureFormat(const QByteArray& bytes) {
    struct Signature {
        QByteArrayView magic;
        const char* format;
    };
    static constexpr Signature kSignatures[] = {
        {"BM", "BMP"},
        {"\x89PNG\r\n\x1a\n", "PNG"},
        {"GIF8", "GIF"},
        {"\xFF\xD8\xFF", "JPEG"},
        {QByteArrayView("\0\0\1\0", 4), "ICO"},
    };
    for (const Signature& signature : kSignatures) {
        if (bytes.startsWith(signature.magic))
            return signature.format;
    }
    return nullptr;
}

QImage decodeImage(const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    const char* format = pictureFormat(bytes);
    QImageReader reader(&buffer, format);
    // With a format named, only its decoder is asked; without one, every decoder looks.
    reader.setAutoDetectImageFormat(format == nullptr);
    return reader.read();
}

QPixmap decodePixmap(const QByteArray& bytes) {
    return QPixmap::fromImage(decodeImage(bytes));
}

} // namespace tk
