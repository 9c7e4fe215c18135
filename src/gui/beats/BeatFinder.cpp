#include "gui/beats/BeatFinder.h"

#include "core/beats/BeatCache.h"
#include "core/beats/BeatTracker.h"
#include "gui/beats/AubioHearing.h"

#include <QFileInfo>
#include <QThread>
#include <atomic>

namespace beats {

// One search, on a thread of its own: the cache first, else aubio.
class BeatJob : public QThread {
    Q_OBJECT
public:
    BeatJob(QString clipPath, QString cacheFolder, QObject* parent)
        : QThread(parent), m_clip(std::move(clipPath)), m_cache(std::move(cacheFolder))
    {
    }

    void cancel() { m_cancel = true; }

signals:
    void done(const QString& clipPath, const QList<double>& beats, beats::BeatCount count, bool fromCache);

protected:
    void run() override
    {
        if (const auto kept = m_cache.load(m_clip)) {
            emit done(m_clip, kept->found, kept->count, true);
            return;
        }
        const BeatCacheKey key = BeatCacheKey::of(QFileInfo(m_clip));
        const Hearing hearing = listenForBeats(m_clip, m_cancel);
        if (hearing.outcome == Hearing::Outcome::Cancelled || m_cancel)
            return;
        KeptBeats kept;
        if (hearing.outcome == Hearing::Outcome::Heard) {
            const BeatAnalysis found = analyseBeats(hearing.features, m_cancel);
            if (m_cancel)
                return;
            const BeatGrid grid(found.beats, found.one);
            kept = {grid.times(), {BeatLevel::AsFound, grid.one()}};
        }
        m_cache.store(m_clip, key, kept);
        emit done(m_clip, kept.found, kept.count, false);
    }

private:
    QString m_clip;
    BeatCache m_cache;
    std::atomic<bool> m_cancel{false};
};

} // namespace beats

using beats::BeatJob;

BeatFinder::BeatFinder(QString cacheFolder, QObject* parent) : QObject(parent), m_cacheFolder(std::move(cacheFolder))
{
}

BeatFinder::~BeatFinder()
{
    for (BeatJob* job : m_running) {
        job->cancel();
        job->wait();
    }
}

void BeatFinder::find(const QString& clipPath)
{
    cancel();
    auto* job = new BeatJob(clipPath, m_cacheFolder, this);
    m_job = job;
    m_running.append(job);
    connect(
        job, &BeatJob::done, this,
        [this, job](const QString& clip, const QList<double>& beats, beats::BeatCount count, bool fromCache) {
            jobDone(job, clip, beats, count, fromCache);
        },
        Qt::QueuedConnection);
    connect(job, &QThread::finished, this, [this, job] {
        m_running.removeOne(job);
        if (m_job == job)
            m_job = nullptr;
        job->deleteLater();
    });
    // The interface thread goes first when both want the processor.
    job->start(QThread::LowPriority);
}

void BeatFinder::cancel()
{
    if (!m_job)
        return;
    m_job->cancel();
    m_job = nullptr;
}

void BeatFinder::keepCount(const QString& clipPath, beats::BeatCount count)
{
    beats::BeatCache(m_cacheFolder).storeCount(clipPath, count);
}

void BeatFinder::jobDone(BeatJob* job, const QString& clipPath, const QList<double>& beats, beats::BeatCount count,
                         bool fromCache)
{
    if (job != m_job)
        return;
    m_job = nullptr;
    emit beatsFound(clipPath, beats, count, fromCache);
}

#include "BeatFinder.moc"
