#pragma once

// The playback controllers' views as plain values, for tests that run the
// controllers without the windows. Header-only.

#include "core/playback/ClipView.h"
#include "core/playback/LoopView.h"
#include "core/playback/TransportView.h"
#include "core/settings/Settings.h"

#include <QSize>
#include <QString>

// The loop's boxes and marks as plain values.
class FakeLoopView : public LoopView {
public:
    QString start, end; // the two time boxes, six digits or empty
    bool loopMarked = false;
    bool continuously = false;
    QString ladder;       // the loop-mode button in the ladder's mode
    bool playing = false; // the play button reads "pause"
    int playingBookmarkCleared = 0;

    QString startTimeDigits() const override { return start; }
    QString endTimeDigits() const override { return end; }
    void setStartTimeDigits(const QString& digits) override { start = digits; }
    void setEndTimeDigits(const QString& digits) override { end = digits; }
    void showLoopIndicator(bool loop) override { loopMarked = loop; }
    void showLoopMode(bool c) override
    {
        continuously = c;
        ladder.clear();
    }
    void showLadder(const QString& caption) override { ladder = caption; }
    // The loop mode button's caption.
    QString modeCaption() const
    {
        if (!ladder.isEmpty())
            return ladder;
        return continuously ? QStringLiteral("loop continuously") : QStringLiteral("loop once");
    }
    void showPlaying(bool p) override { playing = p; }
    void clearPlayingBookmark() override { ++playingBookmarkCleared; }
};

// The jump and rate lists as chosen values, at first the default settings'
// (3 s, 1 min, 5 frames, slow 0.5, fast 2.0).
class FakeTransportView : public TransportView {
public:
    int values[6]; // by JumpList
    int slowEntry = Settings().slowMotionRate;
    int fastEntry = Settings().fastMotionRate;
    bool muted = false;
    SpeedMode marked = SpeedMode::Regular;

    FakeTransportView()
    {
        const Settings d;
        values[int(JumpList::backSeconds)] = Settings::secondsChoices().at(d.backSecondsValue).toInt();
        values[int(JumpList::forwardSeconds)] = Settings::secondsChoices().at(d.forwardSecondsValue).toInt();
        values[int(JumpList::backMinutes)] = Settings::minutesChoices().at(d.backMinutesValue).toInt();
        values[int(JumpList::forwardMinutes)] = Settings::minutesChoices().at(d.forwardMinutesValue).toInt();
        values[int(JumpList::backFrames)] = Settings::framesChoices().at(d.backFramesValue).toInt();
        values[int(JumpList::forwardFrames)] = Settings::framesChoices().at(d.forwardFramesValue).toInt();
    }
    int& value(JumpList list) { return values[static_cast<int>(list)]; }

    int jumpValue(JumpList list) const override { return values[static_cast<int>(list)]; }
    int slowRateEntry() const override { return slowEntry; }
    int fastRateEntry() const override { return fastEntry; }
    void showMuted(bool m) override { muted = m; }
    void showSpeedMode(SpeedMode mode) override { marked = mode; }
};

// The title and the information fields of the clip.
class FakeClipView : public ClipView {
public:
    QString folder; // the options' default clip folder
    QSize size{640, 360};
    QString title;
    QString fileName, clipFolder, videoSizeText, totalTime, framesPerSecond, screenSize;

    QString defaultVideoDirectory() const override { return folder; }
    QSize videoSize() const override { return size; }
    void setTitle(const QString& t) override { title = t; }
    void showClipFacts(const QString& name, const QString& dir, const QString& videoSize, const QString& total) override
    {
        fileName = name;
        clipFolder = dir;
        videoSizeText = videoSize;
        totalTime = total;
        framesPerSecond.clear();
    }
    QString framesPerSecondText() const override { return framesPerSecond; }
    void setFramesPerSecondText(const QString& text) override { framesPerSecond = text; }
    void setScreenSizeText(const QString& text) override { screenSize = text; }
};
