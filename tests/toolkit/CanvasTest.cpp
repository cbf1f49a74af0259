#include "PictureBox.h"
#include "PictureButton.h"
#include "TestPictures.h"
#include "WidgetGrab.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// A red window holding a 40 × 30 box whose green picture covers only its left 20 × 10.
class PictureBoxCanvasTest : public ::testing::Test {
  protected:
    void SetUp() override {
        window.resize(100, 80);
        window.setAutoFillBackground(true);
        window.setPalette(QPalette(Qt::red));
        box->setGeometry(10, 20, 40, 30);
        box->setPicture(solidPicture(20, 10, Qt::green));
    }
    QColor onScreen(int x, int y) { return tk::grabShown(*box).pixelColor(x, y); }

    QWidget window;
    tk::PictureBox* box = new tk::PictureBox(&window);
};

TEST_F(PictureBoxCanvasTest, StartsAsWhatTheBoxShowsAndShowsWhatIsDrawn) {
    QImage& canvas = box->canvas();
    ASSERT_EQ(canvas.size(), QSize(40, 30));
    EXPECT_EQ(canvas.pixelColor(5, 5), QColor(Qt::green));
    EXPECT_EQ(canvas.pixelColor(30, 20), QColor(Qt::red)); // the window beneath the box
    canvas.fill(Qt::blue);
    box->showCanvas();
    EXPECT_TRUE(box->testAttribute(Qt::WA_OpaquePaintEvent)); // nothing is painted beneath it
    EXPECT_EQ(onScreen(30, 20), QColor(Qt::blue));
    EXPECT_EQ(box->canvas().pixelColor(5, 5), QColor(Qt::blue)); // the last frame is kept

    box->clearCanvas(); // erased to its picture
    EXPECT_FALSE(box->isCanvasShown());
    EXPECT_FALSE(box->testAttribute(Qt::WA_OpaquePaintEvent));
    EXPECT_EQ(onScreen(5, 5), QColor(Qt::green));
    EXPECT_EQ(box->canvas().pixelColor(5, 5), QColor(Qt::green)); // starts afresh

    window.show(); // a hidden widget hears of its new size only when shown
    box->showCanvas();
    box->resize(60, 30);
    EXPECT_FALSE(box->testAttribute(Qt::WA_OpaquePaintEvent)); // no longer covered
    EXPECT_EQ(box->canvas().size(), QSize(60, 30));
    box->showCanvas();
    box->setPicture(solidPicture(20, 10, Qt::yellow)); // a new picture ends the canvas
    EXPECT_EQ(onScreen(5, 5), QColor(Qt::yellow));
}

TEST_F(PictureBoxCanvasTest, ShowingIsOneScheduledPaint) {
    struct PaintCounter : QObject {
        int paints = 0;
        bool eventFilter(QObject*, QEvent* event) override {
            paints += event->type() == QEvent::Paint;
            return false;
        }
    } counter;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QApplication::processEvents();
    box->canvas().fill(Qt::blue);
    box->installEventFilter(&counter);
    box->showCanvas();
    EXPECT_EQ(counter.paints, 0); // nothing is painted inside the call
    QApplication::processEvents();
    EXPECT_EQ(counter.paints, 1);
}

TEST_F(PictureBoxCanvasTest, UnderneathLeavesTheBoxOutAndItsVisibilityAlone) {
    EXPECT_EQ(tk::grabUnderneath(*box).pixelColor(5, 5), QColor(Qt::red));
    EXPECT_FALSE(box->isHidden());
    box->hide();
    tk::grabUnderneath(*box);
    EXPECT_TRUE(box->isHidden());
    box->show();
    box->move(70, 60); // half outside the window: that half is black, the rest in place
    EXPECT_EQ(onScreen(5, 5), QColor(Qt::green));
    EXPECT_EQ(onScreen(35, 25), QColor(Qt::black));
}

TEST(PictureButtonCanvas, StandsInForTheNormalPicture) {
    tk::PictureButton button;
    button.setGeometry(0, 0, 30, 20);
    button.setPicture(1, solidPicture(20, 20, Qt::red));
    button.setPicture(2, solidPicture(20, 20, Qt::green));
    button.show();
    button.canvas({25, 20}).fill(Qt::blue);
    button.showCanvas();
    const auto shown = [&](int x) { return button.grab().toImage().pixelColor(x, 5); };
    EXPECT_EQ(shown(5), QColor(Qt::blue));
    EXPECT_EQ(shown(27), QColor(Qt::black)); // beyond the canvas, as beyond a picture
    QTest::mouseMove(&button, {5, 5});
    EXPECT_EQ(shown(5), QColor(Qt::green)); // hover keeps its own picture
    button.setPicture(1, solidPicture(20, 20, Qt::yellow));
    EXPECT_FALSE(button.isCanvasShown());
    EXPECT_TRUE(button.canvas({0, 20}).isNull());
    EXPECT_FALSE(button.canvasError().isEmpty());
}

} // namespace
