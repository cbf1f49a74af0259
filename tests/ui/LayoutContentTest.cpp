#include "DesignedUnits.h"
#include "LayoutData.h"
#include "Layouts.h"
#include "UnitFactory.h"

#include <QImage>
#include <QMap>
#include <QSet>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

using designed_units::Row;

// Where the layout data places the player's displays differently from the windows' design, so
// that they show inside the collapsed window without covering one another.
struct Adjustment {
    const char* name;
    const char* state;
    const char* tag;
    const char* pictures;
    int left = -1, top = -1, width = -1, height = -1;
    const char* events = nullptr;
};
const Adjustment kMainWindowAdjustments[] = {
    {"图形按钮时间", "V", "position=\"240, 32, 305, 52\"", nullptr},
    {"透明标签信息", "V", "position=\"118, 4, 206, 22\"", nullptr},
    {"透明标签声道", "V", "position=\"265, 17, 306, 30\"", nullptr},
    {"透明标签状态", nullptr, "position=\"10, 131, 92, 144\"", nullptr},
    {"透明标签进度", nullptr, "position=\"10, 150, 92, 162\"", nullptr},
    {"图片框进度条", nullptr, nullptr, nullptr, 10, 145, 82, 10},
    {"图形按钮停止", "VD", "position=\"195, 135, 222, 162\"", "25x25;25x25;25x25;25x25", 195, 135,
     25, 25},
    {"图形按钮上一曲", "VD", "position=\"94, 135, 112, 162\"", "16x25;16x25;16x25;16x25", 94, 135,
     16, 25, "click"},
    {"图形按钮下一曲", "VD", "position=\"112, 135, 130, 162\"", "16x25;16x25;16x25;16x25", 112, 135,
     16, 25, "click"},
};

// The buttons of the file-properties window that have actions: read again, close, and the
// previous and next track.
const Adjustment kPropertiesAdjustments[] = {
    {"按钮4", nullptr, nullptr, nullptr, -1, -1, -1, -1, "click"},
    {"按钮2", nullptr, nullptr, nullptr, -1, -1, -1, -1, "click"},
    {"按钮下一首", nullptr, nullptr, nullptr, -1, -1, -1, -1, "click"},
    {"按钮上一首", nullptr, nullptr, nullptr, -1, -1, -1, -1, "click"},
};

QString stateLetters(const tk::UnitSpec& unit) {
    return QString(unit.visible ? "V" : "") + (unit.disabled ? "D" : "") +
           (unit.focusable ? "F" : "");
}

QString eventNames(const QVector<tk::EventKind>& events) {
    QStringList names;
    for (tk::EventKind event : events)
        names << tk::eventName(event);
    return names.join(',');
}

// The pixel sizes of a unit's pictures, as "WxH;WxH;;", trailing empties dropped.
QString pictureSizes(const QStringList& paths) {
    QStringList sizes;
    for (const QString& path : paths) {
        if (path.isEmpty()) {
            sizes << QString();
            continue;
        }
        const QImage image = QImage::fromData(tk::skinPicture(path));
        sizes << (image.isNull() ? QStringLiteral("missing:") + path
                                 : QStringLiteral("%1x%2").arg(image.width()).arg(image.height()));
    }
    while (!sizes.isEmpty() && sizes.last().isEmpty())
        sizes.removeLast();
    return sizes.join(';');
}

QString trimmedSizes(QString sizes) {
    while (sizes.endsWith(';'))
        sizes.chop(1);
    return sizes;
}

tk::WindowSpec load(const char* window) {
    QString error;
    const auto spec = tk::loadWindowSpec(ui::layoutPath(window), &error);
    EXPECT_TRUE(spec) << error.toStdString();
    return spec.value_or(tk::WindowSpec{});
}

// Compares every unit of a window with its designed units; `adjustments` replace their values.
void expectUnits(const tk::WindowSpec& spec, const std::vector<Row>& rows,
                 const QMap<QString, Adjustment>& adjustments = {}) {
    for (const Row& row : rows) {
        const QString name = QString::fromUtf8(row.name);
        SCOPED_TRACE(row.name);
        const tk::UnitSpec* unit = spec.unit(name);
        ASSERT_NE(unit, nullptr);
        const Adjustment adjustment =
            adjustments.value(name, Adjustment{row.name, nullptr, nullptr, nullptr});
        EXPECT_EQ(tk::kindName(unit->kind), QString::fromUtf8(row.kind));
        const QRect expected =
            adjustment.left >= 0
                ? QRect(adjustment.left, adjustment.top, adjustment.width, adjustment.height)
                : QRect(row.left, row.top, row.width, row.height);
        EXPECT_EQ(QRect(unit->left, unit->top, unit->width, unit->height), expected);
        EXPECT_EQ(unit->container, QString::fromUtf8(row.container));
        EXPECT_EQ(stateLetters(*unit),
                  QString::fromUtf8(adjustment.state ? adjustment.state : row.state));
        EXPECT_EQ(unit->text, QString::fromUtf8(row.text));
        EXPECT_EQ(unit->tag, QString::fromUtf8(adjustment.tag ? adjustment.tag : row.tag));
        EXPECT_EQ(pictureSizes(unit->pictures),
                  trimmedSizes(
                      QString::fromUtf8(adjustment.pictures ? adjustment.pictures : row.pictures)));
        EXPECT_EQ(eventNames(unit->events),
                  QString::fromUtf8(adjustment.events ? adjustment.events : row.events));
    }
}

