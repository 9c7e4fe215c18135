// Frame steps of MpvEngine: forward by decoding the next frame, back by
// mpv's backward playing once the dancer steps back, and exact seeks where
// neither pays.

#include "gui/playback/MpvEngine.h"

#include <QTimer>
#include <algorithm>
#include <mpv/client.h>

namespace {

// A step by decoding the next frame waits for that frame's time at the
// playing speed; beyond this an exact seek is quicker.
constexpr double LongestDecodingStepSeconds = 0.05;
// Stepping back while mpv plays backwards also waits for the frame's time;
// an exact seek back decodes from the keyframe, which takes longer on all
// but the smallest clips.
constexpr double LongestReversedStepSeconds = 0.1;

} // namespace

// One frame forward is one decode away: mpv plays the next frame and pauses
// (its frame step), where an exact seek would decode again from the
// keyframe. One frame back is an exact seek the first time; mpv then turns
// to playing backwards in the background (it decodes the keyframe's group
// once and hands its frames out in reverse), and the steps back that follow
// are frame steps in that direction. Steps of several frames and steps
// while anything is still on its way are exact seeks to the frame's time.
void MpvEngine::stepFrames(double from, int count)
{
    const double time = frameTimeFrom(from, count);
    if (time < 0.0)
        return;
    if (count == 1 && canStepByDecoding(from, time)) {
        // Past the pause point mpv's end must not stop the step.
        armPausePoint(time);
        m_stepFrom = m_position;
        m_position = time;
        m_atEnd = false;
        m_stepPending = true;
        sendFrameStep();
        return;
    }
    if (count == -1 && canStepByReversing(from, time)) {
        m_position = time;
        m_atEnd = false;
        if (m_stepPending) {
            // The key repeats faster than frames come: one more frame back
            // once the step under way has landed.
            ++m_stepsOwed;
            return;
        }
        m_stepFrom = from;
        m_stepPending = true;
        m_stepDirection = -1;
        if (m_direction == Direction::Backward)
            sendFrameStep();
        else
            m_stepDeadline->start(TurnDeadlineMs); // sent once mpv has turned
        return;
    }
    seekTo(seekTargetFor(time), time);
    if (count < 0) {
        m_backSeekFrom = from;
        m_backSeekTo = time;
    }
    m_reverseWanted =
        count == -1 && m_options.stepBackByReversing && !m_reversingFailed && reversedStepPays(from, time);
}

bool MpvEngine::canStepByDecoding(double from, double to) const
{
    if (!m_options.stepByDecoding || !isOpen() || m_file.width <= 0 || !m_paused || m_atEnd)
        return false;
    if (m_direction != Direction::Forward)
        return false;
    // mpv must rest where the step starts: paused for good, nothing on its way.
    if (m_seekPending || m_stepPending || m_stepOwnsPause || m_writesInFlight[mpvproperty::PropPause] > 0)
        return false;
    if (from != m_position || !(to > from))
        return false;
    // Resting at the pause point, mpv has stopped as at a clip's end.
    if (m_mpvEnd >= 0.0 && from >= m_pauseFrame - 1e-6)
        return false;
    // mpv shows the next frame when it is due at the playing speed.
    return (to - from) / std::max(m_speed, 0.01) <= LongestDecodingStepSeconds;
}

bool MpvEngine::reversedStepPays(double from, double to) const
{
    return (from - to) / std::max(m_speed, 0.01) <= LongestReversedStepSeconds;
}

bool MpvEngine::canStepByReversing(double from, double to) const
{
    if (m_direction == Direction::Forward || !isOpen() || !m_paused || m_seekPending)
        return false;
    if (from != m_position || !(to < from) || !reversedStepPays(from, to))
        return false;
    // Only back steps may queue behind the step under way.
    return !m_stepPending || m_stepDirection < 0;
}

void MpvEngine::sendFrameStep()
{
    m_stepDirection = m_direction == Direction::Forward ? 1 : -1;
    m_stepOwnsPause = true;
    const char* args[] = {"frame-step", nullptr};
    mpv_command_async(m_mpv, 0, args);
    m_stepDeadline->start(StepDeadlineMs);
}

// A frame step is out once the position has passed where it started, in
// its direction. Returns whether the step under way goes on: not out yet,
// or more frames back owed, the next sent once mpv has paused after this one.
bool MpvEngine::stepLanded(double seconds)
{
    if (m_stepDirection > 0 ? seconds <= m_stepFrom + 1e-6 : seconds >= m_stepFrom - 1e-6)
        return true;
    if (m_stepDirection < 0 && skippedFrames(m_stepFrom, seconds)) {
        // Backwards mpv passes over the frames that lead up to a keyframe
        // in clips whose groups of pictures are open (HEVC often): an exact
        // seek shows where the presses lead, and this clip is stepped back
        // by seeks from now on.
        m_reversingFailed = true;
        const double target = m_position;
        const double from = m_stepFrom;
        seekTo(seekTargetFor(target), target);
        m_backSeekFrom = from;
        m_backSeekTo = target;
        return true;
    }
    m_stepFrom = seconds;
    if (m_stepsOwed > 0 && m_direction == Direction::Backward) {
        m_nextStepWaits = true;
        if (m_stepOwnsPause)
            mpv_get_property_async(m_mpv, PauseReplyFlag, "pause", MPV_FORMAT_FLAG);
        else
            stepPaused();
        return true;
    }
    m_stepPending = false;
    m_stepDeadline->stop();
    // mpv pauses by itself after the step; a pause seen before now may have
    // hidden that.
    if (m_stepOwnsPause)
        mpv_get_property_async(m_mpv, PauseReplyFlag, "pause", MPV_FORMAT_FLAG);
    return false;
}

