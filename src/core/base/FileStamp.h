#pragma once

#include <QString>
#include <QtGlobal>

// What tells one version of a file from another without reading it: its
// size, the time of its last change and its identity on the disk (inode and
// device where the platform has them). A program that replaces a file
// atomically gives it a new identity; one that writes into it, a new time.
// Taken when a catalog is read and again when it is saved, so that a change
// by someone else in between is noticed before it is written over.
struct FileStamp {
    bool exists = false;
    qint64 size = 0;
    qint64 modifiedNs = 0; // since the epoch
    quint64 inode = 0;
    quint64 device = 0;

    // The file as it is on the disk now; a missing file gives exists false.
    static FileStamp of(const QString& path);

    bool operator==(const FileStamp&) const = default;
};
