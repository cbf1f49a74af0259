#include "Player.h"

#include "EngineMessages.h"
#include "Layouts.h"
#include "MakerSite.h"
#include "MusicFolder.h"
#include "OptionsWindow.h"
#include "ScreenCanvas.h"
#include "StartupSkin.h"
#include "TransportDisplayAdapter.h"
#include "UnitFactory.h"
#include "WindowDrag.h"
#include "X11Desktop.h"

#include <QCoreApplication>
#include <QDir>
#include <cstdio>

namespace app {
namespace {

const QString kProgramName = QStringLiteral("Tarvo播放器");

// The buttons whose normal pictures start-up keeps, in the order of savedButtonPictures.
const std::array<QString, 5> kSavedPictureButtons = {
    QStringLiteral("图形按钮静音"), QStringLiteral("图形按钮播放列表"),
    QStringLiteral("图形按钮均衡器"), QStringLiteral("图形按钮音乐窗"),
    QStringLiteral("图形按钮歌词秀")};

std::unique_ptr<tk::Window> buildMainWindow() {
    QString error;
    const auto spec = tk::loadWindowSpec(ui::layoutPath(QStringLiteral("main")), &error);
    if (!spec)
        qFatal("%s", qPrintable(error));
    return std::make_unique<tk::Window>(*spec);
}

} // namespace

Player::Player(const tk::Services& services, const QString& programDirectory)
    : services_(services), programDirectory_(programDirectory),
      timeDisplay_(state_.skin, *services.messageBox) {
    timeDisplay_.loadStrip(tk::skinPicture(QStringLiteral("led/digits.bmp")));
    // The engine maps while the windows are built; the created steps check it. After the
    // strip, so that Qt's image plugins are not queued behind it in the dynamic loader.
    engine_.beginLoading(programDirectory_);
}

Player::~Player() {
    // The options window is owned by the main window's widget: destroy it first.
    optionsWindow_.reset();
    transport_.reset();
    mainWindow_.reset();
    releaseEngine();
}

bool Player::start() {
    mainWindow_ = buildMainWindow();
    tk::Window& w = *mainWindow_;
    transportDisplay_ = std::make_unique<TransportDisplayAdapter>(
        sliders_, *w.unit(QStringLiteral("图形按钮进度")), timeDisplay_,
        *w.unit(QStringLiteral("图形按钮时间")));
    transport_ = std::make_unique<playback::Transport>(engine_, state_.playback, w,
                                                       *transportDisplay_, *services_.fileDialog);
    bindMainWindow(w);
    bindTransport(w);
    mainWindow_->load();
    return !refused_;
}

void Player::bindMainWindow(tk::Window& window) {
    using E = tk::EventKind;
    window.bind({}, E::Created, [this](const tk::EventArgs&) { return onMainWindowCreated(); });
    window.bind({}, E::Destroying, [this](const tk::EventArgs&) {
        onMainWindowClosing();
        return true;
    });
    auto* drag = new WindowDrag(window.widget());
    window.bind({}, E::LeftPressed, [drag](const tk::EventArgs&) {
        drag->begin();
        return true;
    });
    window.bind(QStringLiteral("图形按钮退出"), E::Click, [this](const tk::EventArgs&) {
        onExit();
        return true;
    });
    window.bind(QStringLiteral("图形按钮最小化"), E::Click, [this](const tk::EventArgs&) {
        mainWindow_->setPlacement(2);
        return true;
    });
    window.bind(QStringLiteral("图片框6"), E::LeftPressed, [this](const tk::EventArgs&) {
        if (!snow_)
            snow_ = std::make_unique<vis::SnowRunner>(
                std::make_unique<vis::ScreenCanvas<platform::X11Desktop>>(),
                std::make_unique<vis::SeededRandom>(vis::clockSeed()),
                [this] { return state_.snowDrift; });
        snow_->toggle(); // a second press stops the snow and cleans the screen
        return true;
    });
    window.bind(QStringLiteral("按钮2"), E::Click, [this](const tk::EventArgs&) {
        state_.snowDrift = 2;
        return true;
    });
}

// The main window's "created" steps, in their fixed order.
bool Player::onMainWindowCreated() {
    tk::Window& w = *mainWindow_;
    state_.springStiffness =
        static_cast<float>(w.unit(QStringLiteral("滑块条1"))->position() / 10.0);
    state_.springDamping = static_cast<float>(w.unit(QStringLiteral("滑块条2"))->position() / 10.0);
    state_.snowDrift = 2;

    if (!checkEngine()) {
        refused_ = true;
        w.setVisible(false); // the process ends; the window never appears
        return true;
    }
    engine_.init(-1, 44100, 0, nullptr, nullptr);
    engine_.streamFree(state_.playback.currentStream);
    loadDefaultTrack();
    saveButtonPictures();
    state_.playback.musicFolder = platform::musicFolder();
    state_.skin.transparentColour = 0x00FF00FF;
    w.setCaption(state_.playback.trackTitle + kProgramName); // the default track's name first

    optionsWindow_ = std::make_unique<OptionsWindow>(services_, w,
                                                     [this] { return state_.playback.trackTitle; });
    optionsWindow_->load();
    skin::applyStartupSkin(w, state_.skin);
    transport_->transport(playback::PlaybackCommand::Stop);
    createSliders();
    return true;
}

bool Player::checkEngine() {
    QString detail;
    const auto result = engine_.load(programDirectory_, &detail);
    if (result == playback::EngineLibrary::LoadResult::Loaded)
        return true;
    const QString file = playback::EngineLibrary::fileName();
    const EngineMessage message = result == playback::EngineLibrary::LoadResult::Missing
                                      ? missingEngineMessage(file, makerSite())
                                      : wrongEngineVersionMessage(file);
    if (!detail.isEmpty())
        std::fprintf(stderr, "tarvo: %s\n", qPrintable(detail));
    if (services_.messageBox)
        services_.messageBox->show(message.text, tk::MessageBoxService::ErrorIcon, message.title,
                                   nullptr);
    return false;
}

void Player::loadDefaultTrack() {
    const QString path = QDir(programDirectory_).absoluteFilePath(QStringLiteral("2.mp3"));
    state_.playback.currentStream = transport_->loadTrack(path);
}

void Player::createSliders() {
    tk::Window& w = *mainWindow_;
    const auto widget = [&w](const char* name) {
        return w.unit(QString::fromUtf8(name))->widget();
    };
    sliders_.createSlider(widget("图形按钮进度"), widget("透明标签进度"), widget("编辑框进度"), 0,
                          100, 0, 0);
    sliders_.createSlider(widget("图形按钮音量"), widget("透明标签音量"), widget("编辑框音量"), 0,
                          100, 50, 0);
}

void Player::saveButtonPictures() {
    for (std::size_t i = 0; i < kSavedPictureButtons.size(); ++i)
        state_.playback.savedButtonPictures[i] =
            mainWindow_->unit(kSavedPictureButtons[i])->picture(1);
}

void Player::releaseEngine() {
    if (engine_.isLoaded() && !engineFreed_) {
        engine_.free();
        engineFreed_ = true;
        state_.playback.currentStream = 0;
    }
}

void Player::onExit() {
    if (snow_)
        snow_->stop();
    releaseEngine();
    transport_->transport(playback::PlaybackCommand::Stop);
    if (services_.trayIcon)
        services_.trayIcon->remove();
    QCoreApplication::exit(0);
}

void Player::onMainWindowClosing() {
    if (snow_)
        snow_->stop();
    releaseEngine();
    // Files dropped on the window are not accepted by this player, so there is no drop
    // registration to withdraw.
    if (services_.trayIcon)
        services_.trayIcon->remove();
}

} // namespace app
