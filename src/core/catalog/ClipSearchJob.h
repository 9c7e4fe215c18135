#pragma once

#include "core/base/ProgressJob.h"
#include "core/catalog/ClipSearch.h"

#include <atomic>

class QThread;

// Searches a folder tree for a clip's file name on a worker thread, so the
// interface stays responsive, and hands the outcome back when finished()
// arrives on the thread the job lives on.
class ClipSearchJob : public ProgressJob {
    Q_OBJECT
public:
    ClipSearchJob(const QString& root, const QString& fileName, QObject* parent = nullptr);
    // Stops a walk still running and waits for its thread to end.
    ~ClipSearchJob() override;

    void start() override;
    void cancel() override;
    bool isFinished() const override { return m_finished; }

    // Valid once finished.
    const ClipSearch::Outcome& outcome() const { return m_outcome; }

    // The progress box's text for a count of files searched.
    static QString progressText(const QString& fileName, int filesSearched);

signals:
    // Queued from the worker to this object's thread.
    void counted(int filesSearched);

private:
    void finish();

    QString m_root;
    QString m_fileName;
    QThread* m_thread = nullptr;
    std::atomic_bool m_cancel{false};
    ClipSearch::Outcome m_outcome; // written by the worker, read after it ended
    bool m_finished = false;
};
