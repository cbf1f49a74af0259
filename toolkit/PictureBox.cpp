#include "PictureBox.h"

#include "WidgetGrab.h"

#include <QPainter>

namespace tk {

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {}

void PictureBox::setPicture(const QByteArray& bytes) {
    picture_.set(bytes);
    canvas_.clear();
    updateOpaque();
    update();
}

QImage& PictureBox::canvas() {
    return canvas_.image(size(), canvas_.startsOver(size()) ? grabShown(*this) : QImage());
}

void PictureBox::showCanvas() {
    canvas_.show();
    updateOpaque();
}

void PictureBox::clearCanvas() {
    canvas_.clear();
    updateOpaque();
}

void PictureBox::updateOpaque() {
    // A canvas that covers the box hides everything beneath it: Qt then paints nothing under
    // the box, and a frame costs one copy of the image.
    setAttribute(Qt::WA_OpaquePaintEvent, canvas_.covers(size()));
}

void PictureBox::paintEvent(QPaintEvent*) {
    if (!canvas_.isShown() && picture_.pixmap().isNull())
        return;
    QPainter painter(this);
    if (!canvas_.paint(painter))
        painter.drawPixmap(0, 0, picture_.pixmap());
}

void PictureBox::resizeEvent(QResizeEvent* event) {
    updateOpaque();
    QWidget::resizeEvent(event);
}

} // namespace tk
