#include "EngineLibrary.h"
#include "OptionsWindow.h"
#include "PlayerFixture.h"

#include <QFile>
#include <QSet>
#include <QWidget>

namespace {

const QString kMissingText = QString::fromUtf8(
    "由于缺少libbass.so文件，程序启动失败！\r\n\r\n如libbass.so文件丢失可点击下载（链接"
    "http://www.tarvo.example/bofangqi/libbass.so）放到同一目录中即可运行。\r\n");
const QString kVersionText = QStringLiteral("libbass.so version 2.2 not found!");

class StartUp : public PlayerFixture {};

TEST_F(StartUp, RefusesWithoutTheEngineBeforeTouchingAnyControl) {
    EXPECT_FALSE(startPlayer());
    ASSERT_EQ(messageBox.shown.size(), 1);
    EXPECT_EQ(messageBox.shown[0].text, kMissingText);
    EXPECT_EQ(messageBox.shown[0].flags, 16);
    EXPECT_EQ(messageBox.shown[0].title, QString::fromUtf8("TARVO提醒您！"));
    // Nothing after the engine check ran: the layout caption stands, no options window.
    EXPECT_EQ(player->mainWindow()->caption(), QString::fromUtf8("TARVO播放器"));
    EXPECT_EQ(player->optionsWindow(), nullptr);
    EXPECT_EQ(player->state().snowDrift, 2); // the steps before the check did run
}

TEST_F(StartUp, RefusesAnotherEngineVersion) {
    ASSERT_TRUE(QFile::copy(QStringLiteral(TARVO_V23_ENGINE_DIR "/libbass.so"),
                            programDir() + "/libbass.so"));
    EXPECT_FALSE(startPlayer());
    ASSERT_EQ(messageBox.shown.size(), 1);
    EXPECT_EQ(messageBox.shown[0].text, kVersionText);
    EXPECT_EQ(messageBox.shown[0].title, QString::fromUtf8("DLL文件的版本不匹配！"));
    EXPECT_EQ(player->optionsWindow(), nullptr);
}

TEST_F(StartUp, RefusesAFileThatIsNoLibrary) {
    QFile junk(programDir() + "/libbass.so");
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(4096, '\x5a'));
    junk.close();
    EXPECT_FALSE(startPlayer());
    ASSERT_EQ(messageBox.shown.size(), 1);
    EXPECT_EQ(messageBox.shown[0].text, kVersionText);
}

TEST_F(StartUp, ComesUpIdleWithTheDefaultTrackLoaded) {
    installEngine();
    qputenv("XDG_MUSIC_DIR", "$HOME/音乐");
    qputenv("HOME", "/home/tester");
    ASSERT_TRUE(startPlayer());
    qunsetenv("XDG_MUSIC_DIR");
    EXPECT_TRUE(messageBox.shown.isEmpty());

    const app::ProgramState& state = player->state();
    playback::PlaybackModel& model = player->playback();
    ASSERT_TRUE(model.hasTrack());
    // Loaded, not played.
    EXPECT_EQ(model.engine().channelIsActive(model.streamHandle()), DWORD(BASS_ACTIVE_STOPPED));
    EXPECT_EQ(model.state(), playback::PlayState::Stopped);
    EXPECT_EQ(state.musicFolder, QString::fromUtf8("/home/tester/音乐"));
    EXPECT_FLOAT_EQ(state.springStiffness, 3.0f);
    EXPECT_FLOAT_EQ(state.springDamping, 0.2f);
    EXPECT_EQ(state.skin.transparentColour, 0x00FF00FFu);

    tk::Window& main = *player->mainWindow();
    // The demo tune's tag names it.
    EXPECT_EQ(main.caption(), QString::fromUtf8("Tarvo 演示曲Tarvo播放器"));
    EXPECT_EQ(main.unit(QString::fromUtf8("透明标签信息"))->text(),
              QString::fromUtf8("标题：Tarvo 演示曲"));
    EXPECT_EQ(main.width(), 320);
    EXPECT_EQ(main.height(), 355);
    EXPECT_TRUE(main.widget()->isVisible());
    const char* saved[] = {"图形按钮静音", "图形按钮播放列表", "图形按钮均衡器", "图形按钮音乐窗",
                           "图形按钮歌词秀"};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(state.savedButtonPictures[i], main.unit(QString::fromUtf8(saved[i]))->picture(1))
            << saved[i];
    EXPECT_FALSE(state.savedButtonPictures[0].isEmpty());

    // The engine was initialised: a second initialisation is refused as "already".
    EXPECT_FALSE(model.engine().init(-1, 44100, 0, nullptr, nullptr));
    EXPECT_EQ(model.engine().errorGetCode(), BASS_ERROR_ALREADY);
}

