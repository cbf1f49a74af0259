#include "LayoutData.h"

#include <gtest/gtest.h>

namespace {

std::optional<tk::WindowSpec> parse(const char* json, QString* error = nullptr) {
    return tk::parseWindowSpec(QByteArray(json), error);
}

TEST(LayoutData, ReadsWindowAndUnitData) {
    const auto spec = parse(R"({
        "windowId": "0x52010001", "unitId": "0x06010000", "name": "w",
        "left": 50, "top": 50, "width": 320, "height": 355, "caption": "标题",
        "visible": true, "frameless": true, "pictureMode": 3, "events": ["created"],
        "units": [
          {"id": "0x16000001", "kind": "图形按钮", "name": "按", "left": 1, "top": 2,
           "width": 3, "height": 4, "state": "VD", "pointer": "hand", "tag": "position=\"1\" ",
           "pictures": ["a.jpg", "", "c.jpg"], "events": ["click", "mouseMoved"]},
          {"id": "0x16000002", "kind": "滑块条", "name": "滑", "container": "框",
           "state": "F", "range": [1, 100], "position": 30, "lineStep": 2, "pageStep": 7},
          {"id": "0x16000003", "kind": "图片框", "name": "框", "state": "V"},
          {"id": "0x16000004", "kind": "颜色选择器", "name": "色", "colour": "0x00FF8800"}
        ]})");
    ASSERT_TRUE(spec);
    EXPECT_EQ(spec->windowId, 0x52010001u);
    EXPECT_EQ(spec->unitId, 0x06010000u);
    EXPECT_TRUE(spec->frameless);
    EXPECT_EQ(spec->events, QVector<tk::EventKind>{tk::EventKind::Created});
    ASSERT_EQ(spec->units.size(), 4);
    const tk::UnitSpec& button = spec->units[0];
    EXPECT_EQ(button.kind, tk::Kind::PictureButton);
    EXPECT_TRUE(button.visible);
    EXPECT_TRUE(button.disabled);
    EXPECT_FALSE(button.focusable);
    EXPECT_EQ(button.pointer, tk::Pointer::Hand);
    EXPECT_EQ(button.tag, "position=\"1\" ");
    EXPECT_EQ(button.pictures, (QStringList{"a.jpg", "", "c.jpg"}));
    EXPECT_EQ(button.events,
              (QVector<tk::EventKind>{tk::EventKind::Click, tk::EventKind::MouseMoved}));
    const tk::UnitSpec* slider = spec->unit("滑");
    ASSERT_TRUE(slider);
    EXPECT_EQ(slider->container, "框");
    EXPECT_EQ(slider->rangeMax, 100);
    EXPECT_EQ(slider->position, 30);
    EXPECT_EQ(slider->lineStep, 2);
    EXPECT_EQ(slider->pageStep, 7);
    EXPECT_EQ(spec->unit("色")->colour, 0x00FF8800u);
}

TEST(LayoutData, RefusesMalformedData) {
    QString error;
    EXPECT_FALSE(parse("not json", &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(parse(R"({"units": [{"kind": "不存在", "name": "x"}]})", &error));
    EXPECT_TRUE(error.contains("unknown kind"));
    EXPECT_FALSE(parse(
        R"({"units": [{"kind": "标签", "name": "x"}, {"kind": "标签", "name": "x"}]})", &error));
    EXPECT_TRUE(error.contains("twice"));
    EXPECT_FALSE(
        parse(R"({"units": [{"kind": "标签", "name": "x", "events": ["explode"]}]})", &error));
    EXPECT_TRUE(error.contains("unknown event"));
    // A container must exist and be a kind that holds units.
    EXPECT_FALSE(parse(R"({"units": [{"kind": "标签", "name": "x", "container": "y"},
                                      {"kind": "标签", "name": "y"}]})",
                       &error));
    EXPECT_TRUE(error.contains("container"));
    EXPECT_FALSE(parse(R"({"units": [{"kind": "滑块条", "name": "x", "pageStep": -5}]})", &error));
    EXPECT_TRUE(error.contains("step"));
}

} // namespace
