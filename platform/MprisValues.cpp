#include "MprisValues.h"

#include <QDBusObjectPath>
#include <QFileInfo>
#include <QUrl>

namespace platform::mpris {

QString trackObjectPath(uint64_t trackId) {
    if (trackId == 0)
        return QStringLiteral("/org/mpris/MediaPlayer2/TrackList/NoTrack");
    return QStringLiteral("/org/tarvo/Track/%1").arg(trackId);
}

QVariantMap metadataMap(const MprisTrack& track) {
    QVariantMap map;
    map.insert(QStringLiteral("mpris:trackid"),
               QVariant::fromValue(QDBusObjectPath(trackObjectPath(track.id))));
    if (track.id == 0)
        return map;
    if (track.lengthUs > 0)
        map.insert(QStringLiteral("mpris:length"), qlonglong(track.lengthUs));
    if (!track.title.isEmpty())
        map.insert(QStringLiteral("xesam:title"), track.title);
    if (!track.artist.isEmpty())
        map.insert(QStringLiteral("xesam:artist"), QStringList{track.artist});
    if (!track.album.isEmpty())
        map.insert(QStringLiteral("xesam:album"), track.album);
    if (!track.path.isEmpty())
        map.insert(QStringLiteral("xesam:url"),
                   QUrl::fromLocalFile(track.path).toString(QUrl::FullyEncoded));
    return map;
}

QString playbackStatusName(MprisPlaybackStatus status) {
    switch (status) {
    case MprisPlaybackStatus::Playing:
        return QStringLiteral("Playing");
    case MprisPlaybackStatus::Paused:
        return QStringLiteral("Paused");
    case MprisPlaybackStatus::Stopped:
        break;
    }
    return QStringLiteral("Stopped");
}

std::optional<QString> localFileFromUri(const QString& uri, QString* why) {
    const QUrl url(uri, QUrl::StrictMode);
    const bool localHost = url.host().isEmpty() || url.host() == QLatin1String("localhost");
    if (!url.isValid() || url.scheme() != QLatin1String("file") || !localHost) {
        *why = QStringLiteral("not a local file URI: %1").arg(uri);
        return std::nullopt;
    }
    const QFileInfo file(url.path(QUrl::FullyDecoded));
    if (!file.isAbsolute()) {
        *why = QStringLiteral("the URI has no absolute path: %1").arg(uri);
        return std::nullopt;
    }
    if (!file.isFile()) {
        *why = QStringLiteral("no such file: %1").arg(file.filePath());
        return std::nullopt;
    }
    return file.absoluteFilePath();
}

} // namespace platform::mpris
