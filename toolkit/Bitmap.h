#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <cstdint>
#include <optional>

namespace tk {

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
    QByteArray saveBytes() const;
    QString errorText() const { return error_; }
    const QImage& image() const { return image_; }

  private:
    QImage image_;
    QString error_;
};

} // namespace tk
