#pragma once

#include <QObject>
#include <QPoint>

class QWidget;

namespace app {

// Moves a frameless window with the mouse: through the window manager where one runs,
// otherwise by following the mouse until the left button is released.
class WindowDrag : public QObject {
    Q_OBJECT
  public:
    explicit WindowDrag(QWidget* window);

    // Call from a left-button press on the window's background.
    void begin();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* window_;
    QPoint grabOffset_;
    bool dragging_ = false;
};

} // namespace app
