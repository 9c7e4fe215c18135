#include "app/SessionEnd.h"

#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

int signalPipe[2] = {-1, -1};
volatile std::sig_atomic_t deadlineArmed = 0;

// Only what is safe in a signal handler: write() and alarm().
void onSignal(int number)
{
    const int saved = errno;
    if (!deadlineArmed) {
        deadlineArmed = 1;
        alarm(SessionEnd::kDeadlineSeconds);
    }
    const char byte = char(number);
    [[maybe_unused]] const ssize_t written = write(signalPipe[1], &byte, 1);
    errno = saved;
}

} // namespace

SessionEnd::SessionEnd(QObject* parent) : QObject(parent)
{
    if (pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) == 0) {
        m_notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
        connect(m_notifier, &QSocketNotifier::activated, this, &SessionEnd::readSignal);
        struct sigaction action = {};
        action.sa_handler = onSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        for (int number : {SIGTERM, SIGHUP, SIGINT})
            sigaction(number, &action, nullptr);
    }
    // The session manager asks before it ends the session: the same, at
    // once, with no box (it would not be answered).
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        connect(
            app, &QGuiApplication::commitDataRequest, this, [this](QSessionManager&) { emit ended(); },
            Qt::DirectConnection);
}

SessionEnd::~SessionEnd()
{
    delete m_notifier;
    struct sigaction action = {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    for (int number : {SIGTERM, SIGHUP, SIGINT})
        sigaction(number, &action, nullptr);
    for (int& fd : signalPipe) {
        if (fd >= 0)
            close(fd);
        fd = -1;
    }
}

void SessionEnd::readSignal()
{
    char bytes[16];
    while (read(signalPipe[0], bytes, sizeof bytes) > 0) {
    }
    emit ended();
}
