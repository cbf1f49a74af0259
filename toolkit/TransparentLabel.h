#pragma once

#include <QColor>
#include <QStaticText>
#include <QWidget>

namespace tk {

// Text drawn straight over whatever lies behind it: no background of its own. A text wider
// than the label can run through it (scrolling on): from right to left, a pixel per step,
// followed again after a gap; with scrolling off, or a text that fits, it stands still. The
// program gives the steps (scrollStep), so that the label moves in the same frames as the
// window's other animation and costs no wake-ups of its own.
class TransparentLabel : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kScrollGap = 40; // pixels between the end of the text and its start

    explicit TransparentLabel(QWidget* parent = nullptr);

    QString text() const { return text_; }
    void setText(const QString& text);
    QColor textColour() const { return colour_; }
    void setTextColour(const QColor& colour);
    // 0 left, 1 centred, 2 right
    int alignment() const { return alignment_; }
    void setAlignment(int alignment);

    void setScrolling(bool scrolling);
    // True while the text moves: scrolling is on and the text does not fit.
    bool isMoving() const { return moving_; }
    // Moves a moving text on by a pixel.
    void scrollStep();
    int scrollOffset() const { return offset_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    int textWidth() const;
    void updateScrolling();
    // Text layout is the costly part of a repaint: done once per text and font, when the text
    // is first drawn or measured (a label never shown is never laid out).
    void ensureLayout() const;

    QString text_;
    QColor colour_ = Qt::white;
    int alignment_ = 0;
    bool scrolling_ = false;
    bool moving_ = false;
    int offset_ = 0;
    mutable QStaticText layout_;
    mutable int textWidth_ = 0;
    mutable bool laidOut_ = false;
};

} // namespace tk