// Whether a step back from `from` that landed on `landed` went past the
// frame before `from`.
bool MpvEngine::skippedFrames(double from, double landed) const
{
    const double previous = frameTimeFrom(from, -1);
    if (previous < 0.0)
        return false;
    const double beforeThat = frameTimeFrom(previous, -1);
    return landed < (beforeThat >= 0.0 ? (previous + beforeThat) / 2 : previous - 1e-3);
}

// mpv has paused again after a step of its own.
void MpvEngine::stepPaused()
{
    m_stepOwnsPause = false;
    if (!m_nextStepWaits || !m_stepPending)
        return;
    m_nextStepWaits = false;
    --m_stepsOwed;
    sendFrameStep();
}

void MpvEngine::endStep()
{
    m_stepPending = false;
    m_stepOwnsPause = false;
    m_stepsOwed = 0;
    m_nextStepWaits = false;
    if (m_stepDeadline)
        m_stepDeadline->stop();
}

// A step that showed nothing in time (the clip's last frame, a decoder that
// stalls, mpv unable to play this clip backwards) is made again as an exact
// seek.
void MpvEngine::stepTookTooLong()
{
    if (!m_stepPending)
        return;
    ++m_stepsRedone;
    if (m_stepDirection < 0 || m_direction != Direction::Forward)
        m_reversingFailed = true;
    const double time = m_position;
    seekTo(seekTargetFor(time), time);
}

// After a step back has landed: mpv turns to playing backwards. Changing
// its direction makes mpv seek exactly to where it rests, so the picture
// stays as it is; the position is not reported again.
void MpvEngine::turnBackwards()
{
    m_reverseWanted = false;
    if (!isOpen() || !m_paused || m_seekPending || m_stepPending || m_direction != Direction::Forward)
        return;
    // mpv's end of playing means nothing backwards; it is put again when
    // mpv plays forward.
    if (m_mpvEnd >= 0.0) {
        m_mpvEnd = -1.0;
        m_pauseFrame = -1.0;
        const char* end[] = {"set", "end", "none", nullptr};
        mpv_command_async(m_mpv, 0, end);
    }
    m_direction = Direction::Turning;
    m_turnAcknowledged = false;
    const char* args[] = {"set", "play-dir", "backward", nullptr};
    mpv_command_async(m_mpv, TurnReplyFlag, args);
}

// mpv has settled after a seek: the one its turn made, once it has taken
// the turn.
void MpvEngine::handleTurnLanded()
{
    if (m_direction != Direction::Turning || !m_turnAcknowledged)
        return;
    m_direction = Direction::Backward;
    if (m_stepPending && !m_stepOwnsPause)
        sendFrameStep();
}

// Everything but a step back plays forward again; the seek that follows
// (every caller seeks) takes the place of the one the turn makes.
void MpvEngine::turnForwards()
{
    m_reverseWanted = false;
    if (m_direction == Direction::Forward)
        return;
    m_direction = Direction::Forward;
    const char* args[] = {"set", "play-dir", "forward", nullptr};
    mpv_command_async(m_mpv, 0, args);
}

// An exact seek back has landed on `landed`. In clips whose groups of
// pictures are open, the frames just before a keyframe are decoded after
// it, and a seek to one of them starts at that keyframe and shows it: the
// step back would not move. Such a seek is made once more with mpv's
// demuxer starting earlier, at the keyframe before. Returns whether it was.
bool MpvEngine::seekBackAgainIfHeld(double landed)
{
    const double from = m_backSeekFrom;
    m_backSeekFrom = -1.0;
    if (from < 0.0 || landed < from - 1e-6)
        return false;
    m_seekStartsEarlier = true;
    const char* earlier[] = {"set", "hr-seek-demuxer-offset", "0.5", nullptr};
    mpv_command_async(m_mpv, 0, earlier);
    // The position may have read the frame mpv showed meanwhile.
    const double target = m_backSeekTo;
    const bool reverse = m_reverseWanted;
    seekTo(seekTargetFor(target), target);
    m_reverseWanted = reverse;
    return true;
}

// After that seek: mpv's demuxer starts where it seeks again.
void MpvEngine::seekStartsAtItsTarget()
{
    if (!m_seekStartsEarlier)
        return;
    m_seekStartsEarlier = false;
    const char* args[] = {"set", "hr-seek-demuxer-offset", "0", nullptr};
    mpv_command_async(m_mpv, 0, args);
}
