#pragma once

#include "LazyPicture.h"

#include "Canvas.h"

#include <QByteArray>
#include <QImage>
#include <QPixmap>
#include <QWidget>

namespace tk {

// A picture at the top-left corner at its own size; also a container for other units.
// Without a picture it draws nothing, so the window's background shows through.
// Instead of its picture the box can show a canvas, an image the program draws every frame:
// canvas() to draw into, showCanvas() to show it, clearCanvas() to return to the picture.
class PictureBox : public QWidget {
    Q_OBJECT
  public:
    explicit PictureBox(QWidget* parent = nullptr);

    QByteArray picture() const { return picture_.bytes(); }
    // A new picture also takes the place of a shown canvas.
    void setPicture(const QByteArray& bytes);

    // The image to draw into at the box's size. It keeps the last frame while that is shown at
    // this size; otherwise it starts as what the box shows now (its picture over what lies
    // beneath it), as a screen copy would.
    QImage& canvas();
    // Shows the canvas: one update, whose paint is a single copy of the image.
    void showCanvas();
    // Erases the box to its picture.
    void clearCanvas();
    bool isCanvasShown() const { return canvas_.isShown(); }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void updateOpaque();

    LazyPicture picture_;
    Canvas canvas_{*this};
};

} // namespace tk
