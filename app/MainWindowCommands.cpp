#include "MainWindowCommands.h"

#include "AboutWindowUnits.h"
#include "EdgeAutoHide.h"
#include "Layouts.h"
#include "MainWindowUnits.h"
#include "PicksWindowUnits.h"
#include "ProgramState.h"
#include "ScreenCanvas.h"
#include "SiteFetch.h"
#include "SnowRunner.h"
#include "Window.h"
#include "X11Desktop.h"

#include <QCursor>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTextBrowser>
#include <QWidget>

namespace app {
namespace {

namespace units = ui::main_window;

} // namespace

MainWindowCommands::MainWindowCommands(tk::Window& mainWindow, ProgramState& state,
                                       const tk::Services& services, MakerSite site)
    : window_(mainWindow), state_(state), services_(services), site_(std::move(site)),
      cursor_([] { return QCursor::pos(); }), screen_([this] {
          const QScreen* screen = window_.widget() ? window_.widget()->screen() : nullptr;
          screen = screen ? screen : QGuiApplication::primaryScreen();
          return screen ? screen->geometry() : QRect();
      }) {
    if (QWidget* widget = window_.widget())
        widget->installEventFilter(this);
}

MainWindowCommands::~MainWindowCommands() = default;

void MainWindowCommands::bind() {
    using E = tk::EventKind;
    const auto on = [this](const QString& unit, E event, std::function<void()> f) {
        window_.bind(unit, event, [f = std::move(f)](const tk::EventArgs&) {
            f();
            return true;
        });
    };
    on(units::kExpandButton, E::Click, [this] { expand(); });
    on(units::kCollapseButton, E::Click, [this] { collapse(); });
    on(units::kAnimationTimer, E::Tick, [this] { onAnimationTick(); });
    on(units::kEdgeTimer, E::Tick, [this] { onEdgeTick(); });
    on(units::kStiffnessSlider, E::PositionChanged, [this] { onStiffnessChanged(); });
    on(units::kDampingSlider, E::PositionChanged, [this] { onDampingChanged(); });
    // The hidden "wind" button sets the snowfall's drift to the value start-up gives it.
    on(units::kWindButton, E::Click, [this] { state_.snowDrift = 2; });
    on(units::kSnowTile, E::LeftPressed, [this] { toggleSnow(); });
    on(units::kWebTile, E::LeftPressed, [this] { openHomePage(); });
    on(units::kPanelCover, E::LeftPressed, [this] { openHomePage(); });
    on(units::kPicksTile, E::LeftPressed, [this] { openPicksWindow(); });
    on(units::kAboutTile, E::LeftPressed, [this] { openAboutWindow(); });
    window_.bind(units::kPanelBrowser, E::AboutToNavigate, [this](const tk::EventArgs& args) {
        onPanelNavigation(args.address);
        return true;
    });
    // The panel never navigates by itself: its links go to the browser.
    if (auto* browser = qobject_cast<QTextBrowser*>(window_.unit(units::kPanelBrowser)->object()))
        browser->setOpenLinks(false);
    updateEdgeTimer();
}

void MainWindowCommands::setScreenSource(std::function<QPoint()> cursor,
                                         std::function<QRect()> screen) {
    cursor_ = std::move(cursor);
    screen_ = std::move(screen);
}

QRect MainWindowCommands::screenGeometry() const {
    return screen_();
}

void MainWindowCommands::startAnimation(float target) {
    height_.setTarget(target);
    window_.unit(units::kAnimationTimer)->setInterval(kAnimationInterval);
}

void MainWindowCommands::expand() {
    startAnimation(HeightAnimation::ExpandedHeight);
}

void MainWindowCommands::collapse() {
    startAnimation(HeightAnimation::CollapsedHeight);
}

void MainWindowCommands::onAnimationTick() {
    const HeightStep step = height_.step(window_.height(), screenGeometry().height(),
                                         state_.springStiffness, state_.springDamping);
    window_.move({}, step.top, {}, step.height);
    if (step.done)
        window_.unit(units::kAnimationTimer)->setInterval(0);
}

void MainWindowCommands::onStiffnessChanged() {
    state_.springStiffness =
        static_cast<float>(window_.unit(units::kStiffnessSlider)->position() / 10.0);
}

void MainWindowCommands::onDampingChanged() {
    state_.springDamping =
        static_cast<float>(window_.unit(units::kDampingSlider)->position() / 10.0);
}

void MainWindowCommands::onEdgeTick() {
    const QRect screen = screenGeometry();
    const QRect rect(window_.left(), window_.top(), window_.width(), window_.height());
    // The screen's own origin is the reference of the edges.
    const QPoint origin = screen.topLeft();
    const auto move = edgeAutoHide(cursor_() - origin, rect.translated(-origin), screen.width());
    if (!move)
        return;
    if (move->coordinate == EdgeMove::Coordinate::Left && move->value + origin.x() != rect.left())
        window_.move(move->value + origin.x(), {});
    else if (move->coordinate == EdgeMove::Coordinate::Top &&
             move->value + origin.y() != rect.top())
        window_.move({}, move->value + origin.y());
}

void MainWindowCommands::updateEdgeTimer() {
    const QRect screen = screenGeometry();
    const int left = window_.left() - screen.left();
    const int top = window_.top() - screen.top();
    const bool atEdge =
        left <= 0 || left + window_.width() >= screen.width() || top <= 0 || screen.isEmpty();
    window_.unit(units::kEdgeTimer)->setInterval(atEdge ? kEdgeInterval : 0);
}

bool MainWindowCommands::eventFilter(QObject* watched, QEvent* event) {
    // The event's type first: a widget being destroyed is no longer of its own type.
    const QEvent::Type type = event->type();
    if ((type == QEvent::Move || type == QEvent::Resize || type == QEvent::Show) &&
        watched == window_.widget())
        updateEdgeTimer();
    return false;
}

void MainWindowCommands::openHomePage() {
    if (services_.webOpener)
        services_.webOpener->open(site_.homePage().toString());
}

void MainWindowCommands::onPanelNavigation(const QString& address) {
    if (services_.webOpener && !address.isEmpty())
        services_.webOpener->open(address);
}

void MainWindowCommands::raise(tk::Window& window) {
    if (QWidget* widget = window.widget()) {
        widget->showNormal();
        widget->raise();
        widget->activateWindow();
    }
}

void MainWindowCommands::openPicksWindow() {
    if (picks_ && !picks_->isDestroyed()) {
        raise(*picks_);
        return;
    }
    picks_ = ui::buildWindow(QStringLiteral("picks"));
    tk::Window& picks = *picks_;
    picks.bind({}, tk::EventKind::Created, [this, &picks](const tk::EventArgs&) {
        picks.setCaption(ui::picks_window::kCaption);
        // Filled when the text arrives; a failed fetch leaves the box empty, without a word.
        if (services_.httpReader)
            fetchSiteText(*services_.httpReader, site_.picksText(), picks.widget(),
                          [&picks](const QString& text) {
                              picks.unit(ui::picks_window::kText)->setText(text);
                          });
        return true;
    });
    picks.load();
}

void MainWindowCommands::openAboutWindow() {
    if (about_ && !about_->isDestroyed()) {
        raise(*about_);
        return;
    }
    about_ = ui::buildWindow(QStringLiteral("about"));
    tk::Window& about = *about_;
    about.bind(ui::about_window::kClosePicture, tk::EventKind::LeftPressed,
               [&about](const tk::EventArgs&) {
                   about.destroy();
                   return true;
               });
    about.load();
}

void MainWindowCommands::toggleSnow() {
    if (!snow_)
        snow_ = std::make_unique<vis::SnowRunner>(
            std::make_unique<vis::ScreenCanvas<platform::X11Desktop>>(),
            std::make_unique<vis::SeededRandom>(vis::clockSeed()),
            [this] { return state_.snowDrift; });
    snow_->toggle();
}

void MainWindowCommands::stopSnow() {
    if (snow_)
        snow_->stop();
}

bool MainWindowCommands::isSnowing() const {
    return snow_ && snow_->isRunning();
}

void MainWindowCommands::showPicksPanelWhenOnline() {
    tk::Unit& cover = *window_.unit(units::kPanelCover);
    if (!services_.connectivityCheck)
        return;
    QWidget* context = cover.widget();
    services_.connectivityCheck->check(context, [this, &cover, context](bool online) {
        if (!online)
            return; // the banner keeps its place
        cover.setVisible(false);
        if (services_.httpReader) {
            auto* browser =
                qobject_cast<QTextBrowser*>(window_.unit(units::kPanelBrowser)->object());
            if (browser)
                fetchSitePage(*services_.httpReader, site_.panelPage(), browser);
        }
        services_.connectivityCheck->check(context, [&cover](bool stillOnline) {
            if (!stillOnline)
                cover.setVisible(true);
        });
    });
}

} // namespace app
