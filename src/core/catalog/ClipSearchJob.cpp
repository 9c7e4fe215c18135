#include "core/catalog/ClipSearchJob.h"

#include "core/base/FileProbe.h"

#include <atomic>
#include <mutex>
#include <optional>

namespace {

constexpr int kReportEveryMs = 100;

} // namespace

// What the walk and the job share; the walk may outlive the job.
struct ClipSearchJob::Shared {
    std::atomic_bool cancel{false};
    std::atomic_int filesSearched{0};
    std::mutex lock;
    std::optional<ClipSearch::Outcome> outcome;
};

ClipSearchJob::ClipSearchJob(const QString& root, const QString& fileName, QObject* parent)
    : ProgressJob(parent), m_root(root), m_fileName(fileName), m_shared(std::make_shared<Shared>())
{
    m_poll.setInterval(kReportEveryMs / 5);
    connect(&m_poll, &QTimer::timeout, this, &ClipSearchJob::look);
    m_giveUp.setSingleShot(true);
    m_giveUp.setInterval(kGiveUpMs);
    connect(&m_giveUp, &QTimer::timeout, this, [this] {
        m_outcome.cancelled = true;
        m_outcome.filesSearched = m_shared->filesSearched;
        finish();
    });
}

ClipSearchJob::~ClipSearchJob()
{
    m_shared->cancel = true;
}

QString ClipSearchJob::progressText(const QString& fileName, int filesSearched)
{
    return QStringLiteral("Searching for \"%1\"...\r\n%2 files searched").arg(fileName).arg(filesSearched);
}

void ClipSearchJob::start()
{
    if (m_started)
        return;
    m_started = true;
    const bool running = FileProbe::runDetached([shared = m_shared, root = m_root, fileName = m_fileName] {
        ClipSearch::Outcome outcome = ClipSearch::searchTree(
            root, fileName, shared->cancel, [&](int files, const QString&) { shared->filesSearched = files; });
        const std::lock_guard guard(shared->lock);
        shared->outcome = std::move(outcome);
    });
    if (!running) {
        // The file system does not answer: nothing can be searched now.
        m_outcome.cancelled = true;
        QTimer::singleShot(0, this, &ClipSearchJob::finish);
        return;
    }
    m_poll.start();
}

void ClipSearchJob::look()
{
    std::optional<ClipSearch::Outcome> outcome;
    {
        const std::lock_guard guard(m_shared->lock);
        outcome = std::move(m_shared->outcome);
    }
    if (outcome) {
        m_outcome = std::move(*outcome);
        finish();
        return;
    }
    if (!m_sinceReport.isValid() || m_sinceReport.elapsed() >= kReportEveryMs) {
        m_sinceReport.start();
        emit progressed(progressText(m_fileName, m_shared->filesSearched));
    }
}

void ClipSearchJob::cancel()
{
    m_shared->cancel = true;
    if (m_started && !m_finished && !m_giveUp.isActive())
        m_giveUp.start();
}

void ClipSearchJob::finish()
{
    if (m_finished)
        return;
    m_finished = true;
    m_poll.stop();
    m_giveUp.stop();
    emit progressed(progressText(m_fileName, m_outcome.filesSearched));
    emit finished();
}
