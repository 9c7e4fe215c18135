#include "core/catalog/ClipSearchJob.h"

#include <QElapsedTimer>
#include <QThread>

namespace {

constexpr qint64 kReportEveryMs = 100;

} // namespace

ClipSearchJob::ClipSearchJob(const QString& root, const QString& fileName, QObject* parent)
    : ProgressJob(parent), m_root(root), m_fileName(fileName)
{
    connect(this, &ClipSearchJob::counted, this,
            [this](int files) { emit progressed(progressText(m_fileName, files)); });
}

ClipSearchJob::~ClipSearchJob()
{
    if (!m_thread)
        return;
    m_cancel = true;
    // The walk checks the flag between files, so this ends promptly.
    m_thread->wait();
    delete m_thread;
}

QString ClipSearchJob::progressText(const QString& fileName, int filesSearched)
{
    return QStringLiteral("Searching for \"%1\"...\r\n%2 files searched").arg(fileName).arg(filesSearched);
}

void ClipSearchJob::start()
{
    if (m_thread)
        return;
    m_thread = QThread::create([this] {
        QElapsedTimer sinceReport;
        sinceReport.start();
        m_outcome = ClipSearch::searchTree(m_root, m_fileName, m_cancel, [&](int files, const QString&) {
            if (sinceReport.elapsed() >= kReportEveryMs) {
                sinceReport.restart();
                emit counted(files);
            }
        });
    });
    // QThread::finished is emitted by the worker as it ends; the connection
    // queues finish() onto this object's thread.
    connect(m_thread, &QThread::finished, this, &ClipSearchJob::finish, Qt::QueuedConnection);
    m_thread->start();
}

void ClipSearchJob::cancel()
{
    m_cancel = true;
}

void ClipSearchJob::finish()
{
    if (m_finished)
        return;
    m_finished = true;
    emit progressed(progressText(m_fileName, m_outcome.filesSearched));
    emit finished();
}