TEST(Layout, MainWindow) {
    const tk::WindowSpec spec = load("main");
    EXPECT_EQ(spec.windowId, 0x52010001u);
    EXPECT_EQ(spec.unitId, 0x06010000u);
    EXPECT_EQ(QRect(spec.left, spec.top, spec.width, spec.height), QRect(50, 50, 320, 355));
    EXPECT_EQ(spec.caption, QString::fromUtf8("TARVO播放器"));
    EXPECT_TRUE(spec.visible);
    EXPECT_TRUE(spec.frameless);
    EXPECT_EQ(spec.pictureMode, 3);
    EXPECT_EQ(pictureSizes({spec.background}), "300x320");
    EXPECT_EQ(pictureSizes({spec.icon}), "128x128");
    EXPECT_EQ(spec.soundPlay, 2);
    EXPECT_EQ(eventNames(spec.events), "created,destroying,leftPressed");

    QMap<QString, Adjustment> adjustments;
    for (const Adjustment& adjustment : kMainWindowAdjustments)
        adjustments.insert(QString::fromUtf8(adjustment.name), adjustment);
    expectUnits(spec, designed_units::main, adjustments);

    // The unused list menu: a top-level item and four items under it.
    const char* items[] = {"列表菜单", "添加文件", "添加目录", "删除选中", "清空全部"};
    for (uint32_t i = 0; i < 5; ++i) {
        const tk::UnitSpec* item = spec.unit(QString::fromUtf8(items[i]));
        ASSERT_NE(item, nullptr) << items[i];
        EXPECT_EQ(item->kind, tk::Kind::MenuItem);
        EXPECT_EQ(item->id, 0x2601163au + i);
        EXPECT_EQ(item->parentMenu, i == 0 ? QString() : QString::fromUtf8("列表菜单"));
        EXPECT_TRUE(item->events.isEmpty());
    }
    EXPECT_EQ(spec.units.size(), int(designed_units::main.size()) + 5);
}

// Units lie in the designed order (the first on top). The one change: the time display moves in
// front of the analyser box, whose top-right corner it covers once placed.
TEST(Layout, UnitsKeepTheDesignedOrder) {
    const std::pair<const char*, const std::vector<Row>*> windows[] = {
        {"main", &designed_units::main},
        {"options", &designed_units::options},
        {"properties", &designed_units::properties},
        {"about", &designed_units::about},
        {"picks", &designed_units::picks}};
    for (const auto& [window, rows] : windows) {
        SCOPED_TRACE(window);
        QStringList expected;
        for (const Row& row : *rows)
            expected << QString::fromUtf8(row.name);
        if (QString(window) == "main") {
            expected.removeOne(QString::fromUtf8("图形按钮时间"));
            expected.insert(expected.indexOf(QString::fromUtf8("图片框可视化")),
                            QString::fromUtf8("图形按钮时间"));
        }
        QStringList actual;
        for (const tk::UnitSpec& unit : load(window).units) {
            if (unit.kind != tk::Kind::MenuItem)
                actual << unit.name;
        }
        EXPECT_EQ(actual.join(' ').toStdString(), expected.join(' ').toStdString());
    }
}

