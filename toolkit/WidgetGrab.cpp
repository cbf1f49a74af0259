#include "WidgetGrab.h"

#include <QPainter>
#include <QPixmap>
#include <QWidget>

namespace tk {

QImage grabShown(const QWidget& widget) {
    QWidget* window = widget.window();
    if (window == &widget || widget.size().isEmpty())
        return {};
    // The region of the whole window is rendered, so the parents' backgrounds show as well:
    // a widget's own grab would paint only itself on the palette colour. What lies outside
    // the window stays black.
    const QRect area(widget.mapTo(window, QPoint(0, 0)), widget.size());
    const QRect inside = area & window->rect();
    QImage image(widget.size(), QImage::Format_RGB32);
    image.fill(Qt::black);
    if (!inside.isEmpty()) {
        QPainter painter(&image); // a scaled screen's larger grab is drawn at the widget's size
        painter.drawPixmap(QRect(inside.topLeft() - area.topLeft(), inside.size()),
                           window->grab(inside));
    }
    return image;
}

QImage grabUnderneath(QWidget& widget) {
    const bool hidden = widget.isHidden();
    widget.hide();
    QImage image = grabShown(widget);
    widget.setHidden(hidden);
    return image;
}

} // namespace tk
