#include "Window.h"
#include "LayoutData.h"

#include <QLabel>
#include <QSignalSpy>
#include <QSlider>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <limits>

namespace {

using tk::EventKind;

// A small window: a picture box holding a label, a tab control with a button on page 1, a
// timer, an edit box and a covering pair of picture boxes (the first lies on top).
std::unique_ptr<tk::Window> makeWindow() {
    const auto spec = tk::parseWindowSpec(R"({
        "name": "test", "width": 200, "height": 150, "caption": "测试", "visible": true,
        "events": ["created", "queryClose"],
        "units": [
          {"kind": "图片框", "name": "上", "left": 0, "top": 100, "width": 50, "height": 50, "state": "V",
           "events": ["leftPressed"]},
          {"kind": "图片框", "name": "下", "left": 0, "top": 100, "width": 50, "height": 50, "state": "V"},
          {"kind": "图片框", "name": "框", "left": 10, "top": 10, "width": 80, "height": 40, "state": "V"},
          {"kind": "标签", "name": "字", "left": 5, "top": 5, "width": 40, "height": 16,
           "container": "框", "state": "V", "text": "你好"},
          {"kind": "选择夹", "name": "夹", "left": 100, "top": 0, "width": 100, "height": 100,
           "state": "V", "items": ["一", "二"]},
          {"kind": "按钮", "name": "钮", "container": "夹", "page": 1, "left": 2, "top": 2,
           "width": 30, "height": 20, "state": "VF", "text": "按", "events": ["click"]},
          {"kind": "时钟", "name": "钟", "interval": 0, "events": ["tick"]},
          {"kind": "编辑框", "name": "编", "left": 10, "top": 60, "width": 50, "height": 20,
           "state": "V", "events": ["textChanged"]}
        ]})",
                                          nullptr);
    EXPECT_TRUE(spec);
    return std::make_unique<tk::Window>(*spec);
}

TEST(Window, UnitsSitInTheirContainersAndFollowThem) {
    auto window = makeWindow();
    window->load();
    tk::Unit* label = window->unit("字");
    ASSERT_TRUE(label);
    EXPECT_EQ(label->widget()->parentWidget(), window->unit("框")->widget());
    EXPECT_EQ(label->left(), 5);
    EXPECT_EQ(label->text(), "你好");
    auto* tabs = qobject_cast<QTabWidget*>(window->unit("夹")->widget());
    EXPECT_EQ(window->unit("钮")->widget()->parentWidget(), tabs->widget(1));

    window->unit("框")->setVisible(false);
    EXPECT_FALSE(label->widget()->isVisible());
    EXPECT_TRUE(label->isVisible()); // its own flag is unchanged
    window->unit("框")->setVisible(true);
    EXPECT_TRUE(label->widget()->isVisible());
}

TEST(Window, FirstUnitLiesOnTop) {
    auto window = makeWindow();
    window->load();
    EXPECT_EQ(window->widget()->childAt(10, 110), window->unit("上")->widget());
}

TEST(Window, BindsOnlyWhatTheDataBinds) {
    auto window = makeWindow();
    const auto none = [](const tk::EventArgs&) { return true; };
    EXPECT_FALSE(window->bind("钮", EventKind::DoubleClick, none));
    EXPECT_FALSE(window->bind("不存在", EventKind::Click, none));
    EXPECT_FALSE(window->bind({}, EventKind::Destroying, none));
    EXPECT_EQ(window->unboundEvents(), (QStringList{"/created", "/queryClose", "上/leftPressed",
                                                    "钮/click", "钟/tick", "编/textChanged"}));
    EXPECT_TRUE(window->bind("钮", EventKind::Click, none));
    EXPECT_FALSE(window->unboundEvents().contains("钮/click"));
}

TEST(Window, DeliversEventsWithMousePositions) {
    auto window = makeWindow();
    QStringList seen;
    window->bind({}, EventKind::Created, [&](const tk::EventArgs&) {
        seen << "created";
        return true;
    });
    window->bind("钮", EventKind::Click, [&](const tk::EventArgs&) {
        seen << "click";
        return true;
    });
    window->bind("上", EventKind::LeftPressed, [&](const tk::EventArgs& a) {
        seen << QString("press %1,%2").arg(a.x).arg(a.y);
        return true;
    });
    window->bind("编", EventKind::TextChanged, [&](const tk::EventArgs&) {
        seen << "text";
        return true;
    });
    window->load();
    auto* tabs = qobject_cast<QTabWidget*>(window->unit("夹")->widget());
    tabs->setCurrentIndex(1);
    QTest::mouseClick(window->unit("钮")->widget(), Qt::LeftButton);
    QTest::mousePress(window->unit("上")->widget(), Qt::LeftButton, {}, {7, 9});
    window->unit("编")->setText("12"); // a change by program code is reported too
    EXPECT_EQ(seen, (QStringList{"created", "click", "press 7,9", "text"}));
}

