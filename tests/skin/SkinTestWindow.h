#pragma once

#include "Kind.h"
#include "Window.h"

#include <QByteArray>
#include <QColor>
#include <QString>
#include <QVector>
#include <memory>

namespace skintest {

// A unit for a test window: kind, name, design geometry, tag, visibility.
struct TestUnit {
    tk::Kind kind;
    QString name;
    QString tag;
    bool visible = true;
    int left = 5, top = 6, width = 40, height = 30;
};

// A small real window with the given units, built the way the layout builds windows.
std::unique_ptr<tk::Window> makeWindow(const QVector<TestUnit>& units);

// A BMP image of `width` × `height` made of vertical bands of equal width, one per colour.
QByteArray bandedImage(int width, int height, const QVector<QColor>& bands);

// The colour of the pixel at (x, y) of image file bytes; invalid when they do not decode.
QColor pixelAt(const QByteArray& bytes, int x, int y);

} // namespace skintest
