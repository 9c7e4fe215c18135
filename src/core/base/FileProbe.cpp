#include "core/base/FileProbe.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QHash>

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace FileProbe {

namespace {

// Past this many workers hanging on the file system, it is not asked again
// until one of them ends.
constexpr int kMaxBusyWorkers = 32;

std::atomic<int> g_busy{0};
std::mutex g_delayLock;
std::function<void(const QString&)> g_delay;

// Paths a worker is still looking at after the caller gave up on it: the
// file system is not asked about them, or anything under them, until that
// look has ended, so that a share that has gone away does not gather one
// hanging worker per question.
std::mutex g_silentLock;
QHash<QString, int> g_silent;

QString key(const QString& path)
{
    return QDir::cleanPath(path);
}

bool isSilent(const QString& path)
{
    const std::lock_guard guard(g_silentLock);
    if (g_silent.isEmpty())
        return false;
    for (QString at = key(path);;) {
        if (g_silent.contains(at))
            return true;
        const qsizetype slash = at.lastIndexOf(u'/');
        if (slash <= 0)
            return false;
        at.truncate(slash);
    }
}

void markSilent(const QString& path)
{
    const std::lock_guard guard(g_silentLock);
    ++g_silent[key(path)];
}

void clearSilent(const QString& path)
{
    const std::lock_guard guard(g_silentLock);
    const auto it = g_silent.find(key(path));
    if (it != g_silent.end() && --*it <= 0)
        g_silent.erase(it);
}

} // namespace

void beforeLooking(const QString& path)
{
    std::function<void(const QString&)> delay;
    {
        const std::lock_guard guard(g_delayLock);
        delay = g_delay;
    }
    if (delay)
        delay(path);
}

namespace {

Facts look(const QString& path)
{
    beforeLooking(path);
    const QFileInfo info(path);
    Facts f;
    f.answered = true;
    if (!info.exists())
        f.kind = Kind::Missing;
    else if (info.isDir())
        f.kind = Kind::Folder;
    else if (info.isFile()) {
        f.kind = Kind::File;
        f.size = info.size();
    } else {
        f.kind = Kind::Other;
    }
    return f;
}

// What the workers and the waiting thread share; a worker may outlive the
// wait. Once the wait has given up, a worker that ends a look the caller
// gave up on lets its path be asked about again, and stops.
template <typename T> struct Answers {
    std::mutex lock;
    std::condition_variable changed;
    std::vector<T> values;
    std::vector<char> given; // by index
    std::vector<char> abandoned;
    std::size_t count = 0;
    bool waiting = true;

    explicit Answers(std::size_t size) : values(size), given(size, 0), abandoned(size, 0) {}

    // False when nobody waits any more.
    bool put(std::size_t i, T value, const QString& path)
    {
        {
            const std::lock_guard guard(lock);
            if (abandoned[i])
                clearSilent(path);
            if (!waiting)
                return false;
            values[i] = std::move(value);
            given[i] = 1;
            ++count;
        }
        changed.notify_all();
        return true;
    }

    // Waits while answers keep coming, each within the patience of the one
    // before; gives what has come. `lookedAt` says which unanswered indexes
    // a worker is busy with: those are marked silent.
    std::vector<T> wait(const std::function<bool(std::size_t)>& lookedAt, const QStringList& paths)
    {
        std::unique_lock guard(lock);
        std::size_t seen = count;
        while (count < values.size()) {
            if (!changed.wait_for(guard, kPatience, [&] { return count != seen; }))
                break;
            seen = count;
        }
        waiting = false;
        for (std::size_t i = 0; i < values.size(); ++i)
            if (!given[i] && lookedAt(i)) {
                abandoned[i] = 1;
                markSilent(paths.at(qsizetype(i)));
            }
        return values;
    }
};

} // namespace

bool runDetached(std::function<void()> work)
{
    if (g_busy.fetch_add(1) >= kMaxBusyWorkers) {
        --g_busy;
        return false;
    }
    try {
        std::thread([work = std::move(work)] {
            work();
            --g_busy;
        }).detach();
    } catch (const std::system_error&) {
        --g_busy;
        return false;
    }
    return true;
}

int busyWorkers()
{
    return g_busy;
}

void setDelayForTests(std::function<void(const QString& path)> delay)
{
    const std::lock_guard guard(g_delayLock);
    g_delay = std::move(delay);
}

QList<Facts> facts(const QStringList& paths, Workers workers)
{
    QList<Facts> result(paths.size());
    // What is under a path that did not answer is not asked about.
    QStringList asked;
    QList<qsizetype> at;
    for (qsizetype i = 0; i < paths.size(); ++i)
        if (!isSilent(paths.at(i))) {
            asked.append(paths.at(i));
            at.append(i);
        }
    if (asked.isEmpty())
        return result;
    const std::size_t n = std::size_t(asked.size());
    auto answers = std::make_shared<Answers<Facts>>(n);
    std::vector<char> started(n, 0);
    if (workers == Workers::One) {
        if (runDetached([answers, asked] {
                for (qsizetype i = 0; i < asked.size(); ++i)
                    if (!answers->put(std::size_t(i), look(asked.at(i)), asked.at(i)))
                        return;
            }))
            std::fill(started.begin(), started.end(), 1);
    } else {
        for (std::size_t i = 0; i < n; ++i)
            started[i] =
                runDetached([answers, i, path = asked.at(qsizetype(i))] { answers->put(i, look(path), path); });
    }
    // With one worker, only the first path it has not answered is being
    // looked at; with one each, every path not answered is.
    const std::vector<Facts> got = answers->wait(
        [&](std::size_t i) {
            if (!started[i])
                return false;
            if (workers == Workers::EachOwn)
                return true;
            for (std::size_t j = 0; j < i; ++j)
                if (!answers->given[j])
                    return false;
            return true;
        },
        asked);
    for (std::size_t i = 0; i < n; ++i)
        result[at[qsizetype(i)]] = got[i];
    return result;
}

Facts facts(const QString& path)
{
    return facts(QStringList{path}).first();
}

QStringList readEntryNames(const QString& folder, const std::function<bool(const QString&)>& keep)
{
    beforeLooking(folder);
    QStringList names;
    QDirIterator it(folder.isEmpty() ? QStringLiteral(".") : folder,
                    QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        const QString name = it.fileName();
        if (!keep || keep(name))
            names.append(name);
    }
    return names;
}

std::optional<QStringList> entryNames(const QString& folder, const std::function<bool(const QString&)>& keep)
{
    if (isSilent(folder))
        return std::nullopt;
    auto answers = std::make_shared<Answers<QStringList>>(1);
    if (!runDetached([answers, folder, keep] { answers->put(0, readEntryNames(folder, keep), folder); }))
        return std::nullopt;
    const std::vector<QStringList> got = answers->wait([](std::size_t) { return true; }, QStringList{folder});
    if (!answers->given[0])
        return std::nullopt;
    return got[0];
}

} // namespace FileProbe
