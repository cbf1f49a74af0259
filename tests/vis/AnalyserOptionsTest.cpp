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

std::unique_ptr<tk::Window> optionsWindow() {
    QString error;
    const auto spec = tk::loadWindowSpec(ui::layoutPath("options"), &error);
    EXPECT_TRUE(spec) << error.toStdString();
    return spec ? std::make_unique<tk::Window>(*spec) : nullptr;
}

TEST(AnalyserSettingsReader, ReadsThePagesControlsAtEveryCall) {
    const auto options = optionsWindow();
    ASSERT_TRUE(options);
    QString error;
    const auto reader = vis::AnalyserSettingsReader::create(*options, &error);
    ASSERT_TRUE(reader) << error.toStdString();
    const vis::AnalyserSettings initial = reader->read();
    const vis::AnalyserSettings expected;
    EXPECT_EQ(initial.barWidth, expected.barWidth);
    EXPECT_EQ(initial.barGap, expected.barGap);
    EXPECT_EQ(initial.bandFall, expected.bandFall);
    EXPECT_EQ(initial.peakFall, expected.peakFall);
    EXPECT_EQ(initial.peakDelay, expected.peakDelay);
    EXPECT_TRUE(initial.showBars && initial.showPeaks);
    EXPECT_EQ(initial.peakColour, expected.peakColour);
    EXPECT_EQ(initial.topColour, expected.topColour);
    EXPECT_EQ(initial.middleColour, expected.middleColour);
    EXPECT_EQ(initial.bottomColour, expected.bottomColour);

    options->unit(QString::fromUtf8("视觉效果滑块条间隔"))->setPosition(4);
    options->unit(QString::fromUtf8("视觉效果滑块条顶峰延迟"))->setPosition(9);
    options->unit(QString::fromUtf8("视觉效果选择框显示顶峰"))->setChecked(false);
    options->unit(QString::fromUtf8("视觉效果颜色选择器底端"))->setColour(0x00123456);
    const vis::AnalyserSettings changed = reader->read();
    EXPECT_EQ(changed.barGap, 4);
    EXPECT_EQ(changed.peakDelay, 9);
    EXPECT_FALSE(changed.showPeaks);
    EXPECT_TRUE(changed.showBars);
    EXPECT_EQ(changed.bottomColour, 0x00123456u);
}

TEST(AnalyserSettingsReader, NamesAMissingControl) {
    tk::Window empty(tk::WindowSpec{});
    QString error;
    EXPECT_FALSE(vis::AnalyserSettingsReader::create(empty, &error));
    EXPECT_TRUE(error.contains(QString::fromUtf8("视觉效果滑块条宽度")));
}

// The analyser box of a window: a picture box whose picture is the background.
class AnalyserBoxTest : public ::testing::Test {
  protected:
    void SetUp() override {
        tk::UnitSpec box;
        box.kind = tk::Kind::PictureBox;
        box.name = "box";
        box.left = 30;
        box.top = 30;
        box.width = 260;
        box.height = 98;
        box.visible = true;
        tk::WindowSpec spec;
        spec.width = 700;
        spec.height = 200;
        spec.units << box;
        window = std::make_unique<tk::Window>(spec);
        unit().setPicture(1, tk::encodeImage(frames::plainBox(260, 98)));
    }
    tk::Unit& unit() { return *window->unit("box"); }
    tk::PictureBox& box() { return *qobject_cast<tk::PictureBox*>(unit().widget()); }
    QImage shown() { return tk::grabShown(box()); }

    std::unique_ptr<tk::Window> window;
    vis::SpectrumAnalyser analyser;
    vis::BarState bars;
    vis::AnalyserSettings settings;
};

TEST_F(AnalyserBoxTest, FramesShowOnTheBoxAndStopErasesThemToItsPicture) {
    const std::vector<float> loud(vis::kSpectrumBins, 1.0f);
    vis::showFrame(unit(), analyser, std::span<const float>(loud), settings, bars);
    EXPECT_TRUE(box().isCanvasShown());
    EXPECT_EQ(analyser.background(), frames::plainBox(260, 98)); // the picture, at the first frame
    EXPECT_EQ(frames::shownHeight(shown(), 0), 98);
    vis::clearFrame(unit());
    EXPECT_FALSE(box().isCanvasShown());
    EXPECT_EQ(shown(), frames::plainBox(260, 98));
    EXPECT_EQ(bars.peakHeight[1], 98); // the bars keep their state for the next play
}

TEST_F(AnalyserBoxTest, AWideBoxIsNarrowedWithItsFirstFrameWithData) {
    unit().move({}, {}, 600);
    vis::showFrame(unit(), analyser, std::nullopt, settings, bars);
    EXPECT_EQ(unit().width(), 600);
    const std::vector<float> loud(vis::kSpectrumBins, 1.0f);
    vis::showFrame(unit(), analyser, std::span<const float>(loud), settings, bars);
    EXPECT_EQ(unit().width(), 512);
    EXPECT_EQ(shown().size(), QSize(512, 98));
    EXPECT_EQ(frames::shownHeight(shown(), 255), 98);
}

} // namespace
