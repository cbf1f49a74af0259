#include "SliderGeometry.h"
#include "SliderSet.h"

#include <QCursor>
#include <QGuiApplication>
#include <QLineEdit>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

TEST(SliderGeometry, ValuesAndPixelsConvertBothWays) {
    // A 120-pixel track at x 10 with a 12-pixel thumb: 108 pixels of travel.
    EXPECT_EQ(ui::thumbLeftForValue(10, 120, 12, 0, 100, 0), 10);
    EXPECT_EQ(ui::thumbLeftForValue(10, 120, 12, 0, 100, 50), 64);
    EXPECT_EQ(ui::thumbLeftForValue(10, 120, 12, 0, 100, 100), 118);
    EXPECT_EQ(ui::valueForThumbOffset(0, 120, 12, 0, 100), 0);
    EXPECT_EQ(ui::valueForThumbOffset(54, 120, 12, 0, 100), 50);
    EXPECT_EQ(ui::valueForThumbOffset(108, 120, 12, 0, 100), 100);
    EXPECT_EQ(ui::valueForThumbOffset(53, 120, 12, 0, 100), 49); // truncated
    EXPECT_EQ(ui::valueForThumbOffset(54, 120, 12, 20, 60), 40);
}

TEST(SliderGeometry, DegenerateSlidersDoNotDivideByZero) {
    EXPECT_EQ(ui::thumbLeftForValue(10, 120, 12, 5, 5, 5), 10);   // equal bounds
    EXPECT_EQ(ui::thumbLeftForValue(10, 12, 12, 0, 100, 70), 10); // track no wider than thumb
    EXPECT_EQ(ui::valueForThumbOffset(30, 120, 12, 5, 5), 5);
    EXPECT_EQ(ui::valueForThumbOffset(3, 10, 12, 0, 100), 0);
    EXPECT_EQ(ui::draggedThumbLeft(50, 10, 8, 12), 10);
}

TEST(SliderGeometry, AlignmentModesPlaceTheThumbAgainstTheTrack) {
    // Track top 150, 12 high; thumb 11 high.
    EXPECT_EQ(ui::thumbTopForAlignment(-2, 150, 12, 11, 7), 139);
    EXPECT_EQ(ui::thumbTopForAlignment(-1, 150, 12, 11, 7), 150);
    EXPECT_EQ(ui::thumbTopForAlignment(0, 150, 12, 11, 7), 150);
    EXPECT_EQ(ui::thumbTopForAlignment(0, 150, 20, 11, 7), 154);
    EXPECT_EQ(ui::thumbTopForAlignment(1, 150, 12, 11, 7), 151);
    EXPECT_EQ(ui::thumbTopForAlignment(2, 150, 12, 11, 7), 162);
    EXPECT_EQ(ui::thumbTopForAlignment(3, 150, 12, 11, 7), 7);
}

TEST(SliderGeometry, DraggedThumbIsCentredUnderTheMouseWithinTheTrack) {
    EXPECT_EQ(ui::draggedThumbLeft(60, 10, 120, 12), 64);
    EXPECT_EQ(ui::draggedThumbLeft(-40, 10, 120, 12), 10);
    EXPECT_EQ(ui::draggedThumbLeft(500, 10, 120, 12), 118);
    EXPECT_EQ(ui::draggedThumbLeft(60, 10, 120, 11), 64); // 60 - 5.5 + 10 = 64.5
}

// A parent with a 120 x 12 track at (10, 150), a 12 x 11 thumb and a value box.
class SliderSetTest : public ::testing::Test {
  protected:
    void SetUp() override {
        parent.resize(320, 200);
        track = new QWidget(&parent);
        track->setGeometry(10, 150, 120, 12);
        thumb = new QWidget(&parent);
        thumb->setGeometry(36, 110, 12, 11);
        box = new QLineEdit(&parent);
        parent.show();
    }
    // Drives a drag with a mouse the test holds: the left button and the cursor position.
    void holdMouse(bool held, int x) {
        held_ = held;
        cursorX_ = x;
        sliders.setMouseSource([this] { return held_ ? Qt::LeftButton : Qt::NoButton; },
                               [this] { return track->mapToGlobal(QPoint(cursorX_, 5)); });
    }

    QWidget parent;
    QWidget* track = nullptr;
    QWidget* thumb = nullptr;
    QLineEdit* box = nullptr;
    ui::SliderSet sliders;
    bool held_ = false;
    int cursorX_ = 0;
};

TEST_F(SliderSetTest, CreatingPlacesTheThumbAndWritesTheValue) {
    sliders.createSlider(thumb, track, box, 0, {}, 50, 0);
    EXPECT_EQ(sliders.getSliderValue(thumb), 50);
    EXPECT_EQ(sliders.slider(1)->maximum, 100); // maximum omitted
    EXPECT_EQ(thumb->pos(), QPoint(64, 150));
    EXPECT_EQ(thumb->size(), QSize(12, 11));
    EXPECT_EQ(box->text(), "50");
}

TEST_F(SliderSetTest, ReversedBoundsAreSwappedAndTheValueClamped) {
    sliders.createSlider(thumb, track, box, 60, 20, 75);
    EXPECT_EQ(sliders.slider(1)->minimum, 20);
    EXPECT_EQ(sliders.slider(1)->maximum, 60);
    EXPECT_EQ(sliders.getSliderValue(thumb), 60);
    EXPECT_EQ(thumb->x(), 118);
}

