#include "LocalHttpServer.h"
#include "MainWindowCommands.h"
#include "OptionsWindow.h"
#include "PlayerFixture.h"
#include "PropertiesWindow.h"
#include "QtConnectivityCheck.h"
#include "QtHttpReader.h"

#include <QAction>
#include <QTest>
#include <QWidget>

namespace {

class WindowCommandsTest : public PlayerFixture {
  protected:
    void SetUp() override {
        PlayerFixture::SetUp();
        ASSERT_TRUE(server.error().isEmpty()) << server.error().toStdString();
        site = *app::MakerSite::fromAddress(server.url({}).toString(), nullptr);
        online = std::make_unique<tk::QtConnectivityCheck>(http, site.homePage(), 2000,
                                                           [] { return false; });
        httpReader = &http;
        connectivityCheck = online.get();
        installEngine();
        ASSERT_TRUE(startPlayer());
        commands().setScreenSource([this] { return cursor; },
                                   [] { return QRect(0, 0, 1280, 1024); });
    }
    app::MainWindowCommands& commands() { return player->windowCommands(); }
    tk::Window& main() { return *player->mainWindow(); }
    tk::Unit& unit(const char* name) { return *main().unit(QString::fromUtf8(name)); }
    // Runs the animation's ticks until its timer stops, with the heights they gave.
    QList<int> animate() {
        QList<int> heights;
        while (unit("动画时钟").interval() != 0 && heights.size() < 100) {
            commands().onAnimationTick();
            heights << main().height();
        }
        return heights;
    }

    FileHttpServer server;
    tk::QtHttpReader http;
    std::unique_ptr<tk::QtConnectivityCheck> online;
    QPoint cursor{640, 512};
};

TEST_F(WindowCommandsTest, CollapseAndExpandFollowTheSpringAndStayCentred) {
    EXPECT_EQ(main().height(), 355); // comes up expanded
    QTest::mouseClick(unit("按钮3").widget(), Qt::LeftButton);
    EXPECT_EQ(unit("动画时钟").interval(), 5);
    EXPECT_EQ(animate(), (QList<int>{243, 176, 158, 160, 165, 168, 169, 169}));
    EXPECT_EQ(main().top(), (1024 - 169) / 2);
    main().move({}, {}, {}, 168);
    QTest::mouseClick(unit("按钮4").widget(), Qt::LeftButton);
    EXPECT_EQ(animate(), (QList<int>{280, 347, 365, 363, 358, 355, 354, 354}));
    // The hidden tuning sliders set the spring.
    unit("滑块条1").setPosition(50);
    unit("滑块条2").setPosition(10);
    EXPECT_FLOAT_EQ(player->state().springStiffness, 5.0f);
    EXPECT_FLOAT_EQ(player->state().springDamping, 1.0f);
}

TEST_F(WindowCommandsTest, TheWindowHidesAtTheLeftAndTopEdgesAndComesBack) {
    main().move(0, 0);
    cursor = {600, 600};
    commands().onEdgeTick(); // at both edges: the left one wins
    EXPECT_EQ(main().left(), 2 - 320);
    EXPECT_EQ(main().top(), 0);
    cursor = {1, 100}; // onto the strip
    commands().onEdgeTick();
    EXPECT_EQ(main().left(), 0);
    main().move(400, 0);
    cursor = {600, 600};
    commands().onEdgeTick();
    EXPECT_EQ(main().top(), 2 - main().height());
    // Away from the edges the timer rests: its ticks could change nothing.
    main().move(400, 300);
    EXPECT_EQ(unit("时钟1").interval(), 0);
    main().move(1280 - 320, 300);
    EXPECT_EQ(unit("时钟1").interval(), 100);
    commands().onEdgeTick();
    EXPECT_EQ(main().left(), 1278);
    cursor = {1279, 400};
    commands().onEdgeTick();
    EXPECT_EQ(main().left(), 1280 - 300);
}

TEST_F(WindowCommandsTest, PicksWindowShowsTheServedTextOnce) {
    QByteArray body("今日精选");
    body.append('\0').append("ignored");
    server.put(QStringLiteral("/mrjx/ew.txt"), body);
    QTest::mousePress(unit("图片框1").widget(), Qt::LeftButton);
    tk::Window* picks = commands().picksWindow();
    ASSERT_NE(picks, nullptr);
    EXPECT_EQ(picks->caption(), QString::fromUtf8("每日精选-Tarvo网"));
    tk::Unit& text = *picks->unit(QStringLiteral("编辑框1"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !text.text().isEmpty(); }, 5000));
    EXPECT_EQ(text.text(), QString::fromUtf8("今日精选"));
    commands().openPicksWindow(); // the open one comes to the front
    EXPECT_EQ(commands().picksWindow(), picks);
}

