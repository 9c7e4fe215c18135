#pragma once

#include "core/beats/BeatView.h"

#include <QList>
#include <QObject>
#include <QString>

namespace beats {
class BeatJob;
}

// Finds the beats of a clip's sound on a worker thread and hands them to the
// interface thread by a queued signal; the interface thread never waits for
// it. A clip's beats are kept in the per-user cache folder (BeatCache), so a
// clip opened again has them at once. Asking for another clip calls off the
// search under way: its thread stops at its next block of sound and its
// result is dropped; so is the search of a program that closes. Either way
// the thread ends within a block of sound or a read of the file, even while
// the file is being opened.
class BeatFinder : public QObject, public BeatSource {
    Q_OBJECT
public:
    // `cacheFolder` empty: nothing is cached.
    explicit BeatFinder(QString cacheFolder, QObject* parent = nullptr);
    // Calls off a search under way and waits for its thread to stop (a
    // block of sound, milliseconds).
    ~BeatFinder() override;

    // Starts finding the beats of a clip by its absolute path.
    void find(const QString& clipPath) override;
    // Calls off the search under way, if any; no beatsFound() follows.
    void cancel() override;
    // Rewrites the clip's cache file with how its beats are counted now.
    void keepCount(const QString& clipPath, beats::BeatCount count) override;
    bool busy() const { return m_job != nullptr; }
    // Searches whose threads have not stopped yet, called off ones included.
    int searchesRunning() const { return int(m_running.size()); }
    QString cacheFolder() const { return m_cacheFolder; }

signals:
    // The beats of the clip as found (seconds, in order; none when the
    // clip has no sound or no steady beat) and how they are counted (the
    // level, the first beat counted "1"). `fromCache` tells beats kept from
    // an earlier search from beats just found.
    void beatsFound(const QString& clipPath, const QList<double>& beats, beats::BeatCount count, bool fromCache);

private:
    void jobDone(beats::BeatJob* job, const QString& clipPath, const QList<double>& beats, beats::BeatCount count,
                 bool fromCache);

    QString m_cacheFolder;
    beats::BeatJob* m_job = nullptr;
    QList<beats::BeatJob*> m_running; // the current job and those called off, until they stop
};
