#pragma once

#include "SkinSlider.h"

#include <QObject>
#include <QPoint>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace ui {

// The program's skinned sliders. A slider is found by its thumb; its 1-based place in creation
// order is its index. The set watches the thumbs (drag with the left button, polled every
// 10 ms), the tracks (a release on a track jumps the thumb there) and the thumbs' parents (a
// resize puts every thumb back at its value). A slider writes its value into its value box
// and reports each new value with valueChanged(). Main thread only.
class SliderSet : public QObject {
    Q_OBJECT
  public:
    static constexpr int kDragInterval = 10;

    // Builds a slider, or re-configures the one whose thumb this is (range, value and
    // alignment; its track and value box stay). Reversed bounds are swapped and the value is
    // clamped into them.
    void createSlider(QWidget* thumb, QWidget* track, QWidget* valueBox = nullptr, int minimum = 0,
                      std::optional<int> maximum = {}, int value = 0, int alignMode = 0);
    // Moves the thumb to a value (clamped) and writes the value box. 1 when the value was in
    // range, 0 when it was clamped or the thumb belongs to no slider.
    int setSliderValue(QWidget* thumb, int value);
    // The slider's value, -1 when the thumb belongs to no slider.
    int getSliderValue(QWidget* thumb) const;

    // One step of a drag, with the mouse at `x` in the track's coordinates: the thumb follows,
    // the value follows the thumb, the value box is written.
    void followMouse(int sliderIndex, int x);

    // Where the set reads the mouse: replaceable so that drags can be driven without a mouse.
    void setMouseSource(std::function<Qt::MouseButtons()> buttons, std::function<QPoint()> cursor);

    int sliderCount() const { return int(sliders_.size()); }
    int trackCount() const { return int(tracks_.size()); }
    // The indices of the sliders whose thumbs have this parent, as "1,2,".
    QString parentMembers(QWidget* parent) const;
    const SkinSlider* slider(int sliderIndex) const;

  signals:
    // A slider's value changed: set by the program, dragged, or the track clicked.
    void valueChanged(QWidget* thumb, int value);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct TrackEntry {
        QPointer<QWidget> track;
        int firstSlider; // index of the first slider built on this track
    };
    struct ParentEntry {
        QPointer<QWidget> parent;
        QString members;
    };

    int indexOfThumb(const QObject* thumb) const;
    SkinSlider* find(const QObject* thumb) const;
    void placeThumb(SkinSlider& slider);
    void writeValue(SkinSlider& slider);
    void dragTick(int sliderIndex);
    void startDrag(int sliderIndex);
    void endDrag(SkinSlider& slider);
    void confineCursor(const SkinSlider& slider) const;

    std::vector<std::unique_ptr<SkinSlider>> sliders_;
    std::vector<TrackEntry> tracks_;
    std::vector<ParentEntry> parents_;
    std::function<Qt::MouseButtons()> buttons_;
    std::function<QPoint()> cursor_;
};

} // namespace ui
