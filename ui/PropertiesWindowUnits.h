#pragma once

#include <QString>

// The names of the file-properties window's units that the program's code reaches, as the
// layout data spells them.
namespace ui::properties_window {

// The file and its tags, on the tab page "属性".
inline const QString kFileName = QStringLiteral("编辑框1");
inline const QString kTitle = QStringLiteral("编辑框2");
inline const QString kArtist = QStringLiteral("编辑框3");
inline const QString kAlbum = QStringLiteral("编辑框4");
inline const QString kYear = QStringLiteral("编辑框5");
inline const QString kTrack = QStringLiteral("编辑框7");
inline const QString kGenre = QStringLiteral("组合框1");
inline const QString kComment = QStringLiteral("编辑框6");

// The empty group box beside the tags, where the stream's format is shown.
inline const QString kFormatBox = QStringLiteral("分组框3");

// The buttons along the bottom.
inline const QString kReloadButton = QStringLiteral("按钮2");
inline const QString kSaveButton = QStringLiteral("按钮3");
inline const QString kCloseButton = QStringLiteral("按钮4");
inline const QString kPreviousButton = QStringLiteral("按钮上一首");
inline const QString kNextButton = QStringLiteral("按钮下一首");

} // namespace ui::properties_window
