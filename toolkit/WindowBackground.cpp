#include "WindowBackground.h"

#include <QPainter>

namespace tk {

void paintWindowBackground(QPainter& painter, const QRect& area, const QPixmap& picture,
                           PictureMode mode, const QColor& colour) {
    painter.fillRect(area, colour);
    if (picture.isNull())
        return;
    switch (mode) {
    case PictureMode::TopLeft:
        painter.drawPixmap(area.topLeft(), picture);
        break;
    case PictureMode::Tiled:
        painter.drawTiledPixmap(area, picture);
        break;
    case PictureMode::Centred: {
        QSize size = picture.size();
        if (size.width() > area.width() || size.height() > area.height())
            size.scale(area.size(), Qt::KeepAspectRatio);
        const QRect target(area.x() + (area.width() - size.width()) / 2,
                           area.y() + (area.height() - size.height()) / 2, size.width(),
                           size.height());
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawPixmap(target, picture);
        break;
    }
    case PictureMode::Stretched:
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawPixmap(area, picture);
        break;
    }
}

} // namespace tk
