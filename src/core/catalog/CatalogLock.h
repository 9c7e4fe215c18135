#pragma once

#include <QString>
#include <memory>

class QLockFile;

// Tells a program that opens a catalog whether another running program has
// it open already: each program holds a lock for the catalog file it has
// open, in the per-user state folder, named after the catalog. A lock left
// by a program that crashed or was killed is taken over.
class CatalogLock {
public:
    enum class Taken { Here, ByAnother };

    explicit CatalogLock(const QString& folder);
    ~CatalogLock();
    CatalogLock(const CatalogLock&) = delete;
    CatalogLock& operator=(const CatalogLock&) = delete;

    // Takes the lock of this catalog, letting go of the one this program
    // held. ByAnother: a running program holds it; nothing changes here.
    Taken take(const QString& catalogPath);
    // Whether another running program holds the lock of this catalog.
    bool heldElsewhere(const QString& catalogPath) const;
    // Lets go of the lock held (the catalog was closed).
    void release();
    // The catalog whose lock this program holds; empty when none.
    QString heldPath() const { return m_path; }

private:
    QString lockFileOf(const QString& catalogPath) const;

    QString m_folder;
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
};
