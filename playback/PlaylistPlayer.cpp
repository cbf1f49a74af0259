#include "PlaylistPlayer.h"

#include "PlaybackModel.h"

#include <QFileInfo>

namespace playback {

PlaylistPlayer::PlaylistPlayer(PlaybackModel& model, QObject* parent)
    : QObject(parent), model_(model) {
    connect(&model_, &PlaybackModel::ended, this, [this] { next(); });
}

bool PlaylistPlayer::openFiles(const QStringList& files) {
    for (int i = 0; i < files.size(); ++i) {
        const QString path = QFileInfo(files[i]).absoluteFilePath();
        if (!model_.open(path))
            continue;
        if (files.size() == 1) {
            playlist_.followFolderOf(path);
        } else {
            QStringList absolute;
            for (const QString& file : files)
                absolute << QFileInfo(file).absoluteFilePath();
            playlist_.setFiles(absolute, i);
        }
        emit navigationChanged();
        return true;
    }
    return false;
}

bool PlaylistPlayer::next() {
    return step(true);
}

bool PlaylistPlayer::previous() {
    return step(false);
}

bool PlaylistPlayer::step(bool forwards) {
    // Tried on a copy, so that a list whose remaining files all fail keeps its place.
    Playlist trial = playlist_;
    while (const std::optional<QString> file = forwards ? trial.next() : trial.previous()) {
        if (model_.open(*file)) {
            playlist_ = trial;
            emit navigationChanged();
            return true;
        }
    }
    return false;
}

} // namespace playback
