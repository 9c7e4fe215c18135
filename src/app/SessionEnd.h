#pragma once

#include <QObject>

class QSocketNotifier;

// The ends of a session the program does not choose: SIGTERM (a logout or
// shutdown, or `kill`), SIGHUP (the terminal went away), SIGINT (Ctrl+C in
// the terminal), and the session manager's request to save before it ends
// the session. Each is answered on the interface thread, by ended(); the
// signal handler itself only writes a byte into a pipe, which a socket
// notifier reads, and arms a deadline: a program that has not ended two
// seconds after the signal is ended by the system.
class SessionEnd : public QObject {
    Q_OBJECT
public:
    explicit SessionEnd(QObject* parent = nullptr);
    ~SessionEnd() override;

    // Seconds from a signal to the system ending the program.
    static constexpr unsigned kDeadlineSeconds = 2;

signals:
    // The session ends: keep what must be kept, without asking anything.
    void ended();

private:
    void readSignal();

    QSocketNotifier* m_notifier = nullptr;
};
