#include "LedTimeDisplay.h"
#include "LayoutData.h"
#include "LedGlyphs.h"
#include "PictureButton.h"
#include "UnitFactory.h"
#include "Window.h"

#include <QBuffer>
#include <QImage>
#include <gtest/gtest.h>

namespace {

using Glyphs = std::vector<int>;
constexpr int C = skin::kColonGlyph;
constexpr int M = skin::kMinusGlyph;

TEST(LedGlyphs, ElapsedMinutesAndSeconds) {
    EXPECT_EQ(skin::ledGlyphs(0, false, 0), (Glyphs{0, 0, C, 0, 0}));
    EXPECT_EQ(skin::ledGlyphs(59, false, 0), (Glyphs{0, 0, C, 5, 9}));
    EXPECT_EQ(skin::ledGlyphs(60, false, 0), (Glyphs{0, 1, C, 0, 0}));
    EXPECT_EQ(skin::ledGlyphs(754, false, 0), (Glyphs{1, 2, C, 3, 4}));
    EXPECT_EQ(skin::ledGlyphs(3599, false, 0), (Glyphs{5, 9, C, 5, 9}));
    EXPECT_EQ(skin::ledGlyphs(3600, false, 0), (Glyphs{6, 0, C, 0, 0}));
    EXPECT_EQ(skin::ledGlyphs(3725, false, 0), (Glyphs{6, 2, C, 0, 5}));
    EXPECT_EQ(skin::ledGlyphs(-7, false, 0), (Glyphs{0, 0, C, 0, 0}));
}

TEST(LedGlyphs, FromOneHundredMinutesTheDisplayHoldsAt9959) {
    EXPECT_EQ(skin::ledGlyphs(5999, false, 0), (Glyphs{9, 9, C, 5, 9}));
    EXPECT_EQ(skin::ledGlyphs(6000, false, 0), (Glyphs{9, 9, C, 5, 9}));
    EXPECT_EQ(skin::ledGlyphs(7325, false, 0), (Glyphs{9, 9, C, 5, 9}));
    for (int seconds : {6000, 7200, 100000, 2147483647})
        for (int glyph : skin::ledGlyphs(seconds, false, 0))
            EXPECT_LT(glyph, skin::kStripGlyphs);
}

TEST(LedGlyphs, MinusModeShowsTheTimeRemaining) {
    EXPECT_EQ(skin::ledGlyphs(10, true, 130), (Glyphs{M, 0, 2, C, 0, 0}));
    EXPECT_EQ(skin::ledGlyphs(130, true, 130), (Glyphs{M, 0, 0, C, 0, 0}));
    EXPECT_EQ(skin::ledGlyphs(140, true, 130), (Glyphs{M, 0, 0, C, 0, 0}));
}

// A window with one picture button where the time shows, and the real LED strip.
class LedTimeDisplayTest : public ::testing::Test {
  protected:
    struct Messages : tk::MessageBoxService {
        QStringList titles;
        void show(const QString&, int, const QString& title, QWidget*) override { titles << title; }
    };

    void SetUp() override {
        tk::WindowSpec spec;
        tk::UnitSpec button;
        button.kind = tk::Kind::PictureButton;
        button.name = "时间";
        button.left = 240;
        button.top = 32;
        button.width = 65;
        button.height = 20;
        button.visible = true;
        spec.units << button;
        window = std::make_unique<tk::Window>(spec);
        strip = QImage::fromData(tk::skinPicture("led/digits.bmp"))
                    .convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(strip.size(), QSize(156, 20));
    }
    tk::Unit& unit() { return *window->unit("时间"); }
    tk::PictureButton& button() { return *qobject_cast<tk::PictureButton*>(unit().widget()); }
    // What the button shows on screen.
    QImage shown() { return button().grab().toImage().convertToFormat(QImage::Format_RGB32); }
    // True when cell `cell` of what the button shows is glyph `glyph` of the strip.
    bool cellIs(int cell, int glyph) {
        return shown().copy(cell * 13, 0, 13, 20) == strip.copy(glyph * 13, 0, 13, 20);
    }