// The hand pointer where the State column adds "hand", the arrow on the two slider value
// boxes, the default everywhere else.
TEST(Layout, MousePointersFollowTheDesign) {
    const std::pair<const char*, const char*> hands[] = {
        {"main",
         "图片框4 超文本浏览框1 图片框1 图片框9 图片框6 图片框5 图形按钮进度 图形按钮音量 "
         "图形按钮音乐窗 图形按钮迷你 图形按钮静音 图形按钮停止 图形按钮打开 图形按钮上一曲 "
         "图形按钮播放 图形按钮下一曲 图形按钮播放列表 图形按钮歌词秀 图形按钮均衡器 "
         "图形按钮暂停 透明标签进度 透明标签音量 图片框音量条"},
        {"options", ""},
        {"properties", "超级链接框1"},
        {"about", "图片框2 图片框1"},
        {"picks", ""}};
    const QStringList arrows = QString::fromUtf8("编辑框音量 编辑框进度").split(' ');
    for (const auto& [window, handNames] : hands) {
        const QStringList hand = QString::fromUtf8(handNames).split(' ', Qt::SkipEmptyParts);
        for (const tk::UnitSpec& unit : load(window).units) {
            const bool isMain = QString(window) == "main";
            const tk::Pointer expected = hand.contains(unit.name) ? tk::Pointer::Hand
                                         : isMain && arrows.contains(unit.name)
                                             ? tk::Pointer::Arrow
                                             : tk::Pointer::Default;
            EXPECT_EQ(int(unit.pointer), int(expected)) << window << " " << unit.name.toStdString();
        }
    }
}

// Timers, sliders, colour pickers and the HTML view start with their designed data.
TEST(Layout, KindSpecificDataFollowsTheDesign) {
    const tk::WindowSpec main = load("main");
    const std::pair<const char*, int> timers[] = {
        {"时钟2", 0}, {"时钟1", 100}, {"动画时钟", 0}, {"时钟频谱", 0}, {"时钟进度", 0}};
    for (const auto& [name, interval] : timers)
        EXPECT_EQ(main.unit(QString::fromUtf8(name))->interval, interval) << name;

    struct Slider {
        const char* window;
        const char* name;
        int min, max, position;
        int lineStep, pageStep; // 0: none given
    };
    const Slider sliders[] = {{"main", "滑块条2", 1, 100, 2, 0, 0},
                              {"main", "滑块条1", 1, 100, 30, 0, 0},
                              {"options", "视觉效果滑块条宽度", 1, 10, 1, 1, 5},
                              {"options", "视觉效果滑块条间隔", 0, 9, 0, 1, 1},
                              {"options", "视觉效果滑块条频带衰减", 1, 10, 6, 1, 10},
                              {"options", "视觉效果滑块条顶峰衰减", 1, 10, 1, 1, 3},
                              {"options", "视觉效果滑块条顶峰延迟", 1, 10, 5, 1, 5}};
    const tk::WindowSpec options = load("options");
    for (const Slider& slider : sliders) {
        const tk::UnitSpec* unit = (QString(slider.window) == "main" ? main : options)
                                       .unit(QString::fromUtf8(slider.name));
        ASSERT_NE(unit, nullptr) << slider.name;
        EXPECT_EQ(unit->rangeMin, slider.min) << slider.name;
        EXPECT_EQ(unit->rangeMax, slider.max) << slider.name;
        EXPECT_EQ(unit->position, slider.position) << slider.name;
        EXPECT_EQ(unit->lineStep, slider.lineStep) << slider.name;
        EXPECT_EQ(unit->pageStep, slider.pageStep) << slider.name;
    }

    // Colours as 0x00BBGGRR: R 0, G 136, B 255; R 255, G 80, B 128; R 255, G 255, B 0.
    const std::pair<const char*, uint32_t> colours[] = {{"视觉效果颜色选择器高峰", 0x00FF8800u},
                                                        {"视觉效果颜色选择器顶端", 0x008050FFu},
                                                        {"视觉效果颜色选择器中端", 0x00FF8800u},
                                                        {"视觉效果颜色选择器底端", 0x0000FFFFu}};
    for (const auto& [name, colour] : colours)
        EXPECT_EQ(options.unit(QString::fromUtf8(name))->colour, colour) << name;

    const QUrl page(main.unit(QString::fromUtf8("超文本浏览框1"))->url);
    EXPECT_TRUE(page.isValid());
    EXPECT_EQ(page.scheme(), "http");
    EXPECT_FALSE(page.host().isEmpty());
    EXPECT_EQ(page.path(), "/gg/gg.html");

    const tk::WindowSpec properties = load("properties");
    EXPECT_EQ(properties.unit(QString::fromUtf8("组合框4"))->items,
              QString::fromUtf8("ID3v1|ID3v2|APEv2|ID3v1 & ID3v2|ID3v1 & APEv2|ID3v2 & APEv2")
                  .split('|'));
    EXPECT_EQ(properties.unit(QString::fromUtf8("组合框2"))->items,
              QString::fromUtf8("APEv2 > ID3v2 > ID3v1|ID3v2 > APEv2 > ID3v1|"
                                "ID3v1 > ID3v2 > APEv2|ID3v1 > APEv2 > ID3v2")
                  .split('|'));
}

