#include "StartupSkin.h"

#include "SkinElement.h"
#include "Window.h"

#include <functional>

namespace skin {
namespace {

// Runs `apply` on each named unit of the window, in order; names it lacks go to `missing`.
void forEachUnit(tk::Window& window, const QStringList& names, QStringList& missing,
                 const std::function<void(tk::Unit&)>& apply) {
    for (const QString& name : names) {
        if (tk::Unit* unit = window.unit(name))
            apply(*unit);
        else
            missing << name;
    }
}

} // namespace

QStringList applyStartupSkin(tk::Window& mainWindow, SkinContext& context,
                             const QStringList& pictureButtons, const QStringList& labels) {
    SkinElement element(context);
    QStringList missing;
    forEachUnit(mainWindow, pictureButtons, missing,
                [&](tk::Unit& unit) { element.PlaceControl(unit, true); });
    forEachUnit(mainWindow, labels, missing, [&](tk::Unit& unit) { element.StyleLabel(unit); });
    return missing;
}

} // namespace skin
