#pragma once

// The real program's windows, driven from outside with xdotool as a user
// drives them. Header-only.

#include <QElapsedTimer>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTest>

inline QString xdotool(const QStringList& arguments)
{
    QProcess p;
    p.start(QStringLiteral("xdotool"), arguments);
    if (!p.waitForFinished(10000)) {
        p.kill();
        p.waitForFinished();
        return {};
    }
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

// The first visible window whose title matches the pattern (a regular
// expression), waited for; empty when none came.
// A start under the sanitizers on a loaded machine can take more than 20 s;
// the wait ends as soon as the window shows.
inline QString waitForWindow(const QString& pattern, int timeoutMs = 60000)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < timeoutMs) {
        const QString ids = xdotool({"search", "--onlyvisible", "--name", pattern});
        if (!ids.isEmpty())
            return ids.split(u'\n').first();
        QTest::qWait(200);
    }
    return {};
}

inline bool press(const QString& window, const QString& keys)
{
    xdotool({"windowactivate", "--sync", window});
    return QProcess::execute(QStringLiteral("xdotool"), {"key", "--clearmodifiers", keys}) == 0;
}
