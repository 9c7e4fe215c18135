#pragma once

#include <QString>
#include <QStringList>

#include <chrono>
#include <functional>
#include <optional>

// Questions about files, answered on a worker thread so that a folder that
// does not answer (a network share gone away, a disk that does not wake)
// cannot freeze the window. The interface thread waits for each answer at
// most kPatience after the one before (so that, with the time to hand the
// question over, a folder that does not answer holds the window up for less
// than a tenth of a second); a path that has not answered by then reads as
// missing, and its worker is left to end on its own. While a few
// workers hang that way, further questions are not asked of the file system
// at all and read as missing too.
namespace FileProbe {

inline constexpr std::chrono::milliseconds kPatience{80};

enum class Kind {
    Missing, // not there, or no answer in time
    File,    // a plain file (or a link to one)
    Folder,
    Other, // a named pipe, a device, a socket
};

struct Facts {
    Kind kind = Kind::Missing;
    qint64 size = -1; // of a file
    bool answered = false;
};

// Who looks: one worker, path after path (files of one folder), or a worker
// each (folders, which may be on different disks or shares: one that does
// not answer does not hold the others up).
enum class Workers { One, EachOwn };

// The facts of each path, in order.
QList<Facts> facts(const QStringList& paths, Workers workers = Workers::One);
Facts facts(const QString& path);
inline bool isFile(const QString& path)
{
    return facts(path).kind == Kind::File;
}
inline bool isFolder(const QString& path)
{
    return facts(path).kind == Kind::Folder;
}

// The names of a folder's entries that `keep` keeps (files, folders, hidden
// entries and dangling links alike), read in one pass, on a worker; nullopt
// when the listing is not in within kPatience. For a listing the caller
// does not wait for, see FolderListing.
std::optional<QStringList> entryNames(const QString& folder, const std::function<bool(const QString&)>& keep);
// The same, on the thread that calls it: the workers' own listing.
QStringList readEntryNames(const QString& folder, const std::function<bool(const QString&)>& keep);

// Runs `work` on a worker thread of its own, which nothing waits for when
// the program ends. False (and `work` is not run) while too many workers
// hang on the file system.
bool runDetached(std::function<void()> work);

// Workers call this before they look at a path or folder. It does nothing,
// unless a test has set a delay: so that a test can hold a path back as a
// folder that does not answer would. Empty to stop.
void beforeLooking(const QString& path);
void setDelayForTests(std::function<void(const QString& path)> delay);
// Workers still running.
int busyWorkers();

} // namespace FileProbe
