#pragma once

#include "MakerSite.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace app {

struct CommandLine {
    QString screenshotPath;          // --screenshot FILE
    std::optional<double> quitAfter; // --quit-after SECONDS
    std::optional<MakerSite> site;   // --site URL
    QStringList files;               // audio files to play (absolute paths), in order
};

// Parses the player's options and files (paths, or file:// addresses as a file manager may
// give them). On --help or --version, or on a malformed option, `message` receives the text to
// print and nothing is returned; `exitCode` says how the process should end.
std::optional<CommandLine> parseCommandLine(const QStringList& arguments, QString* message,
                                            int* exitCode);

} // namespace app
