#pragma once

#include "core/beats/BeatGrid.h"

#include <QByteArray>
#include <QString>
#include <optional>

class QFileInfo;

// The beats found in a clip, kept in a small file per clip in the per-user
// cache folder, so that a clip opened again shows its beats at once. The
// file is named after the clip's path and holds the clip's size and
// modification time: a clip that changed (or was replaced by another of the
// same name) no longer matches, and its beats are found again.
//
// The file, UTF-8 text, one item a line:
//   Tempoloop beats 2              the format and the beat finder's version
//   Size: 375432                   the clip's size in bytes
//   Modified: 1702147200123        its modification time, ms since 1970 UTC
//   One: 0                         the position of the first beat counted "1"
//   Level: twice                   how the beats are counted (BeatLevel):
//                                  "twice", "half"; no line: as found
//   Beats: 40                      how many beat lines follow
//   0.0000                         one beat a line, seconds, ascending
// The beats are kept as the finder found them; "One:" is counted at the
// level. A clip without a steady beat is kept with "Beats: 0". Anything
// else (a missing line, a count that does not match, a number that is
// none) makes the file unreadable, and the beats are found again.
namespace beats {

struct BeatCacheKey {
    qint64 size = -1;
    qint64 modifiedMs = -1;

    static BeatCacheKey of(const QFileInfo& clip);
    bool operator==(const BeatCacheKey&) const = default;
};

// The first line; the number changes whenever the finder would find other
// beats in the same sound, which retires every older file.
inline constexpr const char* BeatCacheHeader = "Tempoloop beats 2";

// A clip's beats as the finder found them, and how the dancer counts them.
struct KeptBeats {
    QList<double> found;
    BeatCount count;
    // The beats as they are counted.
    BeatGrid counted() const;
    bool operator==(const KeptBeats&) const = default;
};

QByteArray writeBeatCache(const BeatCacheKey& key, const KeptBeats& beats);
// The beats, when the text is a whole cache file made for `key`.
std::optional<KeptBeats> readBeatCache(const QByteArray& text, const BeatCacheKey& key);

// The cache files in one folder.
class BeatCache {
public:
    explicit BeatCache(QString folder) : m_folder(std::move(folder)) {}

    // The cache file of a clip, by the clip's absolute path.
    QString fileFor(const QString& clipPath) const;
    // The beats kept for the clip as it is now on disk, if any.
    std::optional<KeptBeats> load(const QString& clipPath) const;
    // Keeps the beats found in the clip as it was when `key` was taken.
    // False when the file cannot be written (the beats still count for
    // this run).
    bool store(const QString& clipPath, const BeatCacheKey& key, const KeptBeats& beats) const;
    // Keeps how the beats kept for the clip as it is now are counted;
    // false when none are kept for it (or the file cannot be written).
    bool storeCount(const QString& clipPath, BeatCount count) const;

private:
    QString m_folder;
};

} // namespace beats
