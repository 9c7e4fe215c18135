#pragma once

// Keys pressed through the X server (xdotool, over its test extension), so
// each takes the path of a real keystroke: the X keymap, Qt's xcb platform,
// the program's key handling. For the tests under tests/gl/. Header-only.
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QString>

namespace xkeys {

// Presses one key combination, as xdotool names it ("shift+period", "F3");
// false when xdotool fails.
inline bool press(const QString& keys)
{
    return QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("key"), keys}) == 0;
}

// What these tests need and this run lacks; empty when they can run.
inline QString missing()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return QStringLiteral("needs an X server (run under xvfb-run with QT_QPA_PLATFORM=xcb)");
    if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
        return QStringLiteral("needs xdotool");
    return {};
}

} // namespace xkeys
