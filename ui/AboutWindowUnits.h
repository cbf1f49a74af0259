#pragma once

#include <QString>

// The names of the About window's units that the program's code reaches.
namespace ui::about_window {
inline const QString kClosePicture = QStringLiteral("图片框2");
} // namespace ui::about_window
