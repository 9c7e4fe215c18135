#pragma once

#include "core/playback/TransportView.h"

#include <QObject>

class LoopControls;
class MediaPlayerControl;

// Play and pause, restart, mute, jumps by seconds, minutes and frames, and
// slow, regular and fast motion: the main window's "Basic Play Controls",
// "Advanced Player Controls" and "Speed Controls".
class TransportControls : public QObject {
    Q_OBJECT
public:
    using SpeedMode = TransportView::SpeedMode;

    TransportControls(MediaPlayerControl& player, TransportView& view, LoopControls& loops, QObject* parent = nullptr);

    SpeedMode speedMode() const { return m_speedMode; }
    // Opening a clip makes the mode regular without touching the rate.
    void setSpeedModeRegular() { m_speedMode = SpeedMode::Regular; }

    void playButtonClick(QObject* sender = nullptr);
    void restartButtonClick(QObject* sender = nullptr);
    void muteButtonClick(QObject* sender = nullptr);
    void backsecondsButtonClick(QObject* sender = nullptr);
    void forwardsecondsButtonClick(QObject* sender = nullptr);
    void backminutesButtonClick(QObject* sender = nullptr);
    void forwardminutesButtonClick(QObject* sender = nullptr);
    void back1frameButtonClick(QObject* sender = nullptr);
    void forward1frameButtonClick(QObject* sender = nullptr);
    void backframesButtonClick(QObject* sender = nullptr);
    void forwardframesButtonClick(QObject* sender = nullptr);
    void slowmotionButtonClick(QObject* sender = nullptr);
    void regularspeedButtonClick(QObject* sender = nullptr);
    void fastmotionButtonClick(QObject* sender = nullptr);
    void slowmotionRateChange();
    void fastmotionRateChange();

    // Stops: a continuous loop's restart is called off and the clip rests
    // at the loop's start (at its own start without a loop), paused.
    void stop();
    // A jump by `seconds` (back when negative), as the jump keys make one:
    // back past the clip's start goes to its start.
    void jumpBy(double seconds);
    // A rate asked for from outside the speed buttons (the desktop's media
    // controls): any rate of their range, marked on the button of its mode.
    // It does not start playing; a rate outside the range changes nothing.
    void changeRate(double rate);
    static double minimumRate();
    static double maximumRate();

private:
    void jumpBack(double step, QObject* sender);
    void jumpForward(double step, QObject* sender);
    void stepBack(int frames, QObject* sender);
    void stepForward(int frames, QObject* sender);
    void focusIfSender(QObject* sender);
    int chosenValue(TransportView::JumpList list) const { return m_view.jumpValue(list); }

    MediaPlayerControl& m_player;
    TransportView& m_view;
    LoopControls& m_loops;
    SpeedMode m_speedMode = SpeedMode::Regular;
};
