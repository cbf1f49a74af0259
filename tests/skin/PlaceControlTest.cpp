#include "SkinElement.h"
#include "SkinTestWindow.h"

#include <QRect>
#include <QWidget>
#include <gtest/gtest.h>

using skin::SkinContext;
using skin::SkinElement;
using skintest::bandedImage;
using skintest::makeWindow;
using tk::Kind;

namespace {

QRect geometry(const tk::Unit& unit) {
    return {unit.left(), unit.top(), unit.width(), unit.height()};
}

class PlaceControlTest : public ::testing::Test {
  protected:
    // A visible picture button with a 24 × 12 picture and the given tag.
    tk::Unit& button(const QString& tag, bool visible = true) {
        window = makeWindow({{Kind::PictureButton, QStringLiteral("button"), tag, visible}});
        tk::Unit& unit = *window->unit(QStringLiteral("button"));
        unit.setPicture(1, bandedImage(24, 12, {Qt::red}));
        return unit;
    }

    SkinContext context;
    SkinElement element{context};
    std::unique_ptr<tk::Window> window;
};

} // namespace

TEST_F(PlaceControlTest, SizeIsTwoPixelsSmallerThanParsePositionGives) {
    tk::Unit& unit = button(QStringLiteral("position=\"32, 10, 190, 30\""));
    element.PlaceControl(unit);
    EXPECT_EQ(geometry(unit), QRect(32, 10, 156, 18));
    EXPECT_TRUE(unit.isVisible());
}

TEST_F(PlaceControlTest, SizeFromPictureTakesThePicturesSize) {
    tk::Unit& unit = button(QStringLiteral("position=\"255, 0, 249, 20\""));
    element.PlaceControl(unit, true);
    EXPECT_EQ(geometry(unit), QRect(255, 0, 24, 12));
}

TEST_F(PlaceControlTest, PlacingLeavesVisibilityAlone) {
    tk::Unit& unit = button(QStringLiteral("position=\"32, 10, 190, 30\""), false);
    element.PlaceControl(unit, true);
    EXPECT_FALSE(unit.isVisible());
    EXPECT_EQ(geometry(unit), QRect(32, 10, 24, 12));
}

TEST_F(PlaceControlTest, NegativeSizeReachesTheMoveAsAnEmptyUnit) {
    // Right 249 lies left of left 255; the toolkit shows a negative size as empty.
    tk::Unit& unit = button(QStringLiteral("position=\"255, 0, 249, 20\""));
    element.PlaceControl(unit);
    EXPECT_EQ(geometry(unit), QRect(255, 0, 0, 18));
}

TEST_F(PlaceControlTest, HidesTheUnitItCannotPlace) {
    const char* tags[] = {
        "position=\"32, 10, 190\"", // three numbers
        "left=\"32, 10, 190, 30\"", // no position at all
        "",                         // empty tag
    };
    for (const char* tag : tags) {
        tk::Unit& unit = button(QString::fromUtf8(tag));
        element.PlaceControl(unit, true);
        EXPECT_FALSE(unit.isVisible()) << tag;
        EXPECT_EQ(geometry(unit), QRect(5, 6, 40, 30)) << tag;
    }
}

TEST_F(PlaceControlTest, HidesAUnitWithoutAPicture) {
    tk::Unit& unit = button(QStringLiteral("position=\"32, 10, 190, 30\""));
    unit.setPicture(1, {});
    element.PlaceControl(unit);
    EXPECT_FALSE(unit.isVisible());
}

TEST_F(PlaceControlTest, PlaceControlBoxHidesOnAnEmptyTagAndPlacesAllTheSame) {
    tk::Unit& unit = button(QString());
    element.PlaceControlBox(unit);
    EXPECT_FALSE(unit.isVisible());
    EXPECT_EQ(geometry(unit), QRect(0, 0, 0, 0));
}

TEST_F(PlaceControlTest, PlaceControlBoxUsesTheParsedSizeOrThePicturesSize) {
    tk::Unit& unit = button(QStringLiteral("position=\"32, 10, 190, 30\""));
    element.PlaceControlBox(unit);
    EXPECT_EQ(geometry(unit), QRect(32, 10, 158, 20));
    element.PlaceControlBox(unit, true);
    EXPECT_EQ(geometry(unit), QRect(32, 10, 24, 12));
    EXPECT_TRUE(unit.isVisible());
}

namespace {

// Reads every position as a fixed rectangle, to show which operations parse through the
// virtual slot.
class FixedPositionElement : public SkinElement {
  public:
    using SkinElement::SkinElement;
    void ParsePosition(const QString&, int& left, int& top, int& width,
                       int& height) const override {
        left = 7;
        top = 8;
        width = 9;
        height = 10;
    }
};

} // namespace

TEST_F(PlaceControlTest, PlaceControlBoxAndStyleLabelParseThroughTheVirtualSlot) {
    FixedPositionElement fixed(context);
    SkinElement& base = fixed;
    tk::Unit& unit = button(QStringLiteral("position=\"32, 10, 190, 30\""));
    base.PlaceControlBox(unit);
    EXPECT_EQ(geometry(unit), QRect(7, 8, 9, 10));

    window = makeWindow({{Kind::TransparentLabel, QStringLiteral("label"),
                          QStringLiteral("position=\"32, 10, 190, 30\"")}});
    tk::Unit& label = *window->unit(QStringLiteral("label"));
    base.StyleLabel(label);
    EXPECT_EQ(geometry(label), QRect(7, 8, 9, 10));
}

TEST_F(PlaceControlTest, ExtremeNumbersSaturateInsteadOfOverflowing) {
    tk::Unit& unit =
        button(QStringLiteral("position=\"2147483647, -2147483648, -2147483648, 2147483647\""));
    element.PlaceControl(unit);
    // right − left − 2 is far below the int range: an empty width; the height saturates
    // and the toolkit keeps it within what a widget can be.
    EXPECT_EQ(unit.width(), 0);
    EXPECT_GT(unit.height(), 0);
}

TEST_F(PlaceControlTest, ExtremeCoordinatesStayWithinWhatAWidgetCanHold) {
    // Found by fuzzing: a top far below the int range with an empty picture's height made
    // the geometry arithmetic overflow.
    tk::Unit& unit = button(QStringLiteral("position=\"-66, -9999999996,9999999989,right-6\""));
    unit.setPicture(1, {});
    element.PlaceControlBox(unit, true);
    EXPECT_EQ(geometry(unit), QRect(-66, -QWIDGETSIZE_MAX, 0, 0));
    element.PlaceControlBox(unit);
    EXPECT_EQ(geometry(unit).top(), -QWIDGETSIZE_MAX);
    EXPECT_EQ(unit.height(), QWIDGETSIZE_MAX);
}
