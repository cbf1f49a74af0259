#include "Bitmap.h"
#include "PictureDecoding.h"
#include "TestPictures.h"

#include <QFile>
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

bool imagePluginLoaded() {
    QFile maps("/proc/self/maps");
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("/imageformats/");
}

TEST(PictureDecoding, BitmapsGoBothWaysWithoutImagePlugins) {
    // CTest runs each test in a process of its own; run together with the others, an earlier
    // test's encoding through Qt has loaded the plugins already.
    const bool pluginsLoadedBefore = imagePluginLoaded();
    QImage image(5, 3, QImage::Format_RGB32); // rows of 15 bytes, padded to 16 in the file
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            image.setPixel(x, y, qRgb(40 * x, 80 * y, 7));
    const QImage back = tk::decodeImage(tk::encodeImage(image));
    ASSERT_EQ(back.size(), image.size());
    EXPECT_EQ(back.convertToFormat(QImage::Format_RGB32), image);
    if (!pluginsLoadedBefore)
        EXPECT_FALSE(imagePluginLoaded());
    EXPECT_EQ(tk::decodeImage(solidPicture(3, 2, Qt::red, "PNG")).size(), QSize(3, 2));
    // Bytes of no named format are still recognised by their contents; others decode to null.
    EXPECT_EQ(tk::decodeImage(solidPicture(3, 2, Qt::red, "PPM")).size(), QSize(3, 2));
    EXPECT_TRUE(tk::decodeImage(QByteArray("\x89PNG\r\n\x1a\n cut short")).isNull());
    EXPECT_TRUE(tk::decodeImage(QByteArray()).isNull());
    EXPECT_TRUE(tk::encodeImage(QImage()).isEmpty());
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
