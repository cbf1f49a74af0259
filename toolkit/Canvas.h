#pragma once

#include <QImage>
#include <QSize>
#include <QString>

class QPainter;
class QWidget;

namespace tk {

// A picture the program draws itself, for a widget that otherwise shows image files: the
// program draws into image(), then show() has the widget paint that image with one update.
// Nothing is encoded or decoded on the way, so it can change every frame. The widget calls
// paint() from its paintEvent. GUI thread only.
class Canvas {
  public:
    explicit Canvas(QWidget& owner) : owner_(owner) {}

    // True when image(size) starts over instead of keeping what was drawn: nothing is shown
    // yet, or the image has another size.
    bool startsOver(QSize size) const { return !shown_ || image_.size() != size; }
    // The 32-bit image to draw into, `size` pixels. While it is shown at that size it keeps
    // what was drawn; otherwise it starts over as `start` (black where `start` does not
    // reach). Null, with the reason in errorText(), when the size is empty or memory runs out.
    QImage& image(QSize size, const QImage& start = {});
    const QImage& image() const { return image_; }
    QString errorText() const { return error_; }

    // From now on the widget shows the image; schedules one update of the widget.
    void show();
    // The widget shows its own picture again; schedules one update when something was shown.
    void clear();
    bool isShown() const { return shown_; }
    // Whether the shown image covers all of the widget, which then need not paint beneath it.
    bool covers(QSize size) const;

    // Draws the shown image at the widget's top-left corner; false when nothing is shown.
    bool paint(QPainter& painter) const;

  private:
    QWidget& owner_;
    QImage image_;
    QString error_;
    bool shown_ = false;
};

} // namespace tk
