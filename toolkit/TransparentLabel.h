#pragma once

#include <QColor>
#include <QWidget>

namespace tk {

// Text drawn straight over whatever lies behind it: no background of its own.
class TransparentLabel : public QWidget {
    Q_OBJECT
  public:
    explicit TransparentLabel(QWidget* parent = nullptr);

    QString text() const { return text_; }
    void setText(const QString& text);
    QColor textColour() const { return colour_; }
    void setTextColour(const QColor& colour);
    // 0 left, 1 centred, 2 right
    int alignment() const { return alignment_; }
    void setAlignment(int alignment);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QString text_;
    QColor colour_ = Qt::white;
    int alignment_ = 0;
};

} // namespace tk
