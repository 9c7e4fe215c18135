#pragma once

#include "core/catalog/RecoveryFile.h"

#include <QDateTime>
#include <QMutex>
#include <QObject>
#include <QThreadPool>
#include <QTimer>

class CatalogDocument;
class CatalogGridView;
class CatalogWindowView;
class RecoveryStore;

// Keeps the open catalog's unsaved state in a recovery file: half a second
// after a change (a change to the rows, or text typed into a cell or the
// description pane that the catalog has not taken in yet), the whole
// catalog with what is being typed is written. Changes in quick succession
// make one write. The file is written on a worker thread, so a big catalog
// never stalls the window; writeNow() writes on the calling thread, for the
// end of the program. The recovery goes as soon as the catalog has nothing
// unsaved (it was saved, closed or its changes given up).
class RecoveryWriter : public QObject {
    Q_OBJECT
public:
    RecoveryWriter(CatalogDocument& document, CatalogGridView& grid, CatalogWindowView& window, RecoveryStore& store,
                   QObject* parent = nullptr);
    ~RecoveryWriter() override;

    // The user typed into a cell editor or the description pane.
    void noteTyping();
    // The state to keep: the document's rows with what is typed over them.
    RecoverySnapshot snapshot() const;
    // Whether there is anything to keep: an open catalog with changes that
    // are not saved, or typing not taken in.
    bool hasUnsavedState() const;
    // The catalog's changes were given up: its recovery goes.
    void discard();
    // Writes the recovery now, on this thread; false when there was nothing
    // to keep or it could not be written.
    bool writeNow();
    // Nothing more is written (the program ends); a write under way is
    // waited for, at most `waitMs`.
    void stop(int waitMs = 1000);

    // This run's recovery file as last written; empty when there is none.
    QString writtenFile() const;
    // Milliseconds from a change to its write.
    void setDelay(int ms) { m_timer.setInterval(ms); }

signals:
    // A recovery could not be written (said once a run).
    void writeFailed(const QString& reason);

private:
    void changed();
    void settle();
    void writeInBackground();
    // With m_mutex held.
    bool writeLocked(const QString& file, const RecoverySnapshot& snapshot);
    void removeWritten();

    CatalogDocument& m_document;
    CatalogGridView& m_grid;
    CatalogWindowView& m_window;
    RecoveryStore& m_store;
    QTimer m_timer;
    QDateTime m_lastChange;
    bool m_stopped = false;
    bool m_failureTold = false;

    QThreadPool m_pool;
    mutable QMutex m_mutex;
    // Guarded by m_mutex: a write queued before the latest write or removal
    // is skipped.
    quint64 m_generation = 0;
    QString m_writtenFile;
};
