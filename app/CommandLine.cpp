#include "CommandLine.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QUrl>

namespace app {

std::optional<CommandLine> parseCommandLine(const QStringList& arguments, QString* message,
                                            int* exitCode) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Tarvo, a skinned music player."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and exit."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the version and exit."));
    const QCommandLineOption screenshot(
        QStringLiteral("screenshot"),
        QStringLiteral("Save a PNG of the main window to FILE (after --quit-after seconds, "
                       "else after 3 seconds)."),
        QStringLiteral("FILE"));
    const QCommandLineOption quitAfter(QStringLiteral("quit-after"),
                                       QStringLiteral("Quit after SECONDS seconds."),
                                       QStringLiteral("SECONDS"));
    const QCommandLineOption site(
        QStringLiteral("site"),
        QStringLiteral("Use URL as the maker's web site (default: $%1, else %2).")
            .arg(QLatin1String(MakerSite::EnvironmentVariable),
                 QLatin1String(MakerSite::BuiltInAddress)),
        QStringLiteral("URL"));
    parser.addPositionalArgument(
        QStringLiteral("FILE"),
        QStringLiteral("Audio files to play: the first at once, the others after it. One file "
                       "brings the other audio files of its folder. A running Tarvo is handed "
                       "the files instead."),
        QStringLiteral("[FILE...]"));
    parser.addOption(help);
    parser.addOption(version);
    parser.addOption(screenshot);
    parser.addOption(quitAfter);
    parser.addOption(site);
    if (!parser.parse(arguments)) {
        *message = parser.errorText() + QStringLiteral("\n\n") + parser.helpText();
        *exitCode = 2;
        return std::nullopt;
    }
    if (parser.isSet(help)) {
        *message = parser.helpText();
        *exitCode = 0;
        return std::nullopt;
    }
    if (parser.isSet(version)) {
        *message = QStringLiteral("tarvo %1\n").arg(QStringLiteral(TARVO_VERSION));
        *exitCode = 0;
        return std::nullopt;
    }
    CommandLine line;
    line.screenshotPath = parser.value(screenshot);
    if (parser.isSet(quitAfter)) {
        bool ok = false;
        const double seconds = parser.value(quitAfter).toDouble(&ok);
        if (!ok || seconds < 0) {
            *message = QStringLiteral("--quit-after needs a number of seconds, not \"%1\"\n")
                           .arg(parser.value(quitAfter));
            *exitCode = 2;
            return std::nullopt;
        }
        line.quitAfter = seconds;
    }
    if (parser.isSet(site)) {
        QString why;
        line.site = MakerSite::fromAddress(parser.value(site), &why);
        if (!line.site) {
            *message = QStringLiteral("--site: %1\n").arg(why);
            *exitCode = 2;
            return std::nullopt;
        }
    }
    for (const QString& argument : parser.positionalArguments()) {
        const QUrl address(argument);
        const QString path = address.isLocalFile() ? address.toLocalFile() : argument;
        line.files << QFileInfo(path).absoluteFilePath();
    }
    return line;
}

} // namespace app
