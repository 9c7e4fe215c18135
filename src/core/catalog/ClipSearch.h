#pragma once

#include <QList>
#include <QString>
#include <atomic>
#include <functional>
#include <optional>

// Finding a missing clip by its file name in a folder tree: the walk, and
// which of several files of that name to offer.
namespace ClipSearch {

struct Match {
    QString path;
    qint64 size = 0;
    bool operator==(const Match&) const = default;
};

struct Outcome {
    QList<Match> matches;
    int filesSearched = 0;
    bool cancelled = false;
};

// Called now and then during the walk with the files searched so far and the
// folder being read.
using Progress = std::function<void(int filesSearched, const QString& folder)>;

// Every file under `root` (its subfolders included, hidden ones too) whose
// name is `fileName`, letter case ignored. Symbolic links to folders are not
// followed, so a link loop cannot trap the walk; links to files count as the
// files. The walk stops early, marked cancelled, once `cancel` is set.
Outcome searchTree(const QString& root, const QString& fileName, const std::atomic_bool& cancel,
                   const Progress& progress = {});

// The file to offer among several matches, or nullopt for none:
//  1. when a size is known (a clip of this name the user confirmed before),
//     a match of that size;
//  2. the match whose folder ends in the most of the old folder's names
//     (a tree moved elsewhere keeps its inner folders);
//  3. the one fewest folders deep, then the first by path: a stable order
//     that does not depend on the order the file system lists files in.
struct Choice {
    Match match;
    bool bySize = false;
};
std::optional<Choice> chooseMatch(const QList<Match>& matches, const QString& oldFolder,
                                  std::optional<qint64> knownSize = std::nullopt);

} // namespace ClipSearch
