#include "WindowWidget.h"

#include <QCloseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace tk {

WindowWidget::WindowWidget(QWidget* owner) : QWidget(owner, owner ? Qt::Dialog : Qt::Window) {}

void WindowWidget::setBackground(const QPixmap& picture, PictureMode mode, const QColor& colour) {
    background_ = picture;
    mode_ = mode;
    colour_ = colour;
    painted_ = QPixmap();
    update();
}

void WindowWidget::paintEvent(QPaintEvent* event) {
    if (painted_.size() != size() * devicePixelRatioF()) {
        painted_ = QPixmap(size() * devicePixelRatioF());
        painted_.setDevicePixelRatio(devicePixelRatioF());
        QPainter background(&painted_);
        paintWindowBackground(background, rect(), background_, mode_, colour_);
    }
    const qreal ratio = painted_.devicePixelRatio();
    const QRect area = event->rect();
    QPainter painter(this);
    painter.drawPixmap(area, painted_,
                       QRectF(area.topLeft() * ratio, area.size() * ratio).toRect());
}

void WindowWidget::closeEvent(QCloseEvent* event) {
    if (onQueryClose && !onQueryClose()) {
        event->ignore();
        return;
    }
    event->accept();
    if (onClosed)
        onClosed();
}

void WindowWidget::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (onShown && !event->spontaneous())
        onShown();
}

} // namespace tk