TEST_F(SliderSetTest, ACreateOnTheSameThumbReconfiguresIt) {
    sliders.createSlider(thumb, track, box, 0, 100, 10, 0);
    QLineEdit other;
    sliders.createSlider(thumb, track, &other, 0, 10, 5, -1);
    EXPECT_EQ(sliders.sliderCount(), 1);
    EXPECT_EQ(sliders.trackCount(), 1);
    EXPECT_EQ(sliders.getSliderValue(thumb), 5);
    EXPECT_EQ(thumb->pos(), QPoint(64, 150));
    EXPECT_EQ(box->text(), "5"); // the first value box stays
    EXPECT_TRUE(other.text().isEmpty());
}

TEST_F(SliderSetTest, SetValueClampsAndSaysSo) {
    sliders.createSlider(thumb, track, box, 0, 100, 40);
    EXPECT_EQ(sliders.setSliderValue(thumb, -5), 0);
    EXPECT_EQ(sliders.getSliderValue(thumb), 0);
    EXPECT_EQ(thumb->x(), 10);
    EXPECT_EQ(box->text(), "0");
    EXPECT_EQ(sliders.setSliderValue(thumb, 100), 1);
    EXPECT_EQ(thumb->x(), 118);
    QWidget stranger;
    EXPECT_EQ(sliders.setSliderValue(&stranger, 5), 0);
    EXPECT_EQ(sliders.getSliderValue(&stranger), -1);
}

TEST_F(SliderSetTest, ASliderWithoutValueBoxWritesNone) {
    box->setText("untouched");
    sliders.createSlider(thumb, track, nullptr, 0, 100, 30);
    sliders.setSliderValue(thumb, 70);
    EXPECT_EQ(box->text(), "untouched");
}

TEST_F(SliderSetTest, SlidersSharingAParentFollowItsResize) {
    QWidget* thumb2 = new QWidget(&parent);
    thumb2->setGeometry(0, 0, 12, 11);
    QWidget* track2 = new QWidget(&parent);
    track2->setGeometry(200, 20, 65, 12);
    sliders.createSlider(thumb, track, box, 0, 100, 25);
    sliders.createSlider(thumb2, track2, nullptr, 0, 100, 100);
    EXPECT_EQ(sliders.parentMembers(&parent), "1,2,");
    thumb->move(0, 0);
    thumb2->move(0, 0);
    parent.resize(330, 210);
    QCoreApplication::processEvents();
    EXPECT_EQ(thumb->pos(), QPoint(37, 150));
    EXPECT_EQ(thumb2->pos(), QPoint(253, 20));
}

TEST_F(SliderSetTest, DraggingPastEitherEndGivesTheBounds) {
    sliders.createSlider(thumb, track, box, 0, 100, 50);
    holdMouse(true, 1000);
    QTest::mousePress(thumb, Qt::LeftButton);
    EXPECT_TRUE(sliders.slider(1)->dragging);
    QTest::qWait(40);
    EXPECT_EQ(sliders.getSliderValue(thumb), 100);
    EXPECT_EQ(thumb->x(), 118);
    EXPECT_EQ(box->text(), "100");
    holdMouse(true, -300);
    QTest::qWait(40);
    EXPECT_EQ(sliders.getSliderValue(thumb), 0);
    EXPECT_EQ(thumb->x(), 10);
    // Released somewhere the thumb did not see: its next event ends the drag.
    holdMouse(false, 60);
    QTest::mouseMove(thumb, {1, 1});
    QTest::qWait(40);
    EXPECT_FALSE(sliders.slider(1)->dragging);
    EXPECT_EQ(sliders.getSliderValue(thumb), 0);
}

TEST_F(SliderSetTest, AReleaseOnTheTrackJumpsTheThumbThere) {
    sliders.createSlider(thumb, track, box, 0, 100, 50);
    QTest::mouseRelease(track, Qt::LeftButton, {}, {0, 5});
    EXPECT_EQ(sliders.getSliderValue(thumb), 0);
    QTest::mouseRelease(track, Qt::LeftButton, {}, {119, 5});
    EXPECT_EQ(sliders.getSliderValue(thumb), 100);
    QTest::mouseRelease(track, Qt::LeftButton, {}, {60, 5});
    EXPECT_EQ(sliders.getSliderValue(thumb), 50);
}

// Where the pointer can be moved (X11), a drag keeps it over the thumb and the track.
TEST_F(SliderSetTest, OnX11ADragKeepsTheMouseOverThumbAndTrack) {
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "the pointer can only be kept in place on X11";
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&parent));
    sliders.createSlider(thumb, track, box, 0, 100, 50);
    QTest::mousePress(thumb, Qt::LeftButton);
    QCursor::setPos(parent.mapToGlobal(QPoint(300, 20)));
    QTest::qWait(60);
    const QRect area = QRect(track->mapToGlobal(QPoint(0, 0)), track->size())
                           .united(QRect(thumb->mapToGlobal(QPoint(0, 0)), thumb->size()));
    EXPECT_TRUE(area.contains(QCursor::pos())) << QCursor::pos().x() << "," << QCursor::pos().y();
    EXPECT_EQ(sliders.getSliderValue(thumb), 100);
    QTest::mouseRelease(thumb, Qt::LeftButton);
}

} // namespace
