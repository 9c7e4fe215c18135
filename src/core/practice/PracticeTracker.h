#pragma once

#include "core/base/FileStamp.h"
#include "core/playback/LoopSource.h"
#include "core/practice/PracticeLog.h"
#include "core/practice/PracticeSpacing.h"

#include <QDateTime>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <functional>
#include <optional>

class CatalogDocument;

// The practice of the open catalog's bookmarks: the passes of the loops the
// bookmarks hand the player are counted, and the session's line of each
// bookmark is written to the catalog's practice log after every pass. A
// session runs from the catalog's opening (or its first save) until it
// closes or the program ends; a catalog without a file yet logs nothing.
//
// A bookmark is the one practised from the stored loop it hands the player
// until another loop, bookmark or clip starts. The log is written whole
// through a temporary file; one that changed on disk since it was read is
// read again and this session's lines are put into it, and one that could
// not be read whole is never written over (statusMessage() says so; the practice
// goes on).
class PracticeTracker : public QObject {
    Q_OBJECT
public:
    using Clock = std::function<QDateTime()>;

    explicit PracticeTracker(CatalogDocument& document, QObject* parent = nullptr);
    ~PracticeTracker() override;

    // The local time now; the system's clock unless a test drives its own.
    void setClock(Clock clock) { m_clock = std::move(clock); }

    // The loop of bookmark row `row` is being handed to the player.
    void bookmarkStarting(int row);
    // The loop's signals (LoopControls).
    void loopStarted(LoopSource source);
    void loopRefused(LoopSource source);
    void loopLeft();
    void passEnded(double rate, double seconds);

    // The log of the open catalog; empty while it has no file.
    QString logPath() const { return m_logPath; }
    // This session's lines, one per bookmark practised.
    const QList<PracticeEntry>& session() const { return m_session; }
    // What the log and this session tell of bookmark row `row`.
    PracticeHistory historyOfRow(int row) const;
    // The row's history in words ("Last practised 9 Dec 2026, ..."); empty
    // while no catalog is open.
    QString describeRow(int row) const;
    // Whether the spacing of bookmark row `row` has run out today.
    bool rowDue(int row) const;

signals:
    // For the status line: the log could not be read or written, or a
    // change made to it on disk was merged; empty when another catalog's
    // session starts (the line is cleared).
    void statusMessage(const QString& message);

private:
    struct Practised {
        QString category;
        QString name;
    };
    enum class LogRead { Whole, Unreadable };

    void catalogChanged();
    void startSession(const QString& logPath);
    void readLog();
    void writeLog();
    void rebuildHistories();

    CatalogDocument& m_document;
    // The document is told to drop the due rows if it outlives this.
    QPointer<CatalogDocument> m_documentAlive;
    Clock m_clock;
    bool m_open = false;
    QString m_logPath;
    LogRead m_read = LogRead::Whole;
    QString m_readProblem;
    FileStamp m_stamp;
    QList<PracticeLogLine> m_kept;
    // The session's lines as last written, found again in a log that
    // changed on disk.
    QList<QByteArray> m_written;
    QList<PracticeEntry> m_session;
    QHash<std::pair<QString, QString>, PracticeHistory> m_histories;
    std::optional<Practised> m_pending;
    std::optional<Practised> m_practising;
};
