#pragma once

#include "MprisBackend.h"

#include <QString>
#include <QVariantMap>
#include <optional>

// The backend's state in the types the media-control interfaces put on the bus.
namespace platform::mpris {

// "/org/tarvo/Track/<id>", or the path that means "no track" for id 0.
QString trackObjectPath(uint64_t trackId);
// mpris:trackid (an object path) always; length (int64 µs), title, artist (a list of
// strings), album and url (a file URI) when known.
QVariantMap metadataMap(const MprisTrack& track);
QString playbackStatusName(MprisPlaybackStatus status);

// The local file a file:// URI names; nothing, with the reason in `why`, for anything else
// (another scheme, another host, a relative path, a file that is not there).
std::optional<QString> localFileFromUri(const QString& uri, QString* why);

} // namespace platform::mpris
