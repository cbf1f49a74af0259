#include "Playlist.h"

#include <QCollator>
#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace playback {
namespace {

// The formats the engine decodes, by the extensions their files carry.
const QStringList kAudioExtensions = {"mp3",  "mp2",  "mp1", "mpga", "ogg",  "oga",
                                      "opus", "flac", "wav", "aif",  "aiff", "aifc",
                                      "aac",  "m4a",  "wma", "ape",  "wv"};

} // namespace

bool Playlist::looksLikeAudio(const QString& path) {
    return kAudioExtensions.contains(QFileInfo(path).suffix().toLower());
}

void Playlist::sortNaturally(QStringList& names) {
    QCollator collator;
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(names.begin(), names.end(), [&collator](const QString& a, const QString& b) {
        return collator.compare(a, b) < 0;
    });
}

void Playlist::setFiles(const QStringList& files, int current) {
    followFolder_ = false;
    files_ = files;
    index_ = current >= 0 && current < files.size() ? current : -1;
    current_ = index_ >= 0 ? files_[index_] : QString();
}

void Playlist::followFolderOf(const QString& file) {
    followFolder_ = true;
    files_.clear();
    index_ = -1;
    current_ = QFileInfo(file).absoluteFilePath();
}

void Playlist::clear() {
    setFiles({});
}

QStringList Playlist::entries() const {
    if (!followFolder_)
        return files_;
    const QFileInfo here(current_);
    QDir folder = here.absoluteDir();
    QStringList names;
    for (const QFileInfo& entry : folder.entryInfoList(QDir::Files | QDir::Readable)) {
        if (looksLikeAudio(entry.fileName()))
            names << entry.fileName();
    }
    // The current file counts even when it is gone, so that the steps go on from its place.
    if (!names.contains(here.fileName()))
        names << here.fileName();
    sortNaturally(names);
    for (QString& name : names)
        name = folder.absoluteFilePath(name);
    return names;
}

std::optional<int> Playlist::neighbour(const QStringList& list, int direction) const {
    const int at = followFolder_ ? static_cast<int>(list.indexOf(current_)) : index_;
    if (at < 0) // nothing current yet: the first step forwards is the first entry
        return direction > 0 && !list.isEmpty() ? std::optional<int>(0) : std::nullopt;
    const int target = at + direction;
    if (target < 0 || target >= list.size())
        return std::nullopt;
    return target;
}

std::optional<QString> Playlist::step(int direction) {
    const QStringList list = entries();
    const std::optional<int> target = neighbour(list, direction);
    if (!target)
        return std::nullopt;
    index_ = *target;
    current_ = list[*target];
    return current_;
}

std::optional<QString> Playlist::next() {
    return step(1);
}

std::optional<QString> Playlist::previous() {
    return step(-1);
}

bool Playlist::hasNext() const {
    return neighbour(entries(), 1).has_value();
}

bool Playlist::hasPrevious() const {
    return neighbour(entries(), -1).has_value();
}

} // namespace playback
