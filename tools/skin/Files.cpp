#include "Files.h"

#include <QBuffer>
#include <QImageWriter>

namespace skin {
namespace {

void put16(QByteArray& out, quint32 v) {
    out.append(char(v & 0xff));
    out.append(char((v >> 8) & 0xff));
}

void put32(QByteArray& out, quint32 v) {
    put16(out, v & 0xffff);
    put16(out, v >> 16);
}

// The 40-byte BITMAPINFOHEADER.
void putInfoHeader(QByteArray& out, int width, int height, int bits, quint32 imageSize) {
    put32(out, 40);
    put32(out, quint32(width));
    put32(out, quint32(height));
    put16(out, 1);
    put16(out, quint32(bits));
    put32(out, 0); // BI_RGB
    put32(out, imageSize);
    put32(out, 2834);
    put32(out, 2834);
    put32(out, 0);
    put32(out, 0);
}

// Bottom-up rows of blue, green, red (and alpha), each padded to a multiple of 4 bytes.
QByteArray pixelRows(const QImage& source, int bits) {
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    const int stride = ((image.width() * bits / 8) + 3) & ~3;
    QByteArray rows;
    rows.reserve(stride * image.height());
    for (int y = image.height() - 1; y >= 0; --y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        QByteArray row;
        for (int x = 0; x < image.width(); ++x) {
            row.append(char(qBlue(line[x])));
            row.append(char(qGreen(line[x])));
            row.append(char(qRed(line[x])));
            if (bits == 32)
                row.append(char(qAlpha(line[x])));
        }
        row.append(QByteArray(stride - row.size(), '\0'));
        rows.append(row);
    }
    return rows;
}

// The file that Qt's image plugin for `format` writes; a quality of -1 is the plugin's default.
QByteArray pluginFile(const QImage& image, const char* format, int quality = -1) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(quality);
    writer.write(image);
    return bytes;
}

} // namespace

QByteArray bmpFile(const QImage& image, int bits, int spareBytes) {
    Q_ASSERT(bits == 24 || bits == 32);
    QByteArray rows = pixelRows(image, bits);
    rows.append(QByteArray(spareBytes, '\0'));
    QByteArray out;
    out.append("BM");
    put32(out, quint32(54 + rows.size()));
    put32(out, 0);
    put32(out, 54);
    putInfoHeader(out, image.width(), image.height(), bits, quint32(rows.size()));
    out.append(rows);
    return out;
}

QByteArray icoFile(const QImage& source) {
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    const int w = image.width();
    const int h = image.height();
    const QByteArray colour = pixelRows(image, 32);
    const int maskStride = ((w + 31) / 32) * 4;
    QByteArray mask;
    for (int y = h - 1; y >= 0; --y) {
        QByteArray row(maskStride, '\0');
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < w; ++x)
            if (qAlpha(line[x]) == 0)
                row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
        mask.append(row);
    }
    const quint32 imageBytes = quint32(40 + colour.size() + mask.size());
    QByteArray out;
    put16(out, 0); // reserved
    put16(out, 1); // icon
    put16(out, 1); // one image
    out.append(char(w >= 256 ? 0 : w));
    out.append(char(h >= 256 ? 0 : h));
    out.append(char(0)); // no palette
    out.append(char(0));
    put16(out, 1);  // planes
    put16(out, 32); // bits per pixel
    put32(out, imageBytes);
    put32(out, 6 + 16);
    putInfoHeader(out, w, h * 2, 32, quint32(colour.size() + mask.size()));
    out.append(colour);
    out.append(mask);
    return out;
}

QByteArray jpegFile(const QImage& image, int quality) {
    return pluginFile(image.convertToFormat(QImage::Format_RGB32), "jpeg", quality);
}

QByteArray pngFile(const QImage& image) {
    // Straight (not premultiplied) alpha is what Qt's writer stores as colour type 6.
    return pluginFile(image.convertToFormat(QImage::Format_ARGB32), "png");
}

} // namespace skin
