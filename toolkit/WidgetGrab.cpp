#include "WidgetGrab.h"

#include <QPixmap>
#include <QWidget>

namespace tk {

QImage grabShown(const QWidget& widget) {
    QWidget* window = widget.window();
    if (window == &widget || widget.size().isEmpty())
        return {};
    // The region of the whole window is rendered, so the parents' backgrounds show as well:
    // a widget's own grab would paint only itself on the palette colour.
    const QRect area(widget.mapTo(window, QPoint(0, 0)), widget.size());
    QImage image = window->grab(area).toImage().convertToFormat(QImage::Format_RGB32);
    if (image.size() != widget.size()) // a scaled screen renders more pixels than the widget has
        image = image.scaled(widget.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    image.setDevicePixelRatio(1.0);
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
