#pragma once

#include <QString>

// The names of the daily-picks window's units that the program's code reaches, and its caption.
namespace ui::picks_window {
inline const QString kText = QStringLiteral("编辑框1");
inline const QString kCaption = QStringLiteral("每日精选-Tarvo网");
} // namespace ui::picks_window