TEST_F(StartUp, WithoutTheDefaultTrackNothingIsLoaded) {
    installEngine(false);
    ASSERT_TRUE(startPlayer());
    EXPECT_FALSE(player->playback().hasTrack());
    EXPECT_EQ(player->mainWindow()->caption(), QString::fromUtf8("Tarvo播放器"));
}

TEST_F(StartUp, OptionsWindowIsLoadedHiddenWithItsPagesArranged) {
    installEngine(false);
    ASSERT_TRUE(startPlayer());
    ASSERT_NE(player->optionsWindow(), nullptr);
    tk::Window& options = player->optionsWindow()->window();
    EXPECT_FALSE(options.widget()->isVisible());
    EXPECT_EQ(options.widget()->parentWidget(), player->mainWindow()->widget());
    EXPECT_EQ(options.width(), 558);
    EXPECT_EQ(options.height(), 440);
    for (const char* page : {"外形框常规", "视觉效果外形框", "外形框播放"}) {
        const tk::Unit* unit = options.unit(QString::fromUtf8(page));
        EXPECT_EQ(QRect(unit->left(), unit->top(), unit->width(), unit->height()),
                  QRect(115, 8, 424, 370))
            << page;
    }
    EXPECT_TRUE(options.unit(QString::fromUtf8("外形框常规"))->isVisible());
    EXPECT_FALSE(options.unit(QString::fromUtf8("视觉效果外形框"))->isVisible());
    EXPECT_FALSE(options.unit(QString::fromUtf8("外形框播放"))->isVisible());
    // The tray icon follows the check box, unchecked in the layout.
    EXPECT_FALSE(trayIcon.visible);
}

// The displays the player shows are inside the collapsed window and clear of every other
// visible unit, except the parts one slider is made of and the time display, which lies over
// the analyser's top-right corner: at its fixed left and width nothing else has room for it.
TEST_F(StartUp, DisplaysShowInsideTheCollapsedWindowWithoutOverlaps) {
    installEngine(false);
    ASSERT_TRUE(startPlayer());
    tk::Window& main = *player->mainWindow();
    const QStringList shown = {"图形按钮时间", "透明标签信息", "透明标签声道",   "透明标签状态",
                               "透明标签进度", "图形按钮停止", "图形按钮上一曲", "图形按钮下一曲"};
    const QSet<QString> allowed = {"图形按钮时间|图片框可视化", "透明标签进度|图片框进度条",
                                   "透明标签进度|图形按钮进度"};
    auto rectOf = [](const tk::Unit& u) { return QRect(u.left(), u.top(), u.width(), u.height()); };
    for (const QString& name : shown) {
        const tk::Unit& unit = *main.unit(name);
        const QRect rect = rectOf(unit);
        EXPECT_TRUE(unit.isVisible()) << name.toStdString();
        EXPECT_TRUE(QRect(0, 0, 320, 168).contains(rect)) << name.toStdString();
        EXPECT_FALSE(rect.isEmpty()) << name.toStdString();
        for (const auto& other : main.units()) {
            QWidget* widget = other->widget();
            if (other->name() == name || !widget || widget->parentWidget() != main.widget() ||
                !other->isVisible() || allowed.contains(name + "|" + other->name()))
                continue;
            EXPECT_FALSE(rect.intersects(rectOf(*other)))
                << name.toStdString() << " overlaps " << other->name().toStdString();
        }
    }
}

// Every event the layout binds reaches a handler; binding something the layout lacks is
// refused (see the toolkit's tests).
TEST_F(StartUp, EveryBoundEventHasAHandler) {
    installEngine(false);
    ASSERT_TRUE(startPlayer());
    EXPECT_TRUE(player->optionsWindow()->window().unboundEvents().isEmpty())
        << player->optionsWindow()->window().unboundEvents().join(", ").toStdString();
    EXPECT_TRUE(player->mainWindow()->unboundEvents().isEmpty())
        << player->mainWindow()->unboundEvents().join(", ").toStdString();
}

} // namespace
