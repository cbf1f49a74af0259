#include "PictureBox.h"

#include <QPainter>

namespace tk {

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {}

void PictureBox::setPicture(const QByteArray& bytes) {
    bytes_ = bytes;
    pixmap_ = QPixmap();
    if (!bytes.isEmpty())
        pixmap_.loadFromData(bytes);
    update();
}

void PictureBox::paintEvent(QPaintEvent*) {
    if (pixmap_.isNull())
        return;
    QPainter painter(this);
    painter.drawPixmap(0, 0, pixmap_);
}

} // namespace tk
