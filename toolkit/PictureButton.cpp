#include "PictureButton.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>

namespace tk {

PictureButton::PictureButton(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QByteArray PictureButton::picture(int n) const {
    return n >= 1 && n <= 4 ? pictures_[n - 1].bytes() : QByteArray();
}

bool PictureButton::hasPicture(int n) const {
    return n >= 1 && n <= 4 && !pictures_[n - 1].pixmap().isNull();
}

void PictureButton::setPicture(int n, const QByteArray& bytes) {
    if (n < 1 || n > 4)
        return;
    pictures_[n - 1].set(bytes);
    if (n == 1)
        canvas_.clear();
    repaint();
}

void PictureButton::setToggle(bool toggle) {
    toggle_ = toggle;
}

int PictureButton::shownPicture() const {
    if (!isEnabled() && hasPicture(4))
        return 4;
    if (state_ == State::Hover && hasPicture(2))
        return 2;
    if (state_ == State::Pressed && hasPicture(3))
        return 3;
    return 1;
}

void PictureButton::setState(State state) {
    if (state_ == state)
        return;
    state_ = state;
    repaint(); // the new look shows at once, not at the next idle paint
}

void PictureButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    const int shown = shownPicture();
    if (shown == 1 && canvas_.paint(painter))
        return;
    const QPixmap& pixmap = pictures_[shown - 1].pixmap();
    if (!pixmap.isNull())
        painter.drawPixmap(0, 0, pixmap);
}

void PictureButton::mousePressEvent(QMouseEvent* event) {
    // Qt grabs the mouse for the widget that receives a press until the release: the capture.
    if (event->button() == Qt::LeftButton && !toggle_ &&
        rect().contains(event->position().toPoint()))
        setState(State::Pressed);
    event->accept(); // a press on a button never reaches the window behind it
}

void PictureButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        if (toggle_) {
            checked_ = !checked_;
            setState(checked_ ? State::Pressed : State::Normal);
        } else {
            setState(State::Normal);
        }
        emit clicked();
    } else if (!toggle_) {
        setState(State::Normal);
    }
    event->accept();
}

void PictureButton::mouseMoveEvent(QMouseEvent* event) {
    if (!toggle_) {
        const bool inside = rect().contains(event->position().toPoint());
        const bool held = event->buttons() & Qt::LeftButton;
        setState(inside ? (held ? State::Pressed : State::Hover) : State::Normal);
    }
    QWidget::mouseMoveEvent(event);
}

void PictureButton::enterEvent(QEnterEvent* event) {
    if (!toggle_)
        setState(QGuiApplication::mouseButtons() & Qt::LeftButton ? State::Pressed : State::Hover);
    QWidget::enterEvent(event);
}

void PictureButton::leaveEvent(QEvent* event) {
    if (!toggle_)
        setState(State::Normal);
    QWidget::leaveEvent(event);
}

void PictureButton::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange) {
        if (!toggle_)
            state_ = State::Normal;
        repaint();
    }
    QWidget::changeEvent(event);
}

} // namespace tk
