#pragma once

#include <QDateTime>
#include <QDir>
#include <QString>
#include <QStringList>
#include <optional>

namespace playback {

// What plays before and after the current track: either a list of files the person gave (on
// the command line, by dropping them on the window) or, once a single file is opened, the
// other audio files of its folder in natural order ("2 …" before "10 …"). The folder is read
// again at every step, so files added or removed meanwhile count. The playlist only proposes
// files; whoever plays them skips those the engine refuses by stepping again.
class Playlist {
  public:
    // Audio files by their name's extension (case-insensitive).
    static bool looksLikeAudio(const QString& path);
    // The extensions of the formats the engine decodes, lower case.
    static const QStringList& audioExtensions();
    // Orders file names as a person reads them: numbers by value, letters without case.
    static int compareNaturally(const QString& a, const QString& b);
    static void sortNaturally(QStringList& names);

    // A given list of files; `current` is the one playing (-1: none yet).
    void setFiles(const QStringList& files, int current = 0);
    // The folder of `file`, with `file` as the current track.
    void followFolderOf(const QString& file);
    void clear();

    QString current() const { return current_; }
    bool isEmpty() const { return current_.isEmpty() && files_.isEmpty(); }
    // The file after (before) the current one, which becomes the current; nothing at the end
    // (start), where the current one stays.
    std::optional<QString> next();
    std::optional<QString> previous();
    bool hasNext() const;
    bool hasPrevious() const;

  private:
    // The list to step through now: the given files, or the folder as it is (with the current
    // track in its place even when it has been removed).
    QStringList entries() const;
    // The index one step away from the current track in `list`, if there is one.
    std::optional<int> neighbour(const QStringList& list, int direction) const;
    std::optional<QString> step(int direction);

    // The folder's audio files in natural order, read again only when the folder changes
    // (its modification time or size): the neighbours are asked for at every change of state.
    struct FolderListing {
        QString path;
        QDateTime modified;
        qint64 size = -1;
        QStringList names;
    };
    const QStringList& folderNames(const QDir& folder) const;

    mutable FolderListing listing_;
    bool followFolder_ = false;
    QStringList files_; // the given list
    int index_ = -1;    // place of the current one in files_
    QString current_;
};

} // namespace playback
