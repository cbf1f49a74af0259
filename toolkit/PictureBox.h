#pragma once

#include <QByteArray>
#include <QPixmap>
#include <QWidget>

namespace tk {

// A picture at the top-left corner at its own size; also a container for other units.
// Without a picture it draws nothing, so the window's background shows through.
class PictureBox : public QWidget {
    Q_OBJECT
  public:
    explicit PictureBox(QWidget* parent = nullptr);

    QByteArray picture() const { return bytes_; }
    void setPicture(const QByteArray& bytes);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QByteArray bytes_;
    QPixmap pixmap_;
};

} // namespace tk
