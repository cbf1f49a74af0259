#include "PictureBox.h"
#include "PictureButton.h"
#include "TestPictures.h"
#include "WidgetGrab.h"

#include <QApplication>
#include <QPainter>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Counts the paints a widget receives.
struct PaintCounter : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

// A red window holding a 40 × 30 box whose green picture covers only its left 20 × 10.
class PictureBoxCanvasTest : public ::testing::Test {
  protected:
    void SetUp() override {
        window.resize(100, 80);
        window.setAutoFillBackground(true);
        QPalette palette;
        palette.setColor(QPalette::Window, Qt::red);
        window.setPalette(palette);
        box = new tk::PictureBox(&window);
        box->setGeometry(10, 20, 40, 30);
        box->setPicture(solidPicture(20, 10, Qt::green));
    }
    QColor onScreen(int x, int y) { return tk::grabShown(*box).pixelColor(x, y); }

    QWidget window;
    tk::PictureBox* box = nullptr;
};

TEST_F(PictureBoxCanvasTest, StartsAsWhatTheBoxShowsAndShowsWhatIsDrawn) {
    QImage& canvas = box->canvas();
    ASSERT_EQ(canvas.size(), QSize(40, 30));
    EXPECT_EQ(canvas.pixelColor(5, 5), QColor(Qt::green));
    EXPECT_EQ(canvas.pixelColor(30, 20), QColor(Qt::red)); // the window beneath the box
    EXPECT_FALSE(box->isCanvasShown());

    canvas.fill(Qt::blue);
    box->showCanvas();
    EXPECT_TRUE(box->isCanvasShown());
    EXPECT_TRUE(box->testAttribute(Qt::WA_OpaquePaintEvent));
    EXPECT_EQ(onScreen(5, 5), QColor(Qt::blue));
    EXPECT_EQ(onScreen(30, 20), QColor(Qt::blue));
    EXPECT_EQ(box->canvas().pixelColor(5, 5), QColor(Qt::blue)); // the last frame is kept

    box->clearCanvas(); // erased to its picture
    EXPECT_FALSE(box->isCanvasShown());
    EXPECT_FALSE(box->testAttribute(Qt::WA_OpaquePaintEvent));
    EXPECT_EQ(onScreen(5, 5), QColor(Qt::green));
    EXPECT_EQ(onScreen(30, 20), QColor(Qt::red));
    EXPECT_EQ(box->canvas().pixelColor(5, 5), QColor(Qt::green)); // starts afresh
}

TEST_F(PictureBoxCanvasTest, ANewSizeOrANewPictureEndsTheCanvas) {
    window.show(); // a hidden widget hears of its new size only when shown
    box->canvas().fill(Qt::blue);
    box->showCanvas();
    box->resize(60, 30);
    EXPECT_FALSE(box->testAttribute(Qt::WA_OpaquePaintEvent)); // the image no longer covers
    QImage& wider = box->canvas();
    EXPECT_EQ(wider.size(), QSize(60, 30));
    EXPECT_EQ(wider.pixelColor(30, 20), QColor(Qt::blue)); // what was shown is where it was
    EXPECT_EQ(wider.pixelColor(50, 20), QColor(Qt::red));

    box->showCanvas();
    box->setPicture(solidPicture(20, 10, Qt::yellow));
    EXPECT_FALSE(box->isCanvasShown());
    EXPECT_EQ(onScreen(5, 5), QColor(Qt::yellow));
}

TEST_F(PictureBoxCanvasTest, ShowingIsOneScheduledPaint) {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QApplication::processEvents();
    box->canvas().fill(Qt::blue);
    PaintCounter counter;
    box->installEventFilter(&counter);
    box->showCanvas();
    EXPECT_EQ(counter.paints, 0); // nothing is painted inside the call
    QApplication::processEvents();
    EXPECT_EQ(counter.paints, 1);
}

TEST_F(PictureBoxCanvasTest, UnderneathLeavesTheBoxOutAndItsVisibilityAlone) {
    const QImage under = tk::grabUnderneath(*box);
    ASSERT_EQ(under.size(), QSize(40, 30));
    EXPECT_EQ(under.pixelColor(5, 5), QColor(Qt::red));
    EXPECT_FALSE(box->isHidden());
    box->hide();
    tk::grabUnderneath(*box);
    EXPECT_TRUE(box->isHidden());
    EXPECT_TRUE(tk::grabShown(window).isNull()); // a window has nothing around it
}

TEST(PictureButtonCanvas, StandsInForTheNormalPicture) {
    tk::PictureButton button;
    button.setGeometry(0, 0, 30, 20);
    button.setPicture(1, solidPicture(20, 20, Qt::red));
    button.setPicture(2, solidPicture(20, 20, Qt::green));
    button.show();
    QImage& canvas = button.canvas({25, 20});
    EXPECT_EQ(canvas.pixelColor(0, 0), QColor(Qt::black));
    canvas.fill(Qt::blue);
    button.showCanvas();
    const auto shown = [&](int x) { return button.grab().toImage().pixelColor(x, 5); };
    EXPECT_EQ(shown(5), QColor(Qt::blue));
    EXPECT_EQ(shown(27), QColor(Qt::black)); // beyond the canvas, as beyond a picture
    QTest::mouseMove(&button, {5, 5});
    EXPECT_EQ(shown(5), QColor(Qt::green)); // hover keeps its own picture
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&button, &leave);
    EXPECT_EQ(shown(5), QColor(Qt::blue));

    button.setPicture(1, solidPicture(20, 20, Qt::yellow));
    EXPECT_FALSE(button.isCanvasShown());
    EXPECT_EQ(shown(5), QColor(Qt::yellow));

    EXPECT_TRUE(button.canvas({0, 20}).isNull());
    EXPECT_FALSE(button.canvasError().isEmpty());
}

} // namespace
