#include "SliderSet.h"

#include "SliderGeometry.h"

#include <QCursor>
#include <QEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTimer>
#include <algorithm>

namespace ui {
namespace {

// The track's top-left corner in the coordinates of the thumb's parent.
QPoint trackOrigin(const SkinSlider& slider) {
    const QWidget* parent = slider.thumb->parentWidget();
    const QPoint global = slider.track->mapToGlobal(QPoint(0, 0));
    return parent ? parent->mapFromGlobal(global) : global;
}

// True for a press or release (as `type` says) of the left button. Only mouse events are cast.
bool isLeftButton(const QEvent* event, QEvent::Type type) {
    return event->type() == type &&
           static_cast<const QMouseEvent*>(event)->button() == Qt::LeftButton;
}

} // namespace

void SliderSet::setMouseSource(std::function<Qt::MouseButtons()> buttons,
                               std::function<QPoint()> cursor) {
    buttons_ = std::move(buttons);
    cursor_ = std::move(cursor);
}

int SliderSet::indexOfThumb(const QObject* thumb) const {
    for (std::size_t i = 0; i < sliders_.size(); ++i) {
        if (thumb && sliders_[i]->thumb == thumb)
            return int(i) + 1;
    }
    return 0;
}

SkinSlider* SliderSet::find(const QObject* thumb) const {
    const int index = indexOfThumb(thumb);
    return index ? sliders_[index - 1].get() : nullptr;
}

const SkinSlider* SliderSet::slider(int sliderIndex) const {
    return sliderIndex >= 1 && sliderIndex <= sliderCount() ? sliders_[sliderIndex - 1].get()
                                                            : nullptr;
}

void SliderSet::createSlider(QWidget* thumb, QWidget* track, QWidget* valueBox, int minimum,
                             std::optional<int> maximum, int value, int alignMode) {
    if (!thumb || !track)
        return;
    int high = maximum.value_or(100);
    int low = minimum;
    if (high < low)
        std::swap(low, high);
    value = std::min(std::max(value, low), high);

    if (SkinSlider* existing = find(thumb)) {
        existing->minimum = low;
        existing->maximum = high;
        existing->value = value;
        existing->alignMode = alignMode;
        existing->thumbTop =
            thumbTopForAlignment(alignMode, trackOrigin(*existing).y(), existing->track->height(),
                                 existing->thumb->height(), existing->thumbTop);
        placeThumb(*existing);
        writeValue(*existing);
        return;
    }

    auto slider = std::make_unique<SkinSlider>();
    slider->thumb = thumb;
    slider->track = track;
    slider->valueBox = valueBox;
    slider->minimum = low;
    slider->maximum = high;
    slider->value = value;
    slider->alignMode = alignMode;
    slider->thumbTop = thumbTopForAlignment(alignMode, trackOrigin(*slider).y(), track->height(),
                                            thumb->height(), 0);
    placeThumb(*slider);
    thumb->installEventFilter(this);
    sliders_.push_back(std::move(slider));
    const int index = sliderCount();
    SkinSlider& added = *sliders_.back();
    writeValue(added);
    added.dragTimer = new QTimer(this);
    added.dragTimer->setInterval(kDragInterval);
    connect(added.dragTimer, &QTimer::timeout, this, [this, index] { dragTick(index); });

    const bool trackKnown = std::any_of(tracks_.begin(), tracks_.end(),
                                        [&](const TrackEntry& e) { return e.track == track; });
    if (!trackKnown) {
        tracks_.push_back({track, index});
        track->installEventFilter(this);
    }
    QWidget* parent = thumb->parentWidget();
    auto entry = std::find_if(parents_.begin(), parents_.end(),
                              [&](const ParentEntry& e) { return e.parent == parent; });
    if (entry == parents_.end()) {
        parents_.push_back({parent, QString::number(index) + ','});
        if (parent)
            parent->installEventFilter(this);
    } else {
        entry->members += QString::number(index) + ',';
    }
}

int SliderSet::setSliderValue(QWidget* thumb, int value) {
    SkinSlider* slider = find(thumb);
    if (!slider)
        return 0;
    const bool inRange = slider->minimum <= value && value <= slider->maximum;
    slider->value = std::min(std::max(value, slider->minimum), slider->maximum);
    if (slider->orientation == -1)
        placeThumb(*slider);
    writeValue(*slider);
    return inRange ? 1 : 0;
}

int SliderSet::getSliderValue(QWidget* thumb) const {
    const SkinSlider* slider = find(thumb);
    return slider ? slider->value : -1;
}

QString SliderSet::parentMembers(QWidget* parent) const {
    for (const ParentEntry& entry : parents_) {
        if (entry.parent == parent)
            return entry.members;
    }
    return {};
}

void SliderSet::placeThumb(SkinSlider& slider) {
    const int left =
        thumbLeftForValue(trackOrigin(slider).x(), slider.track->width(), slider.thumb->width(),
                          slider.minimum, slider.maximum, slider.value);
    slider.thumb->move(left, slider.thumbTop); // its size never changes
}

void SliderSet::writeValue(SkinSlider& slider) {
    if (auto* box = qobject_cast<QLineEdit*>(slider.valueBox.data()))
        box->setText(QString::number(slider.value));
    if (slider.reported != slider.value) {
        slider.reported = slider.value;
        emit valueChanged(slider.thumb, slider.value);
    }
}

void SliderSet::followMouse(int sliderIndex, int x) {
    SkinSlider* slider = sliders_.at(sliderIndex - 1).get();
    if (slider->orientation != -1 || !slider->thumb || !slider->track)
        return;
    const int left = draggedThumbLeft(x, trackOrigin(*slider).x(), slider->track->width(),
                                      slider->thumb->width());
    slider->thumb->move(left, slider->thumbTop);
    const int offset =
        slider->thumb->mapToGlobal(QPoint(0, 0)).x() - slider->track->mapToGlobal(QPoint(0, 0)).x();
    slider->value = valueForThumbOffset(offset, slider->track->width(), slider->thumb->width(),
                                        slider->minimum, slider->maximum);
    writeValue(*slider);
}

void SliderSet::startDrag(int sliderIndex) {
    SkinSlider& slider = *sliders_.at(sliderIndex - 1);
    slider.dragging = true;
    confineCursor(slider);
    slider.dragTimer->start(); // a press while it runs re-arms the same timer
}

void SliderSet::endDrag(SkinSlider& slider) {
    slider.dragging = false;
}

void SliderSet::dragTick(int sliderIndex) {
    SkinSlider& slider = *sliders_.at(sliderIndex - 1);
    if (!slider.dragging || !slider.thumb || !slider.track) {
        slider.dragTimer->stop();
        return;
    }
    confineCursor(slider);
    const QPoint cursor = cursor_ ? cursor_() : QCursor::pos();
    followMouse(sliderIndex, slider.track->mapFromGlobal(cursor).x());
}

// Keeps the mouse over the thumb and the track while a drag lasts, where the platform lets a
// program move the pointer (X11). Elsewhere only the thumb is kept between the track's ends.
void SliderSet::confineCursor(const SkinSlider& slider) const {
    if (cursor_ || QGuiApplication::platformName() != QLatin1String("xcb"))
        return;
    const QRect thumb(slider.thumb->mapToGlobal(QPoint(0, 0)), slider.thumb->size());
    const QRect track(slider.track->mapToGlobal(QPoint(0, 0)), slider.track->size());
    const QRect area = thumb.united(track).adjusted(1, 1, -1, -1);
    const QPoint cursor = QCursor::pos();
    const QPoint inside(std::clamp(cursor.x(), area.left(), area.right()),
                        std::clamp(cursor.y(), area.top(), area.bottom()));
    if (inside != cursor)
        QCursor::setPos(inside);
}

bool SliderSet::eventFilter(QObject* watched, QEvent* event) {
    if (const int index = indexOfThumb(watched)) {
        SkinSlider& slider = *sliders_[index - 1];
        // A release the thumb never saw still ends the drag at the thumb's next event.
        const Qt::MouseButtons held = buttons_ ? buttons_() : QGuiApplication::mouseButtons();
        if (!(held & Qt::LeftButton))
            endDrag(slider);
        if (isLeftButton(event, QEvent::MouseButtonPress))
            startDrag(index);
        else if (isLeftButton(event, QEvent::MouseButtonRelease))
            endDrag(slider);
    }
    if (isLeftButton(event, QEvent::MouseButtonRelease)) {
        for (const TrackEntry& entry : tracks_) {
            if (entry.track == watched) // a click on the track: the thumb jumps there
                followMouse(entry.firstSlider,
                            static_cast<QMouseEvent*>(event)->position().toPoint().x());
        }
    }
    if (event->type() == QEvent::Resize) {
        for (const ParentEntry& entry : parents_) {
            if (entry.parent != watched)
                continue;
            for (const QString& piece : entry.members.split(',', Qt::SkipEmptyParts)) {
                const SkinSlider* member = slider(piece.toInt());
                if (member)
                    setSliderValue(member->thumb, member->value);
            }
        }
    }
    return false;
}

} // namespace ui
