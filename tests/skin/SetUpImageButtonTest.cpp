#include "SkinElement.h"
#include "SkinTestWindow.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using skin::SkinContext;
using skin::SkinElement;
using skintest::bandedImage;
using skintest::makeWindow;
using skintest::pixelAt;
using tk::Kind;

namespace {

const QVector<QColor> fourBands = {Qt::red, Qt::green, Qt::blue, Qt::yellow};

class SetUpImageButtonTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        context.skinFolder = dir.path() + QLatin1Char('/');
        writeImage(QStringLiteral("strip.bmp"), bandedImage(96, 20, fourBands));
    }

    void writeImage(const QString& name, const QByteArray& bytes) {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    tk::Unit& button(const QString& tag) {
        window = makeWindow({{Kind::PictureButton, QStringLiteral("button"), tag, false}});
        return *window->unit(QStringLiteral("button"));
    }

    QRect geometry(const tk::Unit& unit) {
        return {unit.left(), unit.top(), unit.width(), unit.height()};
    }

    QTemporaryDir dir;
    SkinContext context;
    SkinElement element{context};
    std::unique_ptr<tk::Window> window;
};

} // namespace

TEST_F(SetUpImageButtonTest, CutsTheStripIntoFourFramesAndPlacesTheButton) {
    tk::Unit& unit = button(QStringLiteral("image=\"strip.bmp\" position=\"10, 20, 40, 45\""));
    element.SetUpImageButton(unit);
    EXPECT_TRUE(unit.isVisible());
    for (int n = 1; n <= 4; ++n) {
        const QByteArray picture = unit.picture(n);
        EXPECT_EQ(pixelAt(picture, 0, 0), fourBands.at(n - 1)) << n;
        EXPECT_EQ(pixelAt(picture, 23, 19), fourBands.at(n - 1)) << n;
        EXPECT_FALSE(pixelAt(picture, 24, 0).isValid()) << n; // 24 pixels wide
    }
    EXPECT_EQ(unit.transparentColour(), 0x00FF00FFu);
    EXPECT_EQ(geometry(unit), QRect(10, 20, 30, 25));
}

TEST_F(SetUpImageButtonTest, WithoutAPositionTheButtonKeepsItsPlaceAtTheFramesSize) {
    tk::Unit& unit = button(QStringLiteral("image=\"strip.bmp\""));
    element.SetUpImageButton(unit);
    EXPECT_EQ(geometry(unit), QRect(5, 6, 24, 20));
}

TEST_F(SetUpImageButtonTest, FewerFramesStillFillFourPicturesFromTheStrip) {
    tk::Unit& unit = button(QStringLiteral("image=\"strip.bmp\""));
    element.SetUpImageButton(unit, {}, 2);
    // Frames are 48 wide: the first two cover the strip, the last two lie past its end.
    EXPECT_EQ(pixelAt(unit.picture(1), 0, 0), QColor(Qt::red));
    EXPECT_EQ(pixelAt(unit.picture(1), 47, 0), QColor(Qt::green));
    EXPECT_EQ(pixelAt(unit.picture(2), 0, 0), QColor(Qt::blue));
    EXPECT_EQ(pixelAt(unit.picture(3), 0, 0), QColor(Qt::black));
    EXPECT_EQ(pixelAt(unit.picture(4), 47, 19), QColor(Qt::black));
    EXPECT_EQ(unit.width(), 48);
}

TEST_F(SetUpImageButtonTest, ThumbPrefixMakesTheButtonOneFrameWide) {
    writeImage(QStringLiteral("thumb.bmp"), bandedImage(48, 11, fourBands));
    tk::Unit& unit = button(QStringLiteral(
        "image=\"strip.bmp\" thumb_image=\"thumb.bmp\" position=\"36, 110, 12, 12\""));
    element.SetUpImageButton(unit, QStringLiteral("thumb_"));
    // The position gives a negative size (shown as empty); the width is set afterwards.
    EXPECT_EQ(geometry(unit), QRect(36, 110, 12, 0));
    EXPECT_EQ(pixelAt(unit.picture(4), 11, 10), QColor(Qt::yellow));
}

TEST_F(SetUpImageButtonTest, HidesTheButtonWhenThereIsNoFrameToCut) {
    writeImage(QStringLiteral("narrow.bmp"), bandedImage(3, 20, {Qt::red}));
    writeImage(QStringLiteral("broken.bmp"), "not an image");
    const struct {
        const char* tag;
        std::optional<int> frames;
    } cases[] = {
        {"image=\"narrow.bmp\" position=\"1, 2, 3, 4\"", {}}, // narrower than four frames
        {"image=\"missing.bmp\" position=\"1, 2, 3, 4\"", {}},
        {"image=\"broken.bmp\" position=\"1, 2, 3, 4\"", {}},
        {"image=\"strip.bmp\" position=\"1, 2, 3, 4\"", 0}, // no frames at all
        {"image=\"strip.bmp\" position=\"1, 2, 3, 4\"", -2},
        {"", {}},
    };
    for (const auto& c : cases) {
        tk::Unit& unit = button(QString::fromUtf8(c.tag));
        unit.setVisible(true);
        element.SetUpImageButton(unit, {}, c.frames);
        EXPECT_FALSE(unit.isVisible()) << c.tag;
        EXPECT_TRUE(unit.picture(1).isEmpty()) << c.tag;
        EXPECT_EQ(geometry(unit), QRect(5, 6, 40, 30)) << c.tag;
    }
}

namespace {

// Serves a fixed strip and a fixed position, to show that the button is set up through the
// virtual slots.
class FixedSourceElement : public SkinElement {
  public:
    using SkinElement::SkinElement;
    QByteArray ImageFromMarkup(const QString&,
                               const std::optional<QString>& prefix) const override {
        lastPrefix = prefix;
        return bandedImage(8, 4, fourBands);
    }
    void ParsePosition(const QString&, int& left, int& top, int& width,
                       int& height) const override {
        left = 1;
        top = 2;
        width = 3;
        height = 4;
    }
    mutable std::optional<QString> lastPrefix;
};

} // namespace

TEST_F(SetUpImageButtonTest, UsesTheVirtualSlotsAndAlwaysPassesThePrefixAsGiven) {
    FixedSourceElement fixed(context);
    tk::Unit& unit = button(QStringLiteral("anything"));
    static_cast<SkinElement&>(fixed).SetUpImageButton(unit);
    EXPECT_EQ(fixed.lastPrefix, QString());
    EXPECT_EQ(pixelAt(unit.picture(2), 1, 3), QColor(Qt::green));
    EXPECT_EQ(geometry(unit), QRect(1, 2, 3, 4));
}
