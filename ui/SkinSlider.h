#pragma once

#include <QPointer>
#include <QWidget>
#include <climits>

class QTimer;

namespace ui {

// One slider made of ordinary widgets: a thumb that travels over a track, and an optional value
// box whose text the slider keeps equal to its value.
struct SkinSlider {
    QPointer<QWidget> thumb; // the slider's key
    QPointer<QWidget> track;
    QPointer<QWidget> valueBox; // null when the slider has none
    int orientation = -1;       // always horizontal
    int minimum = 0;
    int maximum = 100;
    int value = 0; // always within minimum..maximum
    int reserved = -1;
    int reported = INT_MIN; // the value last reported through valueChanged
    int thumbTop = 0;       // in the thumb's parent, fixed by the alignment mode
    int alignMode = 0;
    bool dragging = false;
    QTimer* dragTimer = nullptr; // polls the mouse every 10 ms while dragging
};

} // namespace ui
