#include "core/catalog/ClipSearch.h"

#include "core/base/FileProbe.h"

#include <QDirIterator>
#include <QFileInfo>
#include <algorithm>

namespace ClipSearch {

namespace {

constexpr int kProgressEvery = 256; // files between progress calls

QStringList folderNames(const QString& path)
{
    return path.split(u'/', Qt::SkipEmptyParts);
}

// How many folder names at the end of both paths' folders agree.
int sharedTail(const QString& matchPath, const QStringList& oldNames)
{
    QStringList names = folderNames(matchPath);
    names.removeLast(); // the file itself
    int shared = 0;
    while (shared < names.size() && shared < oldNames.size() &&
           names[names.size() - 1 - shared] == oldNames[oldNames.size() - 1 - shared])
        ++shared;
    return shared;
}

} // namespace

Outcome searchTree(const QString& root, const QString& fileName, const std::atomic_bool& cancel,
                   const Progress& progress)
{
    Outcome outcome;
    FileProbe::beforeLooking(root);
    if (fileName.isEmpty() || !QFileInfo(root).isDir())
        return outcome;
    // Without FollowSymlinks the iterator does not descend into linked folders.
    QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        if (cancel.load(std::memory_order_relaxed)) {
            outcome.cancelled = true;
            break;
        }
        it.next();
        ++outcome.filesSearched;
        if (it.fileName().compare(fileName, Qt::CaseInsensitive) == 0) {
            const QFileInfo info = it.fileInfo();
            if (info.isFile())
                outcome.matches.append({info.filePath(), info.size()});
        }
        if (progress && outcome.filesSearched % kProgressEvery == 0)
            progress(outcome.filesSearched, it.fileInfo().path());
    }
    if (progress)
        progress(outcome.filesSearched, root);
    return outcome;
}

std::optional<Choice> chooseMatch(const QList<Match>& matches, const QString& oldFolder,
                                  std::optional<qint64> knownSize)
{
    if (matches.isEmpty())
        return std::nullopt;
    const QStringList oldNames = folderNames(oldFolder);
    QList<Match> ordered = matches;
    std::stable_sort(ordered.begin(), ordered.end(), [&](const Match& a, const Match& b) {
        const int tailA = sharedTail(a.path, oldNames);
        const int tailB = sharedTail(b.path, oldNames);
        if (tailA != tailB)
            return tailA > tailB;
        const auto depthA = a.path.count(u'/');
        const auto depthB = b.path.count(u'/');
        if (depthA != depthB)
            return depthA < depthB;
        return a.path < b.path;
    });
    if (knownSize) {
        const auto same =
            std::find_if(ordered.cbegin(), ordered.cend(), [&](const Match& m) { return m.size == *knownSize; });
        if (same != ordered.cend())
            return Choice{*same, ordered.size() > 1};
    }
    return Choice{ordered.first(), false};
}

} // namespace ClipSearch
