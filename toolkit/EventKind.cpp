#include "EventKind.h"

#include <array>
#include <utility>

namespace tk {
namespace {

constexpr std::array<std::pair<EventKind, const char*>, 15> kEventNames{{
    {EventKind::Created, "created"},
    {EventKind::QueryClose, "queryClose"},
    {EventKind::Destroying, "destroying"},
    {EventKind::Shown, "shown"},
    {EventKind::Click, "click"},
    {EventKind::TextChanged, "textChanged"},
    {EventKind::Tick, "tick"},
    {EventKind::PositionChanged, "positionChanged"},
    {EventKind::AboutToNavigate, "aboutToNavigate"},
    {EventKind::LeftPressed, "leftPressed"},
    {EventKind::LeftReleased, "leftReleased"},
    {EventKind::DoubleClick, "doubleClick"},
    {EventKind::RightPressed, "rightPressed"},
    {EventKind::RightReleased, "rightReleased"},
    {EventKind::MouseMoved, "mouseMoved"},
}};

} // namespace

bool eventFromName(const QString& name, EventKind& event) {
    for (const auto& [e, text] : kEventNames) {
        if (name == QLatin1String(text)) {
            event = e;
            return true;
        }
    }
    return false;
}

QString eventName(EventKind event) {
    for (const auto& [e, text] : kEventNames) {
        if (e == event)
            return QLatin1String(text);
    }
    return {};
}

} // namespace tk
