#pragma once

#include "core/catalog/RecoveryFile.h"

#include <QHash>
#include <QList>
#include <QString>
#include <memory>

class QLockFile;

// The folder of recovery files, one per catalog with unsaved changes in a
// running program, named after the catalog (a new catalog without a file has
// one of its own) and after the run that writes it. A run holds a lock
// beside each recovery file it writes; a recovery whose lock nobody holds
// was left by a run that did not end cleanly (killed, crashed, or ended by
// the session before the user decided), and is offered at the next start.
//
// Not safe across threads on its own: the recovery writer serialises its
// writes and removals.
class RecoveryStore {
public:
    // The per-user state folder: $XDG_STATE_HOME/Tempoloop/, or
    // ~/.local/state/Tempoloop/ when that is not set.
    static QString platformFolder();

    // `folder` ends with "/" (one is added if missing); it is made when the
    // first recovery is written.
    explicit RecoveryStore(const QString& folder);
    ~RecoveryStore();
    RecoveryStore(const RecoveryStore&) = delete;
    RecoveryStore& operator=(const RecoveryStore&) = delete;

    QString folder() const { return m_folder; }
    // A catalog's name in this folder: its file name and a hash of its whole
    // path; "new catalog" for a catalog without a file.
    static QString keyFor(const QString& catalogPath);
    // This run's recovery file for the catalog.
    QString fileFor(const QString& catalogPath) const;

    // Replaces the recovery file atomically; the run holds its lock from now
    // on. False, with *reason, when it could not be written.
    bool write(const QString& file, const QByteArray& text, QString* reason = nullptr);
    // Removes one of this run's recovery files and lets its lock go.
    void remove(const QString& file);

    // A recovery no running program holds; while this value lives, its lock
    // is held here, so that no other program offers it at the same time.
    struct LeftOver {
        QString file;
        RecoverySnapshot snapshot;
        std::shared_ptr<QLockFile> lock;
    };
    // The left-over recoveries, the newest change first; only those of one
    // catalog when a path is given.
    QList<LeftOver> leftOvers() const;
    QList<LeftOver> leftOversOf(const QString& catalogPath) const;
    // The left-over recovery goes for good (brought back or given up).
    static void removeLeftOver(const LeftOver& leftOver);

private:
    QString m_folder;
    QString m_run;
    QHash<QString, std::shared_ptr<QLockFile>> m_locks;
};
