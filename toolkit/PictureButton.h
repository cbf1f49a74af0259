#pragma once

#include "LazyPicture.h"

#include "Canvas.h"

#include <QByteArray>
#include <QPixmap>
#include <QWidget>
#include <array>

namespace tk {

// A button drawn only from its four pictures: 1 normal, 2 hover, 3 pressed, 4 disabled.
// A push button shows hover while the pointer is over it and pressed while the left button
// is held on it; a toggle button flips its checked flag on each click and shows pressed while
// checked. The picture sits at the top-left corner at its own size; the rest is black.
// The normal look can also be a canvas the program draws (the LED time), shown without
// encoding a picture: canvas(size) to draw into, showCanvas() to show it in place of picture 1.
class PictureButton : public QWidget {
    Q_OBJECT
  public:
    enum class State { Normal, Hover, Pressed };

    explicit PictureButton(QWidget* parent = nullptr);

    QByteArray picture(int n) const; // n = 1..4
    // A new picture 1 also takes the place of a shown canvas.
    void setPicture(int n, const QByteArray& bytes);
    bool hasPicture(int n) const;

    bool isToggle() const { return toggle_; }
    void setToggle(bool toggle);
    bool isChecked() const { return checked_; }
    State state() const { return state_; }
    // The number (1..4) of the picture the current state shows.
    int shownPicture() const;

    // The image to draw into, `size` pixels, kept between frames while shown at that size;
    // otherwise black. Null when the size is empty; canvasError() then says why.
    QImage& canvas(QSize size) { return canvas_.image(size); }
    QString canvasError() const { return canvas_.errorText(); }
    // Shows the canvas as the normal look: one update.
    void showCanvas() { canvas_.show(); }
    // Back to picture 1.
    void clearCanvas() { canvas_.clear(); }
    bool isCanvasShown() const { return canvas_.isShown(); }

  signals:
    void clicked();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void setState(State state);

    std::array<LazyPicture, 4> pictures_;
    State state_ = State::Normal;
    bool toggle_ = false;
    bool checked_ = false;
    Canvas canvas_{*this};
};

} // namespace tk
