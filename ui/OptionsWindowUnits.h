#pragma once

#include <QString>

// The names of the options window's units that the program's code reaches, as the layout
// data spells them.
namespace ui::options_window {

// Pages, the buttons that show them and the page title.
inline const QString kGeneralPage = QStringLiteral("外形框常规");
inline const QString kEffectsPage = QStringLiteral("视觉效果外形框");
inline const QString kPlaybackPage = QStringLiteral("外形框播放");
inline const QString kGeneralPageButton = QStringLiteral("超级按钮2");
inline const QString kEffectsPageButton = QStringLiteral("超级按钮5");
inline const QString kPageTitle = QStringLiteral("标签参数设置");
inline const QString kCloseButton = QStringLiteral("按钮3");

// General options.
inline const QString kShowTrayIcon = QStringLiteral("常规选择框系统栏显示图标");
inline const QString kScrollTitle = QStringLiteral("常规选择框任务栏滚动标题");
inline const QString kMultiColumnMenu = QStringLiteral("常规选择框多列显示曲目");

// The analyser's settings and the labels that show the sliders' values.
inline const QString kBarWidthSlider = QStringLiteral("视觉效果滑块条宽度");
inline const QString kBarGapSlider = QStringLiteral("视觉效果滑块条间隔");
inline const QString kBandFallSlider = QStringLiteral("视觉效果滑块条频带衰减");
inline const QString kPeakFallSlider = QStringLiteral("视觉效果滑块条顶峰衰减");
inline const QString kPeakDelaySlider = QStringLiteral("视觉效果滑块条顶峰延迟");
inline const QString kBarWidthLabel = QStringLiteral("视觉效果标签宽度");
inline const QString kBarGapLabel = QStringLiteral("视觉效果标签间隔");
inline const QString kBandFallLabel = QStringLiteral("视觉效果标签频带衰减");
inline const QString kPeakFallLabel = QStringLiteral("视觉效果标签顶峰衰减");
inline const QString kPeakDelayLabel = QStringLiteral("视觉效果标签顶峰延迟");
inline const QString kShowBars = QStringLiteral("视觉效果选择框显示频带");
inline const QString kShowPeaks = QStringLiteral("视觉效果选择框显示顶峰");
inline const QString kPeakColour = QStringLiteral("视觉效果颜色选择器高峰");
inline const QString kTopColour = QStringLiteral("视觉效果颜色选择器顶端");
inline const QString kMiddleColour = QStringLiteral("视觉效果颜色选择器中端");
inline const QString kBottomColour = QStringLiteral("视觉效果颜色选择器底端");

} // namespace ui::options_window
