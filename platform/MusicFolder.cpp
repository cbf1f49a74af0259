#include "MusicFolder.h"

#include <QFile>
#include <QRegularExpression>
#include <QTextStream>

namespace platform {

Environment processEnvironment() {
    return [](const QString& name) { return qEnvironmentVariable(name.toLocal8Bit().constData()); };
}

QString expandVariables(const QString& text, const Environment& environment) {
    static const QRegularExpression reference(
        QStringLiteral(R"(\$\{([A-Za-z_][A-Za-z0-9_]*)\}|\$([A-Za-z_][A-Za-z0-9_]*))"));
    QString result;
    qsizetype last = 0;
    for (auto it = reference.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        result += text.mid(last, match.capturedStart() - last);
        const QString name = match.captured(1).isEmpty() ? match.captured(2) : match.captured(1);
        result += environment(name);
        last = match.capturedEnd();
    }
    result += text.mid(last);
    return result;
}

namespace {

// The value of XDG_MUSIC_DIR in a user-dirs file: a line XDG_MUSIC_DIR="...".
QString musicDirFromUserDirs(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QTextStream in(&file);
    static const QRegularExpression line(
        QStringLiteral(R"re(^\s*XDG_MUSIC_DIR\s*=\s*"(.*)"\s*$)re"));
    while (!in.atEnd()) {
        const QRegularExpressionMatch match = line.match(in.readLine());
        if (match.hasMatch())
            return match.captured(1);
    }
    return {};
}

} // namespace

QString musicFolder(const Environment& environment) {
    QString value = environment(QStringLiteral("XDG_MUSIC_DIR"));
    if (value.isEmpty()) {
        QString config = environment(QStringLiteral("XDG_CONFIG_HOME"));
        if (config.isEmpty()) {
            const QString home = environment(QStringLiteral("HOME"));
            if (home.isEmpty())
                return {};
            config = home + QStringLiteral("/.config");
        }
        value = musicDirFromUserDirs(config + QStringLiteral("/user-dirs.dirs"));
    }
    return expandVariables(value, environment);
}

} // namespace platform
