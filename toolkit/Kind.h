#pragma once

#include <QString>

namespace tk {

// The kinds of unit a window's layout data can hold; the layout names them in Chinese.
enum class Kind {
    Window,           // 窗口
    PictureButton,    // 图形按钮
    Button,           // 按钮
    SuperButton,      // 超级按钮
    TransparentLabel, // 透明标签
    Label,            // 标签
    EditBox,          // 编辑框
    PictureBox,       // 图片框
    ShapeBox,         // 外形框
    GroupBox,         // 分组框
    CheckBox,         // 选择框
    ComboBox,         // 组合框
    TabControl,       // 选择夹
    SliderBar,        // 滑块条
    ColourPicker,     // 颜色选择器
    Hyperlink,        // 超级链接框
    FileDialog,       // 通用对话框
    Timer,            // 时钟
    HtmlView,         // 超文本浏览框
    DropTarget,       // 拖放对象
    SuperMenu,        // 超级菜单
    BalloonTip,       // 气球提示框
    MenuItem,         // 菜单
};

// The kind for a layout kind name; false when the name is unknown.
bool kindFromName(const QString& name, Kind& kind);
QString kindName(Kind kind);

// Units that exist as objects but are never drawn.
bool isNonVisual(Kind kind);
// Units that other units can be placed in.
bool isContainer(Kind kind);

} // namespace tk
