#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <cstdint>
#include <optional>

namespace tk {

// A black 32-bit image of the given size; a null image, with the reason in `error`, when the
// size is not positive or memory runs out.
QImage createImage(int width, int height, QString* error);

// Copies the source rectangle of one 32-bit image to (destX, destY) of another; pixels of
// `transparent` (0x00BBGGRR) are not copied. Parts outside either image are clipped.
void copyImageRect(const QImage& source, int sourceX, int sourceY, int width, int height,
                   QImage& dest, int destX, int destY, std::optional<uint32_t> transparent = {});

// The image as file bytes (BMP); empty for a null image.
QByteArray encodeImage(const QImage& image);

// The bitmap object of the skin code: decode image file bytes, make a 32-bit bitmap, copy
// rectangles between bitmaps (optionally skipping one transparent colour) and encode the
// result as file bytes (BMP).
class Bitmap {
  public:
    bool loadFromBytes(const QByteArray& bytes);
    bool create(int width, int height);
    bool isNull() const { return image_.isNull(); }
    int width() const { return image_.width(); }
    int height() const { return image_.height(); }
    // Copies the source rectangle to (destX, destY); pixels of `transparent` (0x00BBGGRR)
    // are not copied. Parts outside either bitmap are clipped.
    void copyFrom(const Bitmap& source, int sourceX, int sourceY, int width, int height, int destX,
                  int destY, std::optional<uint32_t> transparent = {});
    QByteArray saveBytes() const { return encodeImage(image_); }
    QString errorText() const { return error_; }
    const QImage& image() const { return image_; }

  private:
    QImage image_;
    QString error_;
};

} // namespace tk
