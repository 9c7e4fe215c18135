#pragma once

#include <QObject>
#include <QStringList>
#include <QTimer>

#include <memory>

// A folder's entries listed on a worker thread (FileProbe.h), for a caller
// that goes on meanwhile: the clips of the loaded clip's folder, for
// previous and next clip. listed() comes on this object's thread once the
// names are in; a listing started anew drops the one before.
class FolderListing : public QObject {
    Q_OBJECT
public:
    enum class State { Idle, Listing, Listed, Unanswered };

    explicit FolderListing(QObject* parent = nullptr);
    ~FolderListing() override;

    // Lists the entries of `folder` that `keep` keeps.
    void start(const QString& folder, std::function<bool(const QString&)> keep);
    State state() const { return m_state; }
    QString folder() const { return m_folder; }
    // The names, once listed.
    const QStringList& names() const { return m_names; }

    // For a caller that needs the names now: a listing still running is
    // waited for at most FileProbe::kPatience, and when it has not ended by
    // then it counts as unanswered (its folder reads as empty).
    State settle();

signals:
    void listed();

private:
    struct Shared;
    void take();

    std::shared_ptr<Shared> m_shared;
    QTimer m_poll;
    State m_state = State::Idle;
    QString m_folder;
    QStringList m_names;
};
