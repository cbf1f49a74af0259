#include "SkinTestWindow.h"

#include <QBuffer>
#include <QImage>

namespace skintest {

std::unique_ptr<tk::Window> makeWindow(const QVector<TestUnit>& units) {
    tk::WindowSpec spec;
    spec.name = QStringLiteral("test");
    spec.width = 320;
    spec.height = 355;
    uint32_t id = 1;
    for (const TestUnit& unit : units) {
        tk::UnitSpec u;
        u.id = id++;
        u.kind = unit.kind;
        u.name = unit.name;
        u.tag = unit.tag;
        u.visible = unit.visible;
        u.left = unit.left;
        u.top = unit.top;
        u.width = unit.width;
        u.height = unit.height;
        spec.units.append(u);
    }
    return std::make_unique<tk::Window>(spec);
}

QByteArray bandedImage(int width, int height, const QVector<QColor>& bands) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int x = 0; x < width; ++x) {
        const int band = static_cast<int>(static_cast<long long>(x) * bands.size() / width);
        for (int y = 0; y < height; ++y)
            image.setPixelColor(x, y, bands.at(band));
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

QColor pixelAt(const QByteArray& bytes, int x, int y) {
    QImage image;
    if (!image.loadFromData(bytes) || !image.valid(x, y))
        return {};
    return image.pixelColor(x, y);
}

} // namespace skintest
