#include "core/playback/TransportControls.h"

#include "core/base/Prompt.h"
#include "core/base/TimeCode.h"
#include "core/playback/LoopControls.h"
#include "core/playback/LoopRules.h"
#include "core/playback/MediaPlayerControl.h"

#include <algorithm>
#include <iterator>

namespace {
const double slowRates[] = {0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9};
const double fastRates[] = {1.2, 1.5, 1.7, 2.0};
} // namespace

using JumpList = TransportView::JumpList;

TransportControls::TransportControls(MediaPlayerControl& player, TransportView& view, LoopControls& loops,
                                     QObject* parent)
    : QObject(parent), m_player(player), m_view(view), m_loops(loops)
{
}

void TransportControls::togglePlay(WithoutClip withoutClip)
{
    if (m_player.FileName().isEmpty() && withoutClip == WithoutClip::Explain)
        prompt().message(
            QStringLiteral("In order to play video, you must first choose a clip using the \"view clip\" button."));
    // A continuous loop waiting to start again counts as playing: the
    // restart is called off and the loop rests at its end.
    if (m_player.PlayState() == mpPlaying || m_loops.restartPending()) {
        m_loops.cancelRestart();
        m_player.Pause();
        return;
    }
    m_player.Play();
    if (m_loops.LoopIsPlaying()) {
        // Resuming a loop takes the boxes as they are now; a partly filled
        // box holds no time, so the loop then keeps the times it had.
        const QString start = m_loops.startTimeDigits();
        const QString end = m_loops.endTimeDigits();
        if (!(start.isEmpty() || isPreciseDigitForm(start)) || !(end.isEmpty() || isPreciseDigitForm(end)))
            return;
        m_player.setSelectionStart(-1);
        m_player.setSelectionEnd(-1);
        if (!start.isEmpty()) {
            m_player.setSelectionStart(determineMillisecondsFromColonString(start) / 1000.0);
            if (!end.isEmpty())
                m_player.setSelectionEnd(selectionEndForEndTime(determineMillisecondsFromColonString(end) / 1000.0));
        }
    }
}

void TransportControls::restart()
{
    m_player.Stop();
    m_player.Play();
}

void TransportControls::toggleMute()
{
    const bool muted = !m_player.Mute();
    m_player.setMute(muted);
    m_view.showMuted(muted);
}

void TransportControls::jumpBack(double step)
{
    const double position = m_player.CurrentPosition();
    if (position - step >= 0) {
        m_player.setCurrentPosition(position - step);
    } else if (m_player.PlayState() == mpPlaying) {
        m_player.Stop();
        m_player.Play();
    } else {
        // The play-state handler plays and pauses again, at 0 or the loop's start.
        m_player.Stop();
    }
}

void TransportControls::jumpForward(double step)
{
    m_player.setCurrentPosition(m_player.CurrentPosition() + step);
}

void TransportControls::jumpBackSeconds()
{
    jumpBack(std::max(chosenValue(JumpList::backSeconds), 1));
}

void TransportControls::jumpForwardSeconds()
{
    jumpForward(std::max(chosenValue(JumpList::forwardSeconds), 1));
}

void TransportControls::jumpBackMinutes()
{
    jumpBack(std::max(chosenValue(JumpList::backMinutes) * 60, 60));
}

void TransportControls::jumpForwardMinutes()
{
    jumpForward(std::max(chosenValue(JumpList::forwardMinutes) * 60, 60));
}

// Frame steps count the clip's own frames, wherever they lie: a phone clip's
// frame rate varies, and a 60 fps clip has twice the frames of a 30 fps one.
// Playing pauses first, so the step counts from the frame on screen.
void TransportControls::stepBackFrames(int frames)
{
    if (m_player.frameTimeFrom(m_player.CurrentPosition(), -frames) >= 0) {
        m_player.Pause();
        m_player.stepFrames(-frames);
    } else {
        m_player.Stop();
    }
}

void TransportControls::stepForwardFrames(int frames)
{
    m_player.Pause();
    m_player.stepFrames(frames);
}

void TransportControls::stepBack()
{
    stepBackFrames(1);
}

void TransportControls::stepForward()
{
    stepForwardFrames(1);
}

void TransportControls::stepBackSeveral()
{
    stepBackFrames(chosenValue(JumpList::backFrames));
}

void TransportControls::stepForwardSeveral()
{
    stepForwardFrames(chosenValue(JumpList::forwardFrames));
}

void TransportControls::playSlow()
{
    m_view.showSpeedMode(SpeedMode::Slow);
    const int entry = m_view.slowRateEntry();
    if (entry >= 0 && entry < int(std::size(slowRates)))
        m_player.setRate(slowRates[entry]);
    m_player.Play();
    m_speedMode = SpeedMode::Slow;
}

void TransportControls::playRegular()
{
    m_view.showSpeedMode(SpeedMode::Regular);
    m_player.setRate(1.0);
    m_player.Play();
    m_speedMode = SpeedMode::Regular;
}

void TransportControls::playFast()
{
    m_view.showSpeedMode(SpeedMode::Fast);
    const int entry = m_view.fastRateEntry();
    if (entry >= 0 && entry < int(std::size(fastRates)))
        m_player.setRate(fastRates[entry]);
    m_player.Play();
    m_speedMode = SpeedMode::Fast;
}

void TransportControls::slowRateChosen()
{
    if (m_speedMode == SpeedMode::Slow)
        playSlow();
}

void TransportControls::stop()
{
    m_loops.cancelRestart();
    // The play-state handler plays and pauses again, at the loop's start.
    m_player.Stop();
}

void TransportControls::jumpBy(double seconds)
{
    if (seconds < 0)
        jumpBack(-seconds);
    else
        jumpForward(seconds);
}

double TransportControls::minimumRate()
{
    return slowRates[0];
}

double TransportControls::maximumRate()
{
    return fastRates[std::size(fastRates) - 1];
}

void TransportControls::changeRate(double rate)
{
    if (!(rate >= minimumRate() && rate <= maximumRate()))
        return;
    const SpeedMode mode = rate < 1.0 ? SpeedMode::Slow : rate > 1.0 ? SpeedMode::Fast : SpeedMode::Regular;
    m_view.showSpeedMode(mode);
    m_player.setRate(rate);
    m_speedMode = mode;
}

void TransportControls::fastRateChosen()
{
    if (m_speedMode == SpeedMode::Fast)
        playFast();
}
