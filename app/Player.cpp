#include "Player.h"

#include "EngineMessages.h"
#include "Layouts.h"
#include "MainWindowAnalyser.h"
#include "MainWindowCommands.h"
#include "MainWindowTransport.h"
#include "MainWindowUnits.h"
#include "MakerSite.h"
#include "MprisBridge.h"
#include "MusicFolder.h"
#include "OptionsWindow.h"
#include "PlayerCommands.h"
#include "PropertiesWindow.h"
#include "StartupSkin.h"
#include "TransportTexts.h"
#include "UnitFactory.h"
#include "WindowDrag.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTimer>
#include <cstdio>

namespace app {
namespace {

namespace units = ui::main_window;

// How long after the window appears the picks panel's connectivity check starts.
constexpr int kNetworkCheckDelayMs = 300;

// The buttons whose normal pictures start-up keeps, in the order of savedButtonPictures.
const std::array<QString, 5> kSavedPictureButtons = {
    units::kMuteButton, units::kPlaylistButton, units::kEqualiserButton, units::kMusicWindowButton,
    units::kLyricsButton};

// The buttons the skin markup places at start-up, then the labels it styles, in order.
const QStringList kSkinnedButtons = {
    units::kLyricsButton,      units::kEqualiserButton, units::kPlaylistButton,
    units::kMusicWindowButton, units::kMinimiseButton,  units::kExitButton,
    units::kProgressThumb,     units::kVolumeThumb,     units::kTimeButton};
const QStringList kSkinnedLabels = {units::kInfoLabel, units::kStatusLabel, units::kChannelLabel,
                                    units::kProgressTrack, units::kVolumeTrack};


} // namespace

Player::Player(const tk::Services& services, const QString& programDirectory, MakerSite site)
    : services_(services), programDirectory_(programDirectory), site_(std::move(site)),
      timeDisplay_(state_.skin, *services.messageBox) {
    timeDisplay_.loadStrip(tk::skinPicture(QStringLiteral("led/digits.bmp")));
    // The engine maps while the windows are built; the created steps check it. After the
    // strip, so that Qt's image plugins are not queued behind it in the dynamic loader.
    playback_.beginLoadingEngine(programDirectory_);
}

Player::~Player() {
    mpris_.reset(); // leaves the bus before anything it reports on goes
    properties_.reset();
    // The options window is owned by the main window's widget: destroy it first.
    optionsWindow_.reset();
    commands_.reset();
    windowCommands_.reset();
    analyser_.reset();
    transport_.reset();
    mainWindow_.reset();
    playback_.releaseEngine();
}

bool Player::start() {
    mainWindow_ = ui::buildWindow(QStringLiteral("main"));
    tk::Window& w = *mainWindow_;
    transport_ = std::make_unique<MainWindowTransport>(playback_, playlist_, w, sliders_,
                                                       timeDisplay_, *services_.fileDialog, state_);
    analyser_ = std::make_unique<MainWindowAnalyser>(playback_, w);
    windowCommands_ = std::make_unique<MainWindowCommands>(w, state_, services_, site_);
    commands_ = std::make_unique<PlayerCommands>(*transport_, playback_, playlist_);
    bindMainWindow(w);
    windowCommands_->bind();
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
    window.bind(units::kExitButton, E::Click, [this](const tk::EventArgs&) {
        onExit();
        return true;
    });
    window.bind(units::kInfoLabel, E::DoubleClick, [this](const tk::EventArgs&) {
        openPropertiesWindow();
        return true;
    });
    window.bind(units::kMinimiseButton, E::Click, [this](const tk::EventArgs&) {
        mainWindow_->setPlacement(2);
        return true;
    });
}

// The main window's "created" steps, in their fixed order.
bool Player::onMainWindowCreated() {
    tk::Window& w = *mainWindow_;
    state_.springStiffness = static_cast<float>(w.unit(units::kStiffnessSlider)->position() / 10.0);
    state_.springDamping = static_cast<float>(w.unit(units::kDampingSlider)->position() / 10.0);
    state_.snowDrift = 2;

    if (!checkEngine()) {
        refused_ = true;
        w.setVisible(false); // the process ends; the window never appears
        return true;
    }
    playback_.startEngine();
    loadDefaultTrack();
    saveButtonPictures();
    state_.musicFolder = platform::musicFolder();
    state_.skin.transparentColour = 0x00FF00FF;
    // The default track's name first.
    w.setCaption(playback_.track().displayName + texts::kProgramName);

    optionsWindow_ = std::make_unique<OptionsWindow>(
        services_, w, [this] { return playback_.track().displayName; });
    optionsWindow_->load();
    analyser_->useSettingsOf(optionsWindow_->window());
    skin::applyStartupSkin(w, state_.skin, kSkinnedButtons, kSkinnedLabels);
    playback_.stop();
    transport_->showState(playback_.state());
    createSliders();
    analyser_->captureBackground();
    offerMenus(w);
    offerShortcuts(w);
    w.setDropHandler([this](const QStringList& files) { openFiles(files); });
    // The network is asked once the window is up: loading its modules would delay it.
    QTimer::singleShot(kNetworkCheckDelayMs, mainWindow_.get(),
                       [this] { windowCommands_->showPicksPanelWhenOnline(); });
    return true;
}

bool Player::checkEngine() {
    QString detail;
    using Status = playback::PlaybackModel::EngineStatus;
    const Status result = playback_.loadEngine(programDirectory_, &detail);
    if (result == Status::Loaded)
        return true;
    const QString file = playback::PlaybackModel::engineFileName();
    const EngineMessage message = result == Status::Missing
                                      ? missingEngineMessage(file, site_.root())
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
    if (QFileInfo::exists(path)) // an optional file: its absence is no failure to report
        playback_.load(path);
}

void Player::createSliders() {
    tk::Window& w = *mainWindow_;
    const auto widget = [&w](const QString& name) { return w.unit(name)->widget(); };
    sliders_.createSlider(widget(units::kProgressThumb), widget(units::kProgressTrack),
                          widget(units::kProgressBox), 0, 100, 0, 0);
    sliders_.createSlider(widget(units::kVolumeThumb), widget(units::kVolumeTrack),
                          widget(units::kVolumeBox), 0, 100, 50, 0);
}

void Player::saveButtonPictures() {
    for (std::size_t i = 0; i < kSavedPictureButtons.size(); ++i)
        state_.savedButtonPictures[i] = mainWindow_->unit(kSavedPictureButtons[i])->picture(1);
}

void Player::onExit() {
    windowCommands_->stopSnow();
    playback_.releaseEngine();
    playback_.stop();
    if (services_.trayIcon)
        services_.trayIcon->remove();
    QCoreApplication::exit(0);
}

bool Player::openFiles(const QStringList& files) {
    return playlist_.openFiles(files);
}

void Player::openPropertiesWindow() {
    if (properties_ && properties_->isOpen()) {
        properties_->raise();
        return;
    }
    properties_ = std::make_unique<PropertiesWindow>(mainWindow_->widget(), [this] {
        return TrackInfo{playback_.track().path, playback_.lengthMs(), playback_.sampleRate(),
                         playback_.channels()};
    });
    PropertiesWindow* window = properties_.get();
    QObject::connect(&playback_, &playback::PlaybackModel::trackChanged, window,
                     &PropertiesWindow::showTrack);
    const auto navigation = [this, window] {
        window->setTrackNavigation(playlist_.hasPrevious(), playlist_.hasNext());
    };
    QObject::connect(&playlist_, &playback::PlaylistPlayer::navigationChanged, window, navigation);
    QObject::connect(window, &PropertiesWindow::previousRequested, &playlist_,
                     &playback::PlaylistPlayer::previous);
    QObject::connect(window, &PropertiesWindow::nextRequested, &playlist_,
                     &playback::PlaylistPlayer::next);
    properties_->load();
    navigation();
}

bool Player::publishOnSessionBus() {
    if (!mpris_)
        mpris_ = std::make_unique<MprisBridge>(
            playback_, playlist_, [this] { raiseMainWindow(); },
            [this](const QStringList& files) {
                openFiles(files);
                raiseMainWindow();
            });
    return mpris_->registerOnSessionBus();
}

void Player::onMainWindowClosing() {
    windowCommands_->stopSnow();
    playback_.releaseEngine();
    mainWindow_->setDropHandler({});
    if (services_.trayIcon)
        services_.trayIcon->remove();
}

} // namespace app
