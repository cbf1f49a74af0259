#include "StartupSkin.h"
#include "SkinTestWindow.h"
#include "TransparentLabel.h"

#include <gtest/gtest.h>

using skintest::bandedImage;
using skintest::makeWindow;
using skintest::TestUnit;
using tk::Kind;

namespace {

const QStringList buttonNames = {
    QStringLiteral("图形按钮歌词秀"),   QStringLiteral("图形按钮均衡器"),
    QStringLiteral("图形按钮播放列表"), QStringLiteral("图形按钮音乐窗"),
    QStringLiteral("图形按钮最小化"),   QStringLiteral("图形按钮退出"),
    QStringLiteral("图形按钮进度"),     QStringLiteral("图形按钮音量"),
    QStringLiteral("图形按钮时间")};
const QStringList labelNames = {QStringLiteral("透明标签信息"), QStringLiteral("透明标签状态"),
                                QStringLiteral("透明标签声道"), QStringLiteral("透明标签进度"),
                                QStringLiteral("透明标签音量")};

// Unit i is placed at (10 i, i) by its tag.
QString tagFor(int i) {
    return QStringLiteral("position=\"%1, %2, 300, 200\" align=\"right\"").arg(10 * i).arg(i);
}

} // namespace

TEST(StartupSkin, PlacesTheNineButtonsAtTheirPicturesSizeAndStylesTheFiveLabels) {
    QVector<TestUnit> units;
    for (int i = 0; i < buttonNames.size(); ++i)
        units.append({Kind::PictureButton, buttonNames.at(i), tagFor(i)});
    for (int i = 0; i < labelNames.size(); ++i)
        units.append({Kind::TransparentLabel, labelNames.at(i), tagFor(i)});
    units.append({Kind::PictureButton, QStringLiteral("图形按钮播放"), tagFor(3)});
    const auto window = makeWindow(units);
    for (int i = 0; i < buttonNames.size(); ++i)
        window->unit(buttonNames.at(i))->setPicture(1, bandedImage(20 + i, 10 + i, {Qt::red}));
    window->unit(QStringLiteral("图形按钮播放"))->setPicture(1, bandedImage(9, 9, {Qt::red}));

    skin::SkinContext context;
    EXPECT_TRUE(skin::applyStartupSkin(*window, context, buttonNames, labelNames).isEmpty());

    for (int i = 0; i < buttonNames.size(); ++i) {
        const tk::Unit& unit = *window->unit(buttonNames.at(i));
        EXPECT_EQ(QRect(unit.left(), unit.top(), unit.width(), unit.height()),
                  QRect(10 * i, i, 20 + i, 10 + i))
            << buttonNames.at(i).toStdString();
    }
    for (int i = 0; i < labelNames.size(); ++i) {
        const tk::Unit& unit = *window->unit(labelNames.at(i));
        EXPECT_EQ(QRect(unit.left(), unit.top(), unit.width(), unit.height()),
                  QRect(10 * i, i, 300 - 10 * i, 200 - i))
            << labelNames.at(i).toStdString();
        EXPECT_EQ(qobject_cast<tk::TransparentLabel*>(unit.widget())->alignment(), 2);
    }
    // Units outside the two lists keep their design geometry.
    const tk::Unit& play = *window->unit(QStringLiteral("图形按钮播放"));
    EXPECT_EQ(QRect(play.left(), play.top(), play.width(), play.height()), QRect(5, 6, 40, 30));
}

TEST(StartupSkin, ReportsTheUnitsTheWindowLacksAndPlacesTheOthers) {
    const auto window =
        makeWindow({{Kind::PictureButton, QStringLiteral("图形按钮退出"), tagFor(2)},
                    {Kind::TransparentLabel, QStringLiteral("透明标签状态"), tagFor(1)}});
    window->unit(QStringLiteral("图形按钮退出"))->setPicture(1, bandedImage(41, 16, {Qt::red}));

    skin::SkinContext context;
    const QStringList missing = skin::applyStartupSkin(*window, context, buttonNames, labelNames);
    EXPECT_EQ(missing.size(), 12);
    EXPECT_EQ(missing.first(), buttonNames.first());
    EXPECT_EQ(missing.last(), labelNames.last());
    EXPECT_FALSE(missing.contains(QStringLiteral("图形按钮退出")));
    const tk::Unit& exit = *window->unit(QStringLiteral("图形按钮退出"));
    EXPECT_EQ(QRect(exit.left(), exit.top(), exit.width(), exit.height()), QRect(20, 2, 41, 16));
    const tk::Unit& status = *window->unit(QStringLiteral("透明标签状态"));
    EXPECT_EQ(status.left(), 10);
}
