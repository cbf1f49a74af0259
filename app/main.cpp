#include "CommandLine.h"
#include "NetworkRoutes.h"
#include "Player.h"
#include "QtConnectivityCheck.h"
#include "QtHttpReader.h"
#include "QtServices.h"
#include "SingleInstance.h"
#include "SiteFetch.h"
#include "TerminationSignals.h"

#include <QApplication>
#include <QFont>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <cstdio>

namespace {

// Saves what the screen shows of the main window.
bool saveScreenshot(const QWidget* window, const QString& path) {
    QPixmap shot;
    if (QGuiApplication::platformName() == QLatin1String("xcb") && window->screen())
        shot = window->screen()->grabWindow(0, window->x(), window->y(), window->width(),
                                            window->height());
    if (shot.isNull())
        shot = const_cast<QWidget*>(window)->grab();
    return shot.save(path, "PNG");
}

} // namespace

int main(int argc, char* argv[]) {
    // The options first: --help and --version need no display. Arguments are UTF-8 whatever
    // the locale says.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromUtf8(argv[i]);
    QString message;
    int exitCode = 0;
    const auto options = app::parseCommandLine(arguments, &message, &exitCode);
    if (!options) {
        std::fputs(message.toUtf8().constData(), exitCode == 0 ? stdout : stderr);
        return exitCode;
    }

    // The player places its own window and draws on the desktop: it needs X11 (or XWayland).
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        if (qEnvironmentVariableIsEmpty("DISPLAY")) {
            std::fprintf(stderr, "tarvo: no X display: DISPLAY is not set (scripts/run starts "
                                 "one under Xvfb)\n");
            return 1;
        }
        qputenv("QT_QPA_PLATFORM", "xcb");
    }
    // The analyser repaints its box 25 times a second: through shared memory each repaint
    // waits for the X server to be done with the last one (a round trip); sent in the request
    // it does not, and costs the player and the server less (measured under Xvfb).
    if (qEnvironmentVariableIsEmpty("QT_XCB_NO_MITSHM"))
        qputenv("QT_XCB_NO_MITSHM", "1");
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tarvo"));
    QApplication::setFont(QFont(QStringLiteral("WenQuanYi Micro Hei"), 9));

    const auto site = app::MakerSite::choose(
        options->site, qEnvironmentVariable(app::MakerSite::EnvironmentVariable), &message);
    if (!site) {
        std::fprintf(stderr, "tarvo: %s\n", qPrintable(message));
        return 2;
    }

    tk::QtMessageBox messageBox;
    tk::QtFileDialog fileDialog;
    tk::QtTrayIcon trayIcon;
    tk::QtWebOpener webOpener;
    tk::QtHttpReader http;
    tk::QtConnectivityCheck online(http, site->homePage(), app::SiteRequestTimeoutMs,
                                   platform::systemHasNoDefaultRoute);
    const tk::Services services{&messageBox, &fileDialog, &trayIcon, &webOpener, &http, &online};

    // One player: files for a player already running are handed to it.
    if (!options->files.isEmpty() && platform::handOverToRunningInstance(options->files))
        return 0;

    app::Player player(services, QApplication::applicationDirPath(), *site);
    if (!player.start())
        return 1; // the engine check refused; its message has been shown
    if (!options->files.isEmpty())
        player.openFiles(options->files);
    // Told to end by a signal, the player ends as from its exit button.
    const platform::TerminationSignals termination([&player](int) { player.quit(); });
    // The desktop's media controls find the player once its window is up.
    QTimer::singleShot(0, &application, [&player] { player.publishOnSessionBus(); });

    // The screenshot is taken in the same tick that quits, so it always comes first: two
    // separate coarse timers may fire in either order.
    const auto takeScreenshot = [&] {
        if (saveScreenshot(player.mainWindow()->widget(), options->screenshotPath))
            std::printf("screenshot: %s\n", qPrintable(options->screenshotPath));
        else
            std::fprintf(stderr, "tarvo: cannot save the screenshot to %s\n",
                         qPrintable(options->screenshotPath));
        std::fflush(stdout);
    };
    const bool wantsScreenshot = !options->screenshotPath.isEmpty();
    if (options->quitAfter) {
        QTimer::singleShot(static_cast<int>(*options->quitAfter * 1000), Qt::PreciseTimer,
                           &application, [&] {
                               if (wantsScreenshot)
                                   takeScreenshot();
                               QCoreApplication::exit(0);
                           });
    } else if (wantsScreenshot) {
        QTimer::singleShot(3000, Qt::PreciseTimer, &application, takeScreenshot);
    }
    return QApplication::exec();
}
