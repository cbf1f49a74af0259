#include "StartupSkin.h"

#include "SkinElement.h"
#include "Window.h"

#include <functional>
#include <initializer_list>

namespace skin {
namespace {

// Runs `apply` on each named unit of the window, in order; names it lacks go to `missing`.
void forEachUnit(tk::Window& window, std::initializer_list<const char16_t*> names,
                 QStringList& missing, const std::function<void(tk::Unit&)>& apply) {
    for (const char16_t* name : names) {
        const QString unitName = QString::fromUtf16(name);
        if (tk::Unit* unit = window.unit(unitName))
            apply(*unit);
        else
            missing << unitName;
    }
}

} // namespace

QStringList applyStartupSkin(tk::Window& mainWindow, SkinContext& context) {
    SkinElement element(context);
    QStringList missing;
    forEachUnit(mainWindow,
                {u"图形按钮歌词秀", u"图形按钮均衡器", u"图形按钮播放列表", u"图形按钮音乐窗",
                 u"图形按钮最小化", u"图形按钮退出", u"图形按钮进度", u"图形按钮音量",
                 u"图形按钮时间"},
                missing, [&](tk::Unit& unit) { element.PlaceControl(unit, true); });
    forEachUnit(
        mainWindow,
        {u"透明标签信息", u"透明标签状态", u"透明标签声道", u"透明标签进度", u"透明标签音量"},
        missing, [&](tk::Unit& unit) { element.StyleLabel(unit); });
    return missing;
}

} // namespace skin
