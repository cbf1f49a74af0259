// Drawing of every picture of the skin (one dark look: near-black to grey, teal accent).
#pragma once

#include <QImage>
#include <QMap>
#include <QString>

namespace skin {

// Every picture by its resource path under :/skin/ (as in assets/pictures.tsv).
QMap<QString, QImage> drawAll();

// A mock of the main window at the given height (168 collapsed, 355 expanded), built from the
// pictures at the places the layout gives them; for looking at the skin, not shipped.
QImage mockMainWindow(const QMap<QString, QImage>& pictures, int height);

// The About window (340 x 200) with its close picture.
QImage mockAboutWindow(const QMap<QString, QImage>& pictures);

} // namespace skin
