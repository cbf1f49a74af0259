#include "WindowBackground.h"

#include <QPainter>
#include <gtest/gtest.h>

namespace {

using tk::PictureMode;

// Paints a 100 x 80 area with a picture whose left half is red and right half blue.
QImage paint(const QPixmap& picture, PictureMode mode) {
    QImage area(100, 80, QImage::Format_RGB32);
    area.fill(Qt::magenta);
    QPainter painter(&area);
    tk::paintWindowBackground(painter, area.rect(), picture, mode, Qt::darkGreen);
    return area;
}

QPixmap halves(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::red);
    QPainter(&image).fillRect(width / 2, 0, width - width / 2, height, Qt::blue);
    return QPixmap::fromImage(image);
}

QColor at(const QImage& image, int x, int y) {
    return image.pixelColor(x, y);
}

TEST(WindowBackground, TopLeftDrawsAtOwnSizeAndFillsTheRest) {
    const QImage image = paint(halves(20, 10), PictureMode::TopLeft);
    EXPECT_EQ(at(image, 0, 0), QColor(Qt::red));
    EXPECT_EQ(at(image, 15, 5), QColor(Qt::blue));
    EXPECT_EQ(at(image, 25, 5), QColor(Qt::darkGreen));
    EXPECT_EQ(at(image, 5, 15), QColor(Qt::darkGreen));
}

TEST(WindowBackground, TiledRepeatsOverTheWholeArea) {
    const QImage image = paint(halves(20, 10), PictureMode::Tiled);
    EXPECT_EQ(at(image, 45, 35), QColor(Qt::red));  // tile (2, 3), left half
    EXPECT_EQ(at(image, 95, 75), QColor(Qt::blue)); // last tile, right half
}

TEST(WindowBackground, CentredKeepsSmallPicturesAndShrinksLargeOnes) {
    const QImage small = paint(halves(20, 10), PictureMode::Centred);
    EXPECT_EQ(at(small, 41, 40), QColor(Qt::red)); // picture spans x 40..59, y 35..44
    EXPECT_EQ(at(small, 58, 40), QColor(Qt::blue));
    EXPECT_EQ(at(small, 38, 40), QColor(Qt::darkGreen));
    EXPECT_EQ(at(small, 50, 33), QColor(Qt::darkGreen));

    // 200 x 50 shrinks to 100 x 25, centred vertically at y 27..52.
    const QImage large = paint(halves(200, 50), PictureMode::Centred);
    EXPECT_EQ(at(large, 10, 40), QColor(Qt::red));
    EXPECT_EQ(at(large, 90, 40), QColor(Qt::blue));
    EXPECT_EQ(at(large, 50, 10), QColor(Qt::darkGreen));
    EXPECT_EQ(at(large, 50, 70), QColor(Qt::darkGreen));
}

TEST(WindowBackground, StretchedCoversEverything) {
    const QImage image = paint(halves(20, 10), PictureMode::Stretched);
    EXPECT_EQ(at(image, 2, 78), QColor(Qt::red));
    EXPECT_EQ(at(image, 97, 1), QColor(Qt::blue));
}

TEST(WindowBackground, NoPictureLeavesTheColour) {
    const QImage image = paint(QPixmap(), PictureMode::Stretched);
    EXPECT_EQ(at(image, 50, 40), QColor(Qt::darkGreen));
}

} // namespace
