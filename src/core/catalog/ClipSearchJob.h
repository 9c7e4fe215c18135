#pragma once

#include "core/base/ProgressJob.h"
#include "core/catalog/ClipSearch.h"

#include <QElapsedTimer>
#include <QTimer>

#include <memory>

// Searches a folder tree for a clip's file name on a worker thread, so the
// interface stays responsive, and hands the outcome back when finished()
// arrives on the thread the job lives on. A walk held up by a folder that
// does not answer never holds up the program: once cancelled (or the job
// destroyed) it is given a moment to stop, then left to end on its own,
// and the job finishes as cancelled.
class ClipSearchJob : public ProgressJob {
    Q_OBJECT
public:
    ClipSearchJob(const QString& root, const QString& fileName, QObject* parent = nullptr);
    // Stops a walk still running; does not wait for it.
    ~ClipSearchJob() override;

    void start() override;
    void cancel() override;
    bool isFinished() const override { return m_finished; }

    // Valid once finished.
    const ClipSearch::Outcome& outcome() const { return m_outcome; }

    // The progress box's text for a count of files searched.
    static QString progressText(const QString& fileName, int filesSearched);

    // How long a cancelled walk is waited for before the job gives it up.
    static constexpr int kGiveUpMs = 500;

private:
    struct Shared;
    void look();
    void finish();

    QString m_root;
    QString m_fileName;
    std::shared_ptr<Shared> m_shared;
    QTimer m_poll;
    QTimer m_giveUp;
    QElapsedTimer m_sinceReport;
    ClipSearch::Outcome m_outcome;
    bool m_started = false;
    bool m_finished = false;
};
