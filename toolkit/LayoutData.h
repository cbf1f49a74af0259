#pragma once

#include "EventKind.h"
#include "Kind.h"

#include <QString>
#include <QStringList>
#include <QVector>
#include <cstdint>
#include <optional>

namespace tk {

enum class Pointer { Default, Hand, Arrow };

// One unit of a window as the layout data describes it. Picture paths are relative to the
// resource prefix ":/skin/"; an empty path means "no picture".
struct UnitSpec {
    uint32_t id = 0;
    Kind kind = Kind::Label;
    QString name;
    int left = 0, top = 0, width = 0, height = 0;
    QString container; // name of the containing unit; empty: the window itself
    int page = 0;      // page of a tab-control container
    bool visible = false, disabled = false, focusable = false;
    Pointer pointer = Pointer::Default;
    QString text;      // caption or text
    QStringList items; // list items of a drop-down list, page titles of a tab control
    QString tag;
    QStringList pictures;                         // up to four, in property order 10..13
    int interval = 0;                             // timer, ms; 0 = stopped
    int rangeMin = 0, rangeMax = 0, position = 0; // slider bar
    int lineStep = 0, pageStep = 0;               // slider bar; 0: the toolkit's own step
    uint32_t colour = 0;                          // 0x00BBGGRR
    bool checked = false;
    QString url;        // HTML view page address
    QString parentMenu; // menu item: name of its parent item, empty at top level
    QVector<EventKind> events;
};

struct WindowSpec {
    uint32_t windowId = 0;
    uint32_t unitId = 0;
    QString name; // "main", "options", ...
    int left = 0, top = 0, width = 0, height = 0;
    QString caption;
    bool visible = false;
    bool frameless = false;
    QString background;  // picture path, empty for none
    int pictureMode = 0; // 0 top-left, 1 tiled, 2 centred, 3 stretched
    uint32_t backgroundColour = 0x00F0F0F0;
    QString icon;
    int soundPlay = 2; // 0 looping, 1 once, other: silent
    QVector<EventKind> events;
    QVector<UnitSpec> units;

    const UnitSpec* unit(const QString& unitName) const;
};

// Parses a window's layout data (JSON). Returns nothing and sets `error` when the data is
// malformed: unknown kinds or events, duplicate names, containers that do not exist.
std::optional<WindowSpec> parseWindowSpec(const QByteArray& json, QString* error);
std::optional<WindowSpec> loadWindowSpec(const QString& path, QString* error);

} // namespace tk
