#pragma once

#include <QString>
#include <QStringList>

// The clip files of a folder, as full paths, for stepping to the previous or
// next clip.
//
// Entries are kept sorted without regard to letter case. A duplicate is an
// entry whose path text is exactly equal to one already held; it is ignored.
// Paths that differ only in letter case ("A.mpg" and "a.MPG") name different
// files on this platform, so both are kept; they sort next to each other, the
// one that is smaller by code point first, so the order never depends on the
// order in which they were found.
class FolderClipList {
public:
    // Wildcards gathered by LoadAllFileTypes(), in order (ClipTypes.h).
    static const QStringList& clipPatterns();
    // Upper-case extensions, with their dot, of files the program opens as
    // clips (command-line recognition; ClipTypes.h).
    static const QStringList& clipExtensions();

    // Adds the clip files of `folder` (which ends with "/") to the list; does
    // not clear it first. Clip files are the entries whose name ends with a
    // clip extension, in any letter case: files, folders, hidden entries
    // and dangling links alike. The folder is listed once, on a worker
    // (FileProbe.h): one that does not answer in time adds nothing.
    void LoadAllFileTypes(const QString& folder);
    // Adds folder + name for each of a listing's names that is a clip's.
    void addClipNames(const QString& folder, const QStringList& names);
    // Whether an entry of that name is a clip file.
    static bool isClipName(const QString& name);

    // Inserts one path in its sorted place unless it is already held.
    void add(const QString& path);
    void clear();

    const QStringList& entries() const { return m_entries; }
    bool isEmpty() const { return m_entries.isEmpty(); }
    qsizetype size() const { return m_entries.size(); }

    // Stepping from `current`, compared exactly (letter case counts). Next:
    // the entry after the match, the first after the last, the first when
    // nothing matches. Previous: the entry before the match, the last before
    // the first, the last when nothing matches. Empty text when the list is
    // empty.
    QString nextEntry(const QString& current) const;
    QString previousEntry(const QString& current) const;

private:
    QStringList m_entries;
};
