#include "OptionsWindow.h"
#include "PlayerFixture.h"

#include <QTest>
#include <QWidget>

namespace {

class OptionsWindowTest : public PlayerFixture {
  protected:
    void SetUp() override {
        PlayerFixture::SetUp();
        installEngine(false);
        ASSERT_TRUE(startPlayer());
        options = &player->optionsWindow()->window();
    }
    tk::Unit& unit(const char* name) { return *options->unit(QString::fromUtf8(name)); }

    tk::Window* options = nullptr;
};

TEST_F(OptionsWindowTest, ClosingOnlyHidesAndKeepsTheSettings) {
    options->setVisible(true);
    unit("常规选择框最小化").setChecked(true);
    EXPECT_FALSE(options->widget()->close());
    EXPECT_FALSE(options->isDestroyed());
    EXPECT_FALSE(options->widget()->isVisible());
    options->setVisible(true);
    EXPECT_TRUE(unit("常规选择框最小化").isChecked());
    QTest::mouseClick(unit("按钮3").widget(), Qt::LeftButton);
    EXPECT_FALSE(options->widget()->isVisible());
}

TEST_F(OptionsWindowTest, NavigationSwitchesPagesAndTitle) {
    options->setVisible(true);
    QTest::mouseClick(unit("超级按钮5").widget(), Qt::LeftButton);
    EXPECT_TRUE(unit("视觉效果外形框").isVisible());
    EXPECT_FALSE(unit("外形框常规").isVisible());
    EXPECT_EQ(unit("标签参数设置").text(), QString::fromUtf8(" 视觉效果相关的参数设置"));
    QTest::mouseClick(unit("超级按钮2").widget(), Qt::LeftButton);
    EXPECT_TRUE(unit("外形框常规").isVisible());
    EXPECT_FALSE(unit("视觉效果外形框").isVisible());
    EXPECT_EQ(unit("标签参数设置").text(), QString::fromUtf8(" 常规操作的参数设置"));
}

TEST_F(OptionsWindowTest, TrayCheckBoxPutsTheIconWithTheCaptionAsTip) {
    options->setVisible(true);
    unit("视觉效果外形框").setVisible(false);
    QTest::mouseClick(unit("常规选择框系统栏显示图标").widget(), Qt::LeftButton);
    EXPECT_TRUE(trayIcon.visible);
    EXPECT_EQ(trayIcon.tip(), QString::fromUtf8("Tarvo播放器"));
    EXPECT_EQ(trayIcon.iconBytes, 9662);
    QTest::mouseClick(unit("常规选择框系统栏显示图标").widget(), Qt::LeftButton);
    EXPECT_FALSE(trayIcon.visible);
}

TEST_F(OptionsWindowTest, SliderValuesShowBesideTheSliders) {
    EXPECT_EQ(unit("视觉效果标签频带衰减").text(), "0.06");
    unit("视觉效果滑块条频带衰减").setPosition(9);
    EXPECT_EQ(unit("视觉效果标签频带衰减").text(), "0.09");
    unit("视觉效果滑块条间隔").setPosition(4);
    EXPECT_EQ(unit("视觉效果标签间隔").text(), "4");
    unit("视觉效果滑块条顶峰延迟").setPosition(10);
    EXPECT_EQ(unit("视觉效果标签顶峰延迟").text(), "10");
}

} // namespace
