#include "TransparentLabel.h"

#include <QEvent>
#include <QPainter>

namespace tk {

TransparentLabel::TransparentLabel(QWidget* parent) : QWidget(parent) {}

void TransparentLabel::setText(const QString& text) {
    if (text_ == text)
        return;
    text_ = text;
    offset_ = 0;
    updateScrolling();
    update();
}

void TransparentLabel::setTextColour(const QColor& colour) {
    colour_ = colour;
    update();
}

void TransparentLabel::setAlignment(int alignment) {
    alignment_ = alignment;
    update();
}

void TransparentLabel::setScrolling(bool scrolling) {
    if (scrolling_ == scrolling)
        return;
    scrolling_ = scrolling;
    if (!scrolling)
        offset_ = 0;
    updateScrolling();
    update();
}

int TransparentLabel::textWidth() const {
    return fontMetrics().horizontalAdvance(text_);
}

void TransparentLabel::updateScrolling() {
    moving_ = scrolling_ && textWidth() > width();
    if (!moving_)
        offset_ = 0;
}

void TransparentLabel::scrollStep() {
    if (!moving_)
        return;
    offset_ = (offset_ + 1) % (textWidth() + kScrollGap);
    update();
}

void TransparentLabel::resizeEvent(QResizeEvent*) {
    updateScrolling();
}

void TransparentLabel::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange)
        updateScrolling();
    QWidget::changeEvent(event);
}

void TransparentLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(colour_);
    painter.setFont(font());
    if (isMoving()) {
        // The text and, after the gap, its start again, so that the label is never empty.
        const int width = textWidth() + kScrollGap;
        for (int x = -offset_; x < this->width(); x += width)
            painter.drawText(QRect(x, 0, textWidth(), height()),
                             Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text_);
        return;
    }
    const Qt::Alignment horizontal = alignment_ == 2   ? Qt::AlignRight
                                     : alignment_ == 1 ? Qt::AlignHCenter
                                                       : Qt::AlignLeft;
    painter.drawText(rect(), horizontal | Qt::AlignVCenter | Qt::TextSingleLine, text_);
}

} // namespace tk
