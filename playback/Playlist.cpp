#include "Playlist.h"

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

const QStringList& Playlist::audioExtensions() {
    return kAudioExtensions;
}

bool Playlist::looksLikeAudio(const QString& path) {
    return kAudioExtensions.contains(QFileInfo(path).suffix().toLower());
}

int Playlist::compareNaturally(const QString& a, const QString& b) {
    // Runs of digits compare by their value, everything else without case; the same in every
    // locale (a collator's numeric mode is not offered for the POSIX one).
    qsizetype i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (a[i].isDigit() && b[j].isDigit()) {
            const qsizetype i0 = i, j0 = j;
            while (i < a.size() && a[i].isDigit())
                ++i;
            while (j < b.size() && b[j].isDigit())
                ++j;
            // Leading zeros do not count; then the longer run is the larger number.
            QStringView x = QStringView(a).sliced(i0, i - i0),
                        y = QStringView(b).sliced(j0, j - j0);
            while (x.size() > 1 && x.front() == u'0')
                x = x.sliced(1);
            while (y.size() > 1 && y.front() == u'0')
                y = y.sliced(1);
            if (x.size() != y.size())
                return x.size() < y.size() ? -1 : 1;
            if (const int c = x.compare(y))
                return c;
            continue;
        }
        const int c =
            QStringView(a).sliced(i, 1).compare(QStringView(b).sliced(j, 1), Qt::CaseInsensitive);
        if (c != 0)
            return c;
        ++i;
        ++j;
    }
    if (i < a.size() || j < b.size())
        return i < a.size() ? 1 : -1;
    return a.compare(b); // equal but for case: a fixed order all the same
}

void Playlist::sortNaturally(QStringList& names) {
    std::stable_sort(names.begin(), names.end(),
                     [](const QString& a, const QString& b) { return compareNaturally(a, b) < 0; });
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
    const QDir folder = here.absoluteDir();
    QStringList names = folderNames(folder);
    // The current file counts even when it is gone, so that the steps go on from its place.
    if (!names.contains(here.fileName())) {
        names << here.fileName();
        sortNaturally(names);
    }
    for (QString& name : names)
        name = folder.absoluteFilePath(name);
    return names;
}

const QStringList& Playlist::folderNames(const QDir& folder) const {
    const QFileInfo info(folder.absolutePath());
    const QDateTime modified = info.lastModified();
    if (listing_.path == info.absoluteFilePath() && listing_.modified == modified &&
        listing_.size == info.size())
        return listing_.names;
    listing_ = {info.absoluteFilePath(), modified, info.size(), {}};
    for (const QFileInfo& entry : folder.entryInfoList(QDir::Files | QDir::Readable)) {
        if (looksLikeAudio(entry.fileName()))
            listing_.names << entry.fileName();
    }
    sortNaturally(listing_.names);
    return listing_.names;
}

std::optional<int> Playlist::neighbour(const QStringList& list, int direction) const {
    const int at = followFolder_ ? static_cast<int>(list.indexOf(current_)) : index_;
    if (at < 0 && direction < 0) // nothing current yet: only a step forwards, to the first
        return std::nullopt;
    // Files that are no longer there are passed over.
    for (int target = at + direction; target >= 0 && target < list.size(); target += direction) {
        if (QFileInfo::exists(list[target]))
            return target;
    }
    return std::nullopt;
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
