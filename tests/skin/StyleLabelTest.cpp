#include "SkinElement.h"
#include "SkinTestWindow.h"
#include "TransparentLabel.h"

#include <QFont>
#include <gtest/gtest.h>

using skin::SkinContext;
using skin::SkinElement;
using skintest::makeWindow;
using tk::Kind;

namespace {

class StyleLabelTest : public ::testing::Test {
  protected:
    tk::Unit& label(const QString& tag) {
        window = makeWindow({{Kind::TransparentLabel, QStringLiteral("label"), tag}});
        tk::Unit& unit = *window->unit(QStringLiteral("label"));
        unit.setText(QStringLiteral("状态:播放"));
        return unit;
    }
    tk::TransparentLabel& widget(tk::Unit& unit) {
        return *qobject_cast<tk::TransparentLabel*>(unit.widget());
    }
    int alignmentFor(const char* value) {
        tk::Unit& unit = label(
            QStringLiteral("position=\"1, 2, 3, 4\" align=\"%1\"").arg(QString::fromUtf8(value)));
        element.StyleLabel(unit);
        return widget(unit).alignment();
    }

    SkinContext context;
    SkinElement element{context};
    std::unique_ptr<tk::Window> window;
};

} // namespace

TEST_F(StyleLabelTest, AppliesPositionColourFontSizeAndAlignment) {
    tk::Unit& unit = label(QStringLiteral("position=\"32, 10, 190, 30\" color=\"#0080ff\" "
                                          "font=\"WenQuanYi Micro Hei\" font_size=\"12\" "
                                          "align=\"right\""));
    element.StyleLabel(unit);
    EXPECT_EQ(QRect(unit.left(), unit.top(), unit.width(), unit.height()), QRect(32, 10, 158, 20));
    EXPECT_EQ(widget(unit).textColour(), QColor(255, 128, 0));
    EXPECT_EQ(unit.widget()->font().family(), QStringLiteral("WenQuanYi Micro Hei"));
    EXPECT_EQ(unit.widget()->font().pointSize(), 12);
    EXPECT_EQ(widget(unit).alignment(), 2);
    EXPECT_EQ(unit.text(), QStringLiteral("状态:播放"));
    EXPECT_TRUE(unit.isVisible());
}

TEST_F(StyleLabelTest, AbsentKeysLeaveTheLabelAsDesigned) {
    tk::Unit& unit = label(QStringLiteral("position=\"32, 10, 190, 30\""));
    const QColor colour = widget(unit).textColour();
    const QFont font = unit.widget()->font();
    const int alignment = widget(unit).alignment();
    element.StyleLabel(unit);
    EXPECT_EQ(widget(unit).textColour(), colour);
    EXPECT_EQ(unit.widget()->font(), font);
    EXPECT_EQ(widget(unit).alignment(), alignment);
}

TEST_F(StyleLabelTest, AlignIsCaseSensitiveAndCentresAnythingElse) {
    EXPECT_EQ(alignmentFor("left"), 0);
    EXPECT_EQ(alignmentFor("right"), 2);
    EXPECT_EQ(alignmentFor("center"), 1);
    EXPECT_EQ(alignmentFor("Right"), 1);
    EXPECT_EQ(alignmentFor(""), 1);
}

TEST_F(StyleLabelTest, ColourDropsTheFirstCharacterWhateverItIs) {
    tk::Unit& unit = label(QStringLiteral("position=\"1, 2, 3, 4\" color=\"0000ff\""));
    element.StyleLabel(unit);
    // "000ff" is 0xFF: red.
    EXPECT_EQ(widget(unit).textColour(), QColor(255, 0, 0));
}

TEST_F(StyleLabelTest, ClearCaptionGivenAtAllEmptiesTheCaption) {
    tk::Unit& unit = label(QStringLiteral("position=\"1, 2, 3, 4\""));
    element.StyleLabel(unit, false);
    EXPECT_EQ(unit.text(), QString());
    tk::Unit& kept = label(QStringLiteral("position=\"1, 2, 3, 4\""));
    element.StyleLabel(kept);
    EXPECT_EQ(kept.text(), QStringLiteral("状态:播放"));
}

TEST_F(StyleLabelTest, EmptyTagHidesTheLabelAndChangesNothingElse) {
    tk::Unit& unit = label(QString());
    element.StyleLabel(unit, true);
    EXPECT_FALSE(unit.isVisible());
    EXPECT_EQ(unit.text(), QStringLiteral("状态:播放"));
    EXPECT_EQ(QRect(unit.left(), unit.top(), unit.width(), unit.height()), QRect(5, 6, 40, 30));
}

TEST_F(StyleLabelTest, TagWithoutFourNumbersPlacesTheLabelAtTheOriginWithNoSize) {
    tk::Unit& unit = label(QStringLiteral("position=\"1, 2, 3\" align=\"left\""));
    element.StyleLabel(unit);
    EXPECT_EQ(QRect(unit.left(), unit.top(), unit.width(), unit.height()), QRect(0, 0, 0, 0));
    EXPECT_EQ(widget(unit).alignment(), 0);
}
