#pragma once

// A file's bytes as they are on the disk, for tests that check what was
// (or was not) written.

#include <QByteArray>
#include <QFile>
#include <QString>

// Empty when the file cannot be read.
inline QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Replaces the file with these bytes; false when it could not.
inline bool writeFileBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}
