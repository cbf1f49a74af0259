#include "TransparentLabel.h"

#include <QPainter>

namespace tk {

TransparentLabel::TransparentLabel(QWidget* parent) : QWidget(parent) {}

void TransparentLabel::setText(const QString& text) {
    if (text_ == text)
        return;
    text_ = text;
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

void TransparentLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(colour_);
    painter.setFont(font());
    const Qt::Alignment horizontal = alignment_ == 2   ? Qt::AlignRight
                                     : alignment_ == 1 ? Qt::AlignHCenter
                                                       : Qt::AlignLeft;
    painter.drawText(rect(), horizontal | Qt::AlignVCenter | Qt::TextSingleLine, text_);
}

} // namespace tk
