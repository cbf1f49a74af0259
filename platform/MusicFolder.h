#pragma once

#include <QString>
#include <functional>

namespace platform {

// Looks up an environment variable; empty when unset.
using Environment = std::function<QString(const QString& name)>;
Environment processEnvironment();

// Expands $NAME and ${NAME} references; unknown variables expand to nothing.
QString expandVariables(const QString& text, const Environment& environment);

// The user's music folder: XDG_MUSIC_DIR from the environment or from the user-dirs file
// ($XDG_CONFIG_HOME/user-dirs.dirs, default ~/.config/user-dirs.dirs), with its variables
// expanded. Empty when none is set, as a missing registry value would be.
QString musicFolder(const Environment& environment = processEnvironment());

} // namespace platform
