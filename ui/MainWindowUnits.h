#pragma once

#include <QString>

// The names of the main window's units that the program's code reaches, as the layout data
// spells them.
namespace ui::main_window {

// Transport buttons.
inline const QString kPlayButton = QStringLiteral("图形按钮播放");
inline const QString kPauseButton = QStringLiteral("图形按钮暂停");
inline const QString kStopButton = QStringLiteral("图形按钮停止");
inline const QString kOpenButton = QStringLiteral("图形按钮打开");
inline const QString kPreviousButton = QStringLiteral("图形按钮上一曲");
inline const QString kNextButton = QStringLiteral("图形按钮下一曲");
inline const QString kMuteButton = QStringLiteral("图形按钮静音");

// Window buttons and the buttons whose pictures start-up keeps.
inline const QString kMinimiseButton = QStringLiteral("图形按钮最小化");
inline const QString kExitButton = QStringLiteral("图形按钮退出");
inline const QString kPlaylistButton = QStringLiteral("图形按钮播放列表");
inline const QString kEqualiserButton = QStringLiteral("图形按钮均衡器");
inline const QString kMusicWindowButton = QStringLiteral("图形按钮音乐窗");
inline const QString kLyricsButton = QStringLiteral("图形按钮歌词秀");

// Displays.
inline const QString kTimeButton = QStringLiteral("图形按钮时间");
inline const QString kInfoLabel = QStringLiteral("透明标签信息");
inline const QString kStatusLabel = QStringLiteral("透明标签状态");
inline const QString kChannelLabel = QStringLiteral("透明标签声道");
inline const QString kAnalyserBox = QStringLiteral("图片框可视化");

// The progress slider's parts.
inline const QString kProgressThumb = QStringLiteral("图形按钮进度");
inline const QString kProgressTrack = QStringLiteral("透明标签进度");
inline const QString kProgressBox = QStringLiteral("编辑框进度");
inline const QString kProgressBar = QStringLiteral("图片框进度条");

// The volume slider's parts.
inline const QString kVolumeThumb = QStringLiteral("图形按钮音量");
inline const QString kVolumeTrack = QStringLiteral("透明标签音量");
inline const QString kVolumeBox = QStringLiteral("编辑框音量");
inline const QString kVolumeBar = QStringLiteral("图片框音量条");

// Timers, the file dialog and the hidden tuning sliders of the height animation.
inline const QString kSpectrumTimer = QStringLiteral("时钟频谱");
inline const QString kProgressTimer = QStringLiteral("时钟进度");
inline const QString kFileDialog = QStringLiteral("通用对话框1");
inline const QString kStiffnessSlider = QStringLiteral("滑块条1");
inline const QString kDampingSlider = QStringLiteral("滑块条2");

// Window commands: the height animation, edge hiding, the tiles and the web panel.
inline const QString kExpandButton = QStringLiteral("按钮4");
inline const QString kCollapseButton = QStringLiteral("按钮3");
inline const QString kAnimationTimer = QStringLiteral("动画时钟");
inline const QString kEdgeTimer = QStringLiteral("时钟1");
inline const QString kWindButton = QStringLiteral("按钮2");
inline const QString kPicksTile = QStringLiteral("图片框1");
inline const QString kSnowTile = QStringLiteral("图片框6");
inline const QString kWebTile = QStringLiteral("图片框9");
inline const QString kAboutTile = QStringLiteral("图片框5");
inline const QString kPanelCover = QStringLiteral("图片框4");
inline const QString kPanelBrowser = QStringLiteral("超文本浏览框1");

} // namespace ui::main_window
