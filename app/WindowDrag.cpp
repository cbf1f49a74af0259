#include "WindowDrag.h"

#include <QCursor>
#include <QEvent>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace app {

WindowDrag::WindowDrag(QWidget* window) : QObject(window), window_(window) {
    window_->installEventFilter(this);
}

void WindowDrag::begin() {
    QWindow* handle = window_->windowHandle();
    if (handle && handle->startSystemMove())
        return;
    dragging_ = true;
    grabOffset_ = QCursor::pos() - window_->pos();
}

bool WindowDrag::eventFilter(QObject* watched, QEvent* event) {
    if (!dragging_ || watched != window_)
        return false;
    if (event->type() == QEvent::MouseMove) {
        window_->move(static_cast<QMouseEvent*>(event)->globalPosition().toPoint() - grabOffset_);
    } else if (event->type() == QEvent::MouseButtonRelease) {
        dragging_ = false;
    }
    return false;
}

} // namespace app
