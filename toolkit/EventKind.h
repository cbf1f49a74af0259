#pragma once

#include <QString>

namespace tk {

// The events a layout can bind to a handler. Names in the layout data are the enum names in
// lower camel case ("click", "leftPressed", ...).
enum class EventKind {
    Created,         // window: built and about to be shown
    QueryClose,      // window: asked to close; a handler returning false keeps it open
    Destroying,      // window: about to be destroyed
    Shown,           // window: shown
    Click,           // buttons, check boxes, picture buttons
    TextChanged,     // edit box
    Tick,            // timer
    PositionChanged, // slider bar
    AboutToNavigate, // HTML view
    LeftPressed,     // common mouse events, with x, y relative to the unit
    LeftReleased,
    DoubleClick,
    RightPressed,
    RightReleased,
    MouseMoved,
};

bool eventFromName(const QString& name, EventKind& event);
QString eventName(EventKind event);

// What an event carries: for mouse events the position relative to the unit and the keys held
// (1 Ctrl, 2 Shift, 4 Alt); for a navigation the address asked for.
struct EventArgs {
    int x = 0;
    int y = 0;
    int keys = 0;
    QString address;
};

} // namespace tk
