#include "TransparentLabel.h"

#include <QEvent>
#include <QPainter>

namespace tk {

TransparentLabel::TransparentLabel(QWidget* parent) : QWidget(parent) {
    layout_.setTextFormat(Qt::PlainText);
    layout_.setPerformanceHint(QStaticText::AggressiveCaching);
}

void TransparentLabel::ensureLayout() const {
    if (laidOut_)
        return;
    layout_.setText(text_);
    layout_.prepare(QTransform(), font());
    textWidth_ = fontMetrics().horizontalAdvance(text_);
    laidOut_ = true;
}

void TransparentLabel::setText(const QString& text) {
    if (text_ == text)
        return;
    text_ = text;
    offset_ = 0;
    laidOut_ = false;
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
    ensureLayout();
    return textWidth_;
}

void TransparentLabel::updateScrolling() {
    moving_ = scrolling_ && textWidth() > width(); // measured only while scrolling is on
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
    if (event->type() == QEvent::FontChange) {
        laidOut_ = false;
        updateScrolling();
    }
    QWidget::changeEvent(event);
}

void TransparentLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(colour_);
    painter.setFont(font());
    ensureLayout();
    const int top = (height() - qRound(layout_.size().height())) / 2;
    if (isMoving()) {
        // The text and, after the gap, its start again, so that the label is never empty.
        const int width = textWidth() + kScrollGap;
        for (int x = -offset_; x < this->width(); x += width)
            painter.drawStaticText(x, top, layout_);
        return;
    }
    const int room = this->width() - textWidth();
    const int left = alignment_ == 2 ? room : alignment_ == 1 ? room / 2 : 0;
    // A text wider than the label is cut where the alignment puts it, as a clipped line is.
    painter.setClipRect(rect());
    painter.drawStaticText(left, top, layout_);
}

} // namespace tk