TEST(Layout, OptionsWindow) {
    const tk::WindowSpec spec = load("options");
    EXPECT_EQ(spec.windowId, 0x52010bbdu);
    EXPECT_EQ(spec.unitId, 0x06010bbcu);
    EXPECT_EQ(QRect(spec.left, spec.top, spec.width, spec.height), QRect(50, 50, 1169, 572));
    EXPECT_EQ(spec.caption, QString::fromUtf8("选项"));
    EXPECT_FALSE(spec.visible);
    EXPECT_EQ(eventNames(spec.events), "created,queryClose,shown");
    expectUnits(spec, designed_units::options);
    EXPECT_EQ(spec.units.size(), 97);
    // Check boxes start checked exactly where the layout says so.
    QStringList checked;
    for (const tk::UnitSpec& unit : spec.units) {
        if (unit.checked)
            checked << unit.name;
    }
    EXPECT_EQ(checked, QString::fromUtf8(
                           "常规选择框多列显示曲目 常规选择框显示快捷键 常规选择框任务栏滚动标题 "
                           "视觉效果选择框显示顶峰 视觉效果选择框显示频带")
                           .split(' '));
}

TEST(Layout, FilePropertiesWindow) {
    const tk::WindowSpec spec = load("properties");
    EXPECT_EQ(spec.windowId, 0x5201145au);
    EXPECT_EQ(QRect(spec.left, spec.top, spec.width, spec.height), QRect(50, 50, 548, 424));
    EXPECT_EQ(spec.caption, QString::fromUtf8("文件属性"));
    EXPECT_EQ(eventNames(spec.events), "created,destroying");
    QMap<QString, Adjustment> adjustments;
    for (const Adjustment& adjustment : kPropertiesAdjustments)
        adjustments.insert(QString::fromUtf8(adjustment.name), adjustment);
    expectUnits(spec, designed_units::properties, adjustments);
    EXPECT_EQ(spec.units.size(), 38);
    const tk::UnitSpec* tabs = spec.unit(QString::fromUtf8("选择夹1"));
    EXPECT_EQ(tabs->items, QString::fromUtf8("属性 专辑封面").split(' '));
    for (const char* name : {"图片框1", "按钮5", "按钮6", "超级链接框2"})
        EXPECT_EQ(spec.unit(QString::fromUtf8(name))->page, 1) << name;
    for (const char* name : {"标签文件名", "编辑框1", "分组框1", "分组框2", "分组框3", "按钮1"})
        EXPECT_EQ(spec.unit(QString::fromUtf8(name))->page, 0) << name;
    EXPECT_TRUE(spec.unit(QString::fromUtf8("选择框1"))->checked);
}

TEST(Layout, AboutAndDailyPicksWindows) {
    const tk::WindowSpec about = load("about");
    EXPECT_EQ(about.windowId, 0x52011640u);
    EXPECT_EQ(QRect(about.left, about.top, about.width, about.height), QRect(50, 50, 340, 200));
    EXPECT_TRUE(about.caption.isEmpty());
    EXPECT_TRUE(about.frameless);
    EXPECT_EQ(pictureSizes({about.background}), "340x200");
    EXPECT_EQ(about.pictureMode, 0);
    EXPECT_EQ(pictureSizes({about.icon}), "128x128");
    expectUnits(about, designed_units::about);

    const tk::WindowSpec picks = load("picks");
    EXPECT_EQ(picks.windowId, 0x52011816u);
    EXPECT_EQ(QRect(picks.left, picks.top, picks.width, picks.height), QRect(50, 50, 400, 250));
    EXPECT_EQ(picks.caption, QString(18, ' ') + QString::fromUtf8("每日精选-Tarvo网"));
    EXPECT_EQ(pictureSizes({picks.background}), "320x250");
    EXPECT_EQ(pictureSizes({picks.icon}), "128x128");
    EXPECT_EQ(eventNames(picks.events), "created");
    expectUnits(picks, designed_units::picks);
}

TEST(Layout, UnitIdsAreUniqueAndOfTheirKind) {
    for (const QString& window : ui::windowNames()) {
        const tk::WindowSpec spec = load(window.toUtf8().constData());
        QSet<uint32_t> ids;
        for (const tk::UnitSpec& unit : spec.units) {
            EXPECT_FALSE(ids.contains(unit.id)) << unit.name.toStdString();
            ids.insert(unit.id);
            EXPECT_EQ(unit.id >> 24, unit.kind == tk::Kind::MenuItem ? 0x26u : 0x16u)
                << unit.name.toStdString();
        }
        EXPECT_EQ(spec.windowId >> 24, 0x52u);
        EXPECT_EQ(spec.unitId, (0x06u << 24) | ((spec.windowId - 1) & 0xFFFFFF));
    }
}

} // namespace
