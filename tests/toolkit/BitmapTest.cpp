#include "Bitmap.h"
#include "TestPictures.h"

#include <gtest/gtest.h>

namespace {

TEST(Bitmap, LoadsImageBytesAndRefusesOthers) {
    tk::Bitmap bitmap;
    ASSERT_TRUE(bitmap.loadFromBytes(solidPicture(13, 20, Qt::red, "BMP")));
    EXPECT_EQ(bitmap.width(), 13);
    EXPECT_EQ(bitmap.height(), 20);
    tk::Bitmap broken;
    EXPECT_FALSE(broken.loadFromBytes(QByteArray("BM not really a bitmap")));
    EXPECT_FALSE(broken.errorText().isEmpty());
    EXPECT_TRUE(broken.isNull());
    EXPECT_FALSE(broken.create(0, 20));
    EXPECT_FALSE(broken.errorText().isEmpty());
}

TEST(Bitmap, CopiesRectanglesSkippingTheTransparentColourAndClipping) {
    // Source: left half magenta (the transparent colour), right half blue.
    QImage image(4, 2, QImage::Format_RGB32);
    image.fill(QColor(255, 0, 255));
    image.setPixelColor(2, 0, Qt::blue);
    image.setPixelColor(3, 0, Qt::blue);
    image.setPixelColor(2, 1, Qt::blue);
    image.setPixelColor(3, 1, Qt::blue);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    tk::Bitmap source;
    ASSERT_TRUE(source.loadFromBytes(bytes));

    tk::Bitmap target;
    ASSERT_TRUE(target.create(6, 2));
    target.copyFrom(source, 0, 0, 4, 2, 0, 0, 0x00FF00FF);
    EXPECT_EQ(target.image().pixelColor(0, 0), QColor(Qt::black)); // skipped
    EXPECT_EQ(target.image().pixelColor(2, 1), QColor(Qt::blue));
    target.copyFrom(source, 0, 0, 4, 2, 4, 0); // no transparent colour; half falls outside
    EXPECT_EQ(target.image().pixelColor(4, 0), QColor(255, 0, 255));
    EXPECT_EQ(target.image().pixelColor(5, 1), QColor(255, 0, 255));

    tk::Bitmap reread;
    ASSERT_TRUE(reread.loadFromBytes(target.saveBytes()));
    EXPECT_EQ(reread.image().pixelColor(3, 0), QColor(Qt::blue));
    EXPECT_EQ(reread.width(), 6);
}

} // namespace
