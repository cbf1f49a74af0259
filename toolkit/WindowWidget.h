#pragma once

#include "WindowBackground.h"

#include <QWidget>
#include <functional>

namespace tk {

// The top-level widget of a loaded window: draws the background picture and reports
// close requests and showing to its Window.
class WindowWidget : public QWidget {
    Q_OBJECT
  public:
    explicit WindowWidget(QWidget* owner);

    void setBackground(const QPixmap& picture, PictureMode mode, const QColor& colour);

    // Asked before the window closes; false keeps it open.
    std::function<bool()> onQueryClose;
    std::function<void()> onClosed;
    std::function<void()> onShown;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    QPixmap background_;
    PictureMode mode_ = PictureMode::TopLeft;
    QColor colour_;
    // The background as painted at the widget's size, so that the frequent repaints behind
    // transparent units copy pixels instead of scaling the picture again.
    QPixmap painted_;
};

} // namespace tk