TEST(Window, TimersTickAtTheirIntervalUntilStopped) {
    auto window = makeWindow();
    int ticks = 0;
    window->bind("钟", EventKind::Tick, [&](const tk::EventArgs&) {
        ++ticks;
        return true;
    });
    window->load();
    tk::Unit* timer = window->unit("钟");
    EXPECT_EQ(timer->interval(), 0);
    timer->setInterval(10);
    EXPECT_EQ(timer->interval(), 10);
    QTest::qWait(120);
    EXPECT_GE(ticks, 3);
    timer->setInterval(0);
    const int stoppedAt = ticks;
    QTest::qWait(50);
    EXPECT_EQ(ticks, stoppedAt);
    EXPECT_EQ(timer->intProperty(tk::Prop::Text), 0);
}

TEST(Window, QueryCloseCanKeepTheWindowOpen) {
    auto window = makeWindow();
    bool allow = false;
    window->bind({}, EventKind::QueryClose, [&](const tk::EventArgs&) { return allow; });
    window->load();
    EXPECT_FALSE(window->widget()->close());
    EXPECT_FALSE(window->isDestroyed());
    allow = true;
    EXPECT_TRUE(window->widget()->close());
    EXPECT_TRUE(window->isDestroyed());
}

TEST(Window, HidingDuringCreatedKeepsTheWindowHidden) {
    auto window = makeWindow();
    window->bind({}, EventKind::Created, [&](const tk::EventArgs&) {
        window->move({}, {}, 120, 90);
        window->setVisible(false);
        return true;
    });
    window->load();
    EXPECT_FALSE(window->widget()->isVisible());
    EXPECT_EQ(window->width(), 120);
    EXPECT_EQ(window->height(), 90);
}

} // namespace

namespace {

TEST(Window, ExtremeGeometryIsClampedNotOverflowed) {
    auto window = makeWindow();
    tk::Unit* box = window->unit("框");
    box->move(std::numeric_limits<int>::max(), std::numeric_limits<int>::min(),
              std::numeric_limits<int>::max(), -5);
    EXPECT_GT(box->left(), 0);
    EXPECT_LT(box->top(), 0);
    EXPECT_EQ(box->height(), 0);
    EXPECT_GT(box->width(), 0);
}

} // namespace

namespace {

TEST(Window, ATimerNobodyListensToKeepsItsIntervalButDoesNotRun) {
    const auto spec = tk::parseWindowSpec(R"({"units": [
        {"kind": "时钟", "name": "钟", "interval": 100, "events": ["tick"]}]})",
                                          nullptr);
    ASSERT_TRUE(spec);
    tk::Window window(*spec);
    window.load();
    tk::Unit* timer = window.unit("钟");
    EXPECT_EQ(timer->interval(), 100);
    EXPECT_FALSE(qobject_cast<QTimer*>(timer->object())->isActive());
    int ticks = 0;
    window.bind("钟", EventKind::Tick, [&](const tk::EventArgs&) {
        ++ticks;
        return true;
    });
    EXPECT_TRUE(qobject_cast<QTimer*>(timer->object())->isActive());
    timer->setInterval(5);
    QTest::qWait(60);
    EXPECT_GT(ticks, 2);
}

// A click in the track moves by the data's page step; sliders without steps keep Qt's own.
TEST(Window, SliderStepsComeFromTheData) {
    const auto spec = tk::parseWindowSpec(R"({"units": [
          {"kind": "滑块条", "name": "定", "range": [1, 10], "lineStep": 1, "pageStep": 3},
          {"kind": "滑块条", "name": "默", "range": [1, 100]}]})",
                                          nullptr);
    ASSERT_TRUE(spec);
    tk::Window window(*spec);
    auto* stepped = qobject_cast<QSlider*>(window.unit("定")->widget());
    auto* plain = qobject_cast<QSlider*>(window.unit("默")->widget());
    ASSERT_TRUE(stepped && plain);
    EXPECT_EQ(stepped->pageStep(), 3);
    EXPECT_EQ(stepped->singleStep(), 1);
    EXPECT_EQ(plain->pageStep(), 10);
    EXPECT_EQ(plain->singleStep(), 1);
}

} // namespace
