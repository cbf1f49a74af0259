#include "Canvas.h"

#include "Bitmap.h"

#include <QPainter>
#include <QWidget>

namespace tk {

QImage& Canvas::image(QSize size, const QImage& start) {
    if (!startsOver(size))
        return image_;
    shown_ = false; // a fresh image is not on screen until show()
    image_ = createImage(size.width(), size.height(), &error_);
    if (!image_.isNull() && !start.isNull()) {
        QPainter painter(&image_);
        painter.drawImage(0, 0, start);
    }
    return image_;
}

void Canvas::show() {
    shown_ = !image_.isNull();
    owner_.update();
}

void Canvas::clear() {
    const bool wasShown = shown_;
    shown_ = false;
    image_ = QImage();
    if (wasShown)
        owner_.update();
}

bool Canvas::covers(QSize size) const {
    return shown_ && image_.width() >= size.width() && image_.height() >= size.height();
}

bool Canvas::paint(QPainter& painter) const {
    if (!shown_)
        return false;
    painter.drawImage(0, 0, image_);
    return true;
}

} // namespace tk
