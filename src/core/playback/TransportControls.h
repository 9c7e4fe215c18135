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

    // Play without a clip: a click explains what to do first, a key (or a
    // desktop's media control) does nothing.
    enum class WithoutClip { StaySilent, Explain };

    // Plays, or pauses what plays; a continuous loop waiting to start again
    // counts as playing.
    void togglePlay(WithoutClip withoutClip = WithoutClip::StaySilent);
    void restart();
    void toggleMute();
    // Jumps by the chosen values of the jump lists.
    void jumpBackSeconds();
    void jumpForwardSeconds();
    void jumpBackMinutes();
    void jumpForwardMinutes();
    // One frame, or the chosen number of frames ("several frames").
    void stepBack();
    void stepForward();
    void stepBackSeveral();
    void stepForwardSeveral();
    void playSlow();
    void playRegular();
    void playFast();
    // A rate was picked in the slow or fast list: it applies at once when
    // that speed plays.
    void slowRateChosen();
    void fastRateChosen();

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
    void jumpBack(double step);
    void jumpForward(double step);
    void stepBackFrames(int frames);
    void stepForwardFrames(int frames);
    int chosenValue(TransportView::JumpList list) const { return m_view.jumpValue(list); }

    MediaPlayerControl& m_player;
    TransportView& m_view;
    LoopControls& m_loops;
    SpeedMode m_speedMode = SpeedMode::Regular;
};
