#include "PictureButton.h"
#include "TestPictures.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using tk::PictureButton;

class PictureButtonTest : public ::testing::Test {
  protected:
    void SetUp() override {
        button.setGeometry(0, 0, 30, 20);
        // Pictures smaller than the button: the rest must be black.
        button.setPicture(1, solidPicture(20, 20, Qt::red));
        button.setPicture(2, solidPicture(20, 20, Qt::green));
        button.setPicture(3, solidPicture(20, 20, Qt::blue, "JPG"));
        button.show();
    }
    QColor shown(int x = 5, int y = 5) { return button.grab().toImage().pixelColor(x, y); }

    PictureButton button;
};

TEST_F(PictureButtonTest, ShowsThePictureOfItsState) {
    EXPECT_EQ(shown(), QColor(Qt::red));
    EXPECT_EQ(shown(25, 5), QColor(Qt::black));

    QTest::mouseMove(&button, {5, 5});
    EXPECT_EQ(button.state(), PictureButton::State::Hover);
    EXPECT_EQ(shown(), QColor(Qt::green));

    QTest::mousePress(&button, Qt::LeftButton, {}, {5, 5});
    EXPECT_EQ(button.state(), PictureButton::State::Pressed);
    EXPECT_EQ(button.shownPicture(), 3);
    EXPECT_NEAR(shown().blue(), 255, 8); // JPEG: nearly pure blue

    QSignalSpy clicks(&button, &PictureButton::clicked);
    QTest::mouseRelease(&button, Qt::LeftButton, {}, {5, 5});
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(button.state(), PictureButton::State::Normal);
    EXPECT_EQ(shown(), QColor(Qt::red));
}

TEST_F(PictureButtonTest, ReleaseOutsideIsNoClick) {
    QSignalSpy clicks(&button, &PictureButton::clicked);
    QTest::mousePress(&button, Qt::LeftButton, {}, {5, 5});
    QTest::mouseRelease(&button, Qt::LeftButton, {}, {50, 50});
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_EQ(button.state(), PictureButton::State::Normal);
}

TEST_F(PictureButtonTest, MissingPicturesFallBackToTheNormalOne) {
    button.setPicture(2, {});
    QTest::mouseMove(&button, {5, 5});
    EXPECT_EQ(button.state(), PictureButton::State::Hover);
    EXPECT_EQ(shown(), QColor(Qt::red));
}

TEST_F(PictureButtonTest, DisabledShowsPictureFourWhenThereIsOne) {
    button.setEnabled(false);
    EXPECT_EQ(shown(), QColor(Qt::red)); // no picture 4 yet
    button.setPicture(4, solidPicture(20, 20, Qt::gray));
    EXPECT_EQ(shown(), QColor(Qt::gray));
    QSignalSpy clicks(&button, &PictureButton::clicked);
    QTest::mouseClick(&button, Qt::LeftButton, {}, {5, 5});
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_EQ(button.state(), PictureButton::State::Normal);
}

TEST_F(PictureButtonTest, ToggleFlipsOnEachClickAndIgnoresHover) {
    button.setToggle(true);
    QTest::mouseMove(&button, {5, 5});
    EXPECT_EQ(button.state(), PictureButton::State::Normal);
    QTest::mouseClick(&button, Qt::LeftButton, {}, {5, 5});
    EXPECT_TRUE(button.isChecked());
    EXPECT_EQ(button.state(), PictureButton::State::Pressed);
    QTest::mouseClick(&button, Qt::LeftButton, {}, {5, 5});
    EXPECT_FALSE(button.isChecked());
    EXPECT_EQ(shown(), QColor(Qt::red));
}

TEST_F(PictureButtonTest, ChangingThePictureShowsAtOnce) {
    // The mute button's latched look: picture 3 copied into picture 1.
    button.setPicture(1, button.picture(3));
    EXPECT_NEAR(shown().blue(), 255, 8);
}

} // namespace
