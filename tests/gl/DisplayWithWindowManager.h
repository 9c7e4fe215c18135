#pragma once

// A private X display with a window manager, for the tests of what a window
// manager decides: full screen, which window takes the keyboard, window
// frames. The test starts its own Xvfb (on a free display) and openbox on
// it before it makes its QApplication, so that no other test shares them;
// xdotool, started by the test, finds the display in DISPLAY.

#include <QByteArray>
#include <QString>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

class DisplayWithWindowManager {
public:
    DisplayWithWindowManager()
    {
        int pipeFds[2];
        if (pipe(pipeFds) != 0) {
            fail("no pipe");
            return;
        }
        m_server = fork();
        if (m_server == 0) {
            close(pipeFds[0]);
            const std::string fd = std::to_string(pipeFds[1]);
            execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24", "-nolisten", "tcp",
                   "-noreset", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(pipeFds[1]);
        if (m_server < 0) {
            fail("cannot start Xvfb");
            return;
        }
        // Xvfb writes the display's number once it accepts clients, then a
        // line end in a write of its own: the pipe stays open until that
        // has come, or Xvfb fails on a pipe without a reader.
        QByteArray number;
        char c = 0;
        while (read(pipeFds[0], &c, 1) == 1 && c != '\n')
            number += c;
        close(pipeFds[0]);
        if (number.isEmpty()) {
            fail("Xvfb did not start");
            return;
        }
        m_display = ":" + number.trimmed();
        setenv("DISPLAY", m_display.constData(), 1);
        m_manager = fork();
        if (m_manager == 0) {
            execlp("openbox", "openbox", "--sm-disable", static_cast<char*>(nullptr));
            _exit(127);
        }
        if (m_manager < 0) {
            fail("cannot start openbox");
            return;
        }
        // The window manager has taken the screen once it announces itself
        // on the root window.
        for (int i = 0; i < 200 && !managed(); ++i)
            usleep(50000);
        if (!managed()) {
            fail("openbox did not start");
            return;
        }
        m_ready = true;
    }

    ~DisplayWithWindowManager()
    {
        for (pid_t pid : {m_manager, m_server}) {
            if (pid > 0) {
                kill(pid, SIGTERM);
                waitpid(pid, nullptr, 0);
            }
        }
    }

    bool ready() const { return m_ready; }
    QString whyNot() const { return m_why; }

private:
    void fail(const char* why) { m_why = QString::fromLatin1(why); }

    bool managed() const
    {
        // Only a running window manager sets its check window on the root.
        return std::system("xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'") == 0;
    }

    pid_t m_server = -1;
    pid_t m_manager = -1;
    QByteArray m_display;
    bool m_ready = false;
    QString m_why;
};

// A test's main on its own display with a window manager.
#define TEMPOLOOP_MAIN_WITH_WINDOW_MANAGER(TestObject)                                                                 \
    int main(int argc, char* argv[])                                                                                   \
    {                                                                                                                  \
        DisplayWithWindowManager display;                                                                              \
        if (!display.ready())                                                                                          \
            std::fprintf(stderr, "no display with a window manager: %s\n", qPrintable(display.whyNot()));              \
        QApplication app(argc, argv);                                                                                  \
        TestObject test;                                                                                               \
        test.setWindowManagerRunning(display.ready());                                                                 \
        return QTest::qExec(&test, argc, argv);                                                                        \
    }
