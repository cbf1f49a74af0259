#include "LayoutData.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

namespace tk {
namespace {

uint32_t hexValue(const QJsonValue& value) {
    if (value.isDouble())
        return static_cast<uint32_t>(value.toDouble());
    bool ok = false;
    const uint32_t number = value.toString().toUInt(&ok, 0);
    return ok ? number : 0;
}

QStringList textList(const QJsonValue& value) {
    QStringList list;
    for (const QJsonValue& item : value.toArray())
        list << item.toString();
    return list;
}

bool parseEvents(const QJsonValue& value, QVector<EventKind>& events, const QString& owner,
                 QString* error) {
    for (const QJsonValue& item : value.toArray()) {
        EventKind event;
        if (!eventFromName(item.toString(), event)) {
            if (error)
                *error = QStringLiteral("%1: unknown event \"%2\"").arg(owner, item.toString());
            return false;
        }
        events << event;
    }
    return true;
}

bool parseUnit(const QJsonObject& o, UnitSpec& unit, QString* error) {
    unit.name = o.value("name").toString();
    if (unit.name.isEmpty()) {
        if (error)
            *error = QStringLiteral("a unit has no name");
        return false;
    }
    if (!kindFromName(o.value("kind").toString(), unit.kind)) {
        if (error)
            *error = QStringLiteral("%1: unknown kind \"%2\"")
                         .arg(unit.name, o.value("kind").toString());
        return false;
    }
    unit.id = hexValue(o.value("id"));
    unit.left = o.value("left").toInt();
    unit.top = o.value("top").toInt();
    unit.width = o.value("width").toInt();
    unit.height = o.value("height").toInt();
    unit.container = o.value("container").toString();
    unit.page = o.value("page").toInt();
    const QString state = o.value("state").toString();
    unit.visible = state.contains('V');
    unit.disabled = state.contains('D');
    unit.focusable = state.contains('F');
    const QString pointer = o.value("pointer").toString();
    unit.pointer = pointer == "hand"    ? Pointer::Hand
                   : pointer == "arrow" ? Pointer::Arrow
                                        : Pointer::Default;
    unit.text = o.value("text").toString();
    unit.items = textList(o.value("items"));
    unit.tag = o.value("tag").toString();
    unit.pictures = textList(o.value("pictures"));
    if (unit.pictures.size() > 4) {
        if (error)
            *error = QStringLiteral("%1: more than four pictures").arg(unit.name);
        return false;
    }
    unit.interval = o.value("interval").toInt();
    const QJsonArray range = o.value("range").toArray();
    if (range.size() == 2) {
        unit.rangeMin = range.at(0).toInt();
        unit.rangeMax = range.at(1).toInt();
    }
    unit.position = o.value("position").toInt();
    unit.lineStep = o.value("lineStep").toInt();
    unit.pageStep = o.value("pageStep").toInt();
    if (unit.lineStep < 0 || unit.pageStep < 0) {
        if (error)
            *error = QStringLiteral("%1: a slider step is negative").arg(unit.name);
        return false;
    }
    unit.colour = hexValue(o.value("colour"));
    unit.checked = o.value("checked").toBool();
    unit.url = o.value("url").toString();
    unit.parentMenu = o.value("parentMenu").toString();
    return parseEvents(o.value("events"), unit.events, unit.name, error);
}

} // namespace

const UnitSpec* WindowSpec::unit(const QString& unitName) const {
    for (const UnitSpec& u : units) {
        if (u.name == unitName)
            return &u;
    }
    return nullptr;
}

std::optional<WindowSpec> parseWindowSpec(const QByteArray& json, QString* error) {
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &parseError);
    if (!doc.isObject()) {
        if (error)
            *error = QStringLiteral("layout data is not a JSON object: %1")
                         .arg(parseError.errorString());
        return std::nullopt;
    }
    const QJsonObject o = doc.object();
    WindowSpec spec;
    spec.windowId = hexValue(o.value("windowId"));
    spec.unitId = hexValue(o.value("unitId"));
    spec.name = o.value("name").toString();
    spec.left = o.value("left").toInt();
    spec.top = o.value("top").toInt();
    spec.width = o.value("width").toInt();
    spec.height = o.value("height").toInt();
    spec.caption = o.value("caption").toString();
    spec.visible = o.value("visible").toBool();
    spec.frameless = o.value("frameless").toBool();
    spec.background = o.value("background").toString();
    spec.pictureMode = o.value("pictureMode").toInt();
    if (o.contains("backgroundColour"))
        spec.backgroundColour = hexValue(o.value("backgroundColour"));
    spec.icon = o.value("icon").toString();
    spec.soundPlay = o.value("soundPlay").toInt(2);
    if (!parseEvents(o.value("events"), spec.events, spec.name, error))
        return std::nullopt;

    QSet<QString> names;
    for (const QJsonValue& value : o.value("units").toArray()) {
        UnitSpec unit;
        if (!parseUnit(value.toObject(), unit, error))
            return std::nullopt;
        if (names.contains(unit.name)) {
            if (error)
                *error = QStringLiteral("%1: the name is used twice").arg(unit.name);
            return std::nullopt;
        }
        names.insert(unit.name);
        spec.units << unit;
    }
    for (const UnitSpec& unit : spec.units) {
        const UnitSpec* container = unit.container.isEmpty() ? nullptr : spec.unit(unit.container);
        if (!unit.container.isEmpty() && (!container || !isContainer(container->kind))) {
            if (error)
                *error = QStringLiteral("%1: container \"%2\" is not a container unit")
                             .arg(unit.name, unit.container);
            return std::nullopt;
        }
    }
    return spec;
}

std::optional<WindowSpec> loadWindowSpec(const QString& path, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("cannot read layout data %1: %2").arg(path, file.errorString());
        return std::nullopt;
    }
    return parseWindowSpec(file.readAll(), error);
}

} // namespace tk
