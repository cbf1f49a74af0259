#pragma once

#include "PictureDecoding.h"

#include <QByteArray>
#include <QPixmap>

namespace tk {

// A picture kept as its file bytes and decoded the first time it is drawn or asked about:
// a window holds many pictures (every state of every button) that are never, or only later,
// shown, and decoding them all would delay the window's first appearance.
class LazyPicture {
  public:
    const QByteArray& bytes() const { return bytes_; }
    void set(const QByteArray& bytes) {
        bytes_ = bytes;
        pixmap_ = QPixmap();
        decoded_ = bytes.isEmpty();
    }
    // Null when there are no bytes or they hold no picture.
    const QPixmap& pixmap() const {
        if (!decoded_) {
            pixmap_ = decodePixmap(bytes_);
            decoded_ = true;
        }
        return pixmap_;
    }

  private:
    QByteArray bytes_;
    mutable QPixmap pixmap_;
    mutable bool decoded_ = true;
};

} // namespace tk
