#include "Kind.h"

#include <array>
#include <utility>

namespace tk {
namespace {

constexpr std::array<std::pair<Kind, const char*>, 23> kKindNames{{
    {Kind::Window, "窗口"},
    {Kind::PictureButton, "图形按钮"},
    {Kind::Button, "按钮"},
    {Kind::SuperButton, "超级按钮"},
    {Kind::TransparentLabel, "透明标签"},
    {Kind::Label, "标签"},
    {Kind::EditBox, "编辑框"},
    {Kind::PictureBox, "图片框"},
    {Kind::ShapeBox, "外形框"},
    {Kind::GroupBox, "分组框"},
    {Kind::CheckBox, "选择框"},
    {Kind::ComboBox, "组合框"},
    {Kind::TabControl, "选择夹"},
    {Kind::SliderBar, "滑块条"},
    {Kind::ColourPicker, "颜色选择器"},
    {Kind::Hyperlink, "超级链接框"},
    {Kind::FileDialog, "通用对话框"},
    {Kind::Timer, "时钟"},
    {Kind::HtmlView, "超文本浏览框"},
    {Kind::DropTarget, "拖放对象"},
    {Kind::SuperMenu, "超级菜单"},
    {Kind::BalloonTip, "气球提示框"},
    {Kind::MenuItem, "菜单"},
}};

} // namespace

bool kindFromName(const QString& name, Kind& kind) {
    for (const auto& [k, text] : kKindNames) {
        if (name == QString::fromUtf8(text)) {
            kind = k;
            return true;
        }
    }
    return false;
}

QString kindName(Kind kind) {
    for (const auto& [k, text] : kKindNames) {
        if (k == kind)
            return QString::fromUtf8(text);
    }
    return {};
}

bool isNonVisual(Kind kind) {
    switch (kind) {
    case Kind::FileDialog:
    case Kind::Timer:
    case Kind::DropTarget:
    case Kind::SuperMenu:
    case Kind::BalloonTip:
    case Kind::MenuItem:
        return true;
    default:
        return false;
    }
}

bool isContainer(Kind kind) {
    return kind == Kind::PictureBox || kind == Kind::ShapeBox || kind == Kind::GroupBox ||
           kind == Kind::TabControl;
}

} // namespace tk
