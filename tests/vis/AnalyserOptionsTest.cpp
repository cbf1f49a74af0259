#include "AnalyserBox.h"
#include "AnalyserSettingsReader.h"
#include "Bitmap.h"
#include "Frames.h"
#include "Layouts.h"
#include "PictureBox.h"
#include "WidgetGrab.h"
#include "Window.h"

#include <gtest/gtest.h>

namespace {

TEST(AnalyserSettingsReader, ReadsThePagesControlsAtEveryCall) {
    QString error;
    const auto spec = tk::loadWindowSpec(ui::layoutPath("options"), &error);
    ASSERT_TRUE(spec) << error.toStdString();
    tk::Window options(*spec);
    const auto reader = vis::AnalyserSettingsReader::create(options, &error);
    ASSERT_TRUE(reader) << error.toStdString();
    EXPECT_EQ(reader->read(), vis::AnalyserSettings{}); // the page's initial values

    options.unit(QString::fromUtf8("视觉效果滑块条间隔"))->setPosition(4);
    options.unit(QString::fromUtf8("视觉效果选择框显示顶峰"))->setChecked(false);
    options.unit(QString::fromUtf8("视觉效果颜色选择器底端"))->setColour(0x00123456);
    vis::AnalyserSettings changed;
    changed.barGap = 4;
    changed.showPeaks = false;
    changed.bottomColour = 0x00123456;
    EXPECT_EQ(reader->read(), changed);

    tk::Window empty(tk::WindowSpec{});
    EXPECT_FALSE(vis::AnalyserSettingsReader::create(empty, &error));
    EXPECT_TRUE(error.contains(QString::fromUtf8("视觉效果滑块条宽度")));
}

// A window's analyser box: a 260 × 98 picture box whose picture is the background.
class AnalyserBoxTest : public ::testing::Test {
  protected:
    void SetUp() override {
        tk::UnitSpec spec;
        spec.kind = tk::Kind::PictureBox;
        spec.name = "box";
        spec.left = spec.top = 30;
        spec.width = 260;
        spec.height = 98;
        spec.visible = true;
        tk::WindowSpec windowSpec;
        windowSpec.width = 700;
        windowSpec.height = 200;
        windowSpec.units << spec;
        window = std::make_unique<tk::Window>(windowSpec);
        box().setPicture(tk::encodeImage(frames::plainBox(260, 98)));
    }
    tk::Unit& unit() { return *window->unit("box"); }
    tk::PictureBox& box() { return *qobject_cast<tk::PictureBox*>(unit().widget()); }
    void show(std::optional<std::span<const float>> magnitudes) {
        vis::showFrame(unit(), analyser, magnitudes, settings, bars);
    }

    std::unique_ptr<tk::Window> window;
    vis::SpectrumAnalyser analyser;
    vis::BarState bars;
    vis::AnalyserSettings settings;
    const std::vector<float> loud = std::vector<float>(vis::kSpectrumBins, 1.0f);
};

TEST_F(AnalyserBoxTest, FramesShowOnTheBoxAndStopErasesThemToItsPicture) {
    show(loud);
    EXPECT_EQ(analyser.background(), frames::plainBox(260, 98)); // the picture, at the first frame
    EXPECT_EQ(frames::shownHeight(tk::grabShown(box()), 0), 98);
    vis::clearFrame(unit());
    EXPECT_FALSE(box().isCanvasShown());
    EXPECT_EQ(tk::grabShown(box()), frames::plainBox(260, 98));
    EXPECT_EQ(bars.peakHeight[1], 98); // the bars keep their state for the next play
}

TEST_F(AnalyserBoxTest, AWideBoxIsNarrowedAtItsFirstFrameWithData) {
    unit().move({}, {}, 600);
    show(std::nullopt);
    EXPECT_EQ(unit().width(), 600);
    show(loud);
    EXPECT_EQ(unit().width(), 512);
    const QImage shown = tk::grabShown(box());
    EXPECT_EQ(shown.size(), QSize(512, 98));
    EXPECT_EQ(frames::shownHeight(shown, 255), 98); // 256 bars of one pixel
    EXPECT_EQ(frames::shownHeight(shown, 256), 0);
}

} // namespace
