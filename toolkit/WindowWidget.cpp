#include "WindowWidget.h"

#include <QCloseEvent>
#include <QPainter>

namespace tk {

WindowWidget::WindowWidget(QWidget* owner) : QWidget(owner, owner ? Qt::Dialog : Qt::Window) {}

void WindowWidget::setBackground(const QPixmap& picture, PictureMode mode, const QColor& colour) {
    background_ = picture;
    mode_ = mode;
    colour_ = colour;
    update();
}

void WindowWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintWindowBackground(painter, rect(), background_, mode_, colour_);
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