TEST_F(WindowCommandsTest, AboutClosesFromItsPictureAndLinksGoToTheBrowser) {
    QTest::mousePress(unit("图片框5").widget(), Qt::LeftButton);
    tk::Window* about = commands().aboutWindow();
    ASSERT_NE(about, nullptr);
    QTest::mousePress(about->unit(QStringLiteral("图片框2"))->widget(), Qt::LeftButton);
    EXPECT_TRUE(about->isDestroyed());

    QTest::mousePress(unit("图片框9").widget(), Qt::LeftButton);
    main().fire(QStringLiteral("超文本浏览框1"), tk::EventKind::AboutToNavigate,
                {0, 0, 0, QStringLiteral("http://127.0.0.1/picked.html")});
    EXPECT_EQ(webOpener.opened, (QStringList{site.homePage().toString(),
                                             QStringLiteral("http://127.0.0.1/picked.html")}));
}

TEST_F(WindowCommandsTest, ThePicksPanelShowsWhenTheSiteAnswers) {
    // The check at start-up asked the site's home page, which this server does not have.
    server.put(QStringLiteral("/index.html"), "home");
    server.put(QStringLiteral("/gg/gg.html"), "<p>每日精选</p>");
    commands().showPicksPanelWhenOnline();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !unit("图片框4").isVisible(); }, 5000));
}

TEST_F(WindowCommandsTest, TrayIconMenuAndTipFollowTheCaption) {
    tk::Window& options = player->optionsWindow()->window();
    options.unit(QString::fromUtf8("常规选择框系统栏显示图标"))->setChecked(true);
    player->optionsWindow()->updateTrayIcon();
    ASSERT_TRUE(trayIcon.visible);
    EXPECT_EQ(trayIcon.tip(), main().caption());
    QTest::mouseClick(unit("图形按钮播放").widget(), Qt::LeftButton);
    QTest::mouseClick(unit("图形按钮暂停").widget(), Qt::LeftButton);
    main().setCaption(QStringLiteral("另一个标题"));
    EXPECT_EQ(trayIcon.tip(), QStringLiteral("另一个标题"));
    ASSERT_EQ(trayIcon.menu.size(), 3);
    trayIcon.menu[0]->trigger(); // play/pause
    EXPECT_EQ(player->playback().state(), playback::PlayState::Playing);
    // The options window is reachable from the keyboard (and the context menu).
    QAction* showOptions = nullptr;
    for (QAction* action : main().widget()->actions())
        if (action->shortcut() == QKeySequence(Qt::CTRL | Qt::Key_P))
            showOptions = action;
    ASSERT_NE(showOptions, nullptr);
    showOptions->trigger();
    EXPECT_TRUE(options.widget()->isVisible());
    trayIcon.activated(); // a click hides the window, the next one shows it
    EXPECT_FALSE(main().widget()->isVisible());
    trayIcon.activated();
    EXPECT_TRUE(main().widget()->isVisible());
}

TEST_F(WindowCommandsTest, ADoubleClickOnTheTitleShowsTheTracksProperties) {
    QTest::mouseDClick(unit("透明标签信息").widget(), Qt::LeftButton);
    app::PropertiesWindow* properties = player->propertiesWindow();
    ASSERT_NE(properties, nullptr);
    EXPECT_TRUE(properties->isOpen());
    EXPECT_EQ(properties->properties().path, player->playback().track().path);
    EXPECT_EQ(properties->properties().format->sampleRate, 44100);
    QTest::mouseDClick(unit("透明标签信息").widget(), Qt::LeftButton);
    EXPECT_EQ(player->propertiesWindow(), properties); // the open one comes to the front
}

} // namespace