    skin::SkinContext context;
    Messages messages;
    std::unique_ptr<tk::Window> window;
    QImage strip;
};

TEST_F(LedTimeDisplayTest, DrawsTheGlyphsOfTheStrip) {
    skin::LedTimeDisplay display(context, messages);
    ASSERT_TRUE(display.loadStrip(tk::skinPicture("led/digits.bmp")));
    EXPECT_EQ(display.glyphWidth(), 13);
    const QByteArray designPicture = unit().picture(1);
    display.ShowTime(unit(), 754);
    EXPECT_TRUE(button().isCanvasShown());
    EXPECT_EQ(unit().picture(1), designPicture); // drawn in the canvas, no picture encoded
    EXPECT_TRUE(cellIs(0, 1) && cellIs(1, 2) && cellIs(2, C) && cellIs(3, 3) && cellIs(4, 4));
    EXPECT_EQ(QRect(unit().left(), unit().top(), unit().width(), unit().height()),
              QRect(240, 32, 65, 20));
    int tens = -1, ones = -1;
    EXPECT_EQ(display.MinutesDigits(tens, ones), 12);
    EXPECT_EQ(display.SecondsDigits(tens, ones), 34);
    EXPECT_EQ(tens * 10 + ones, 34);
    display.ShowTime(unit(), 6000);
    EXPECT_TRUE(cellIs(0, 9) && cellIs(1, 9) && cellIs(3, 5) && cellIs(4, 9));
    EXPECT_TRUE(messages.titles.isEmpty());
}

TEST_F(LedTimeDisplayTest, MinusModeIsOneGlyphWiderAndCountsDown) {
    skin::LedTimeDisplay display(context, messages);
    ASSERT_TRUE(display.loadStrip(tk::skinPicture("led/digits.bmp")));
    display.SetTrackSeconds(180);
    display.ToggleMinus();
    display.ShowTime(unit(), 45);
    EXPECT_EQ(unit().left(), 227);
    EXPECT_EQ(unit().width(), 78);
    EXPECT_EQ(unit().top(), 32);
    EXPECT_TRUE(cellIs(0, M) && cellIs(1, 0) && cellIs(2, 2) && cellIs(3, C) && cellIs(4, 1) &&
                cellIs(5, 5)); // -02:15
    EXPECT_EQ(display.ShownSeconds(), 45);
    display.ToggleMinus();
    display.ShowTime(unit(), 45);
    EXPECT_EQ(unit().left(), 240);
    EXPECT_EQ(unit().width(), 65);
    EXPECT_TRUE(cellIs(0, 0) && cellIs(3, 4) && cellIs(4, 5));
}

TEST_F(LedTimeDisplayTest, ABrokenStripIsReportedOnceAndNothingIsDrawn) {
    skin::LedTimeDisplay display(context, messages);
    // A strip whose header lost its pixel format: no image reader takes it.
    QByteArray broken = tk::skinPicture("led/digits.bmp");
    broken.replace(0, 30, QByteArray(30, '\x7f'));
    EXPECT_FALSE(display.loadStrip(broken));
    EXPECT_EQ(messages.titles, QStringList{QString::fromUtf8("载入LED错误")});
    const QImage before = shown();
    display.ShowTime(unit(), 75);
    display.ShowTime(unit(), 76);
    EXPECT_FALSE(button().isCanvasShown());
    EXPECT_EQ(shown(), before);
    EXPECT_EQ(display.ShownSeconds(), 76);
    EXPECT_EQ(messages.titles.size(), 1);
}

TEST_F(LedTimeDisplayTest, AStripTooNarrowForTwelveGlyphsSwitchesDrawingOff) {
    // An 11-pixel strip decodes, but its glyphs are 0 pixels wide: no picture can be made.
    QImage narrow(11, 20, QImage::Format_RGB32);
    narrow.fill(Qt::white);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(narrow.save(&buffer, "BMP"));
    skin::LedTimeDisplay display(context, messages);
    ASSERT_TRUE(display.loadStrip(bytes));
    const QImage before = shown();
    display.ShowTime(unit(), 5);
    display.ShowTime(unit(), 6);
    EXPECT_EQ(messages.titles, QStringList{QString::fromUtf8("创建临时位图出错")});
    EXPECT_FALSE(display.stripLoaded());
    EXPECT_FALSE(button().isCanvasShown());
    EXPECT_EQ(shown(), before);
    EXPECT_EQ(display.ShownSeconds(), 6);
}

} // namespace
