#include "gui/playback/MpvFrameStepper.h"

#include <algorithm>
#include <utility>

namespace {

// A step by decoding the next frame waits for that frame's time at the
// playing speed; beyond this an exact seek is quicker.
constexpr double LongestDecodingStepSeconds = 0.05;
// Stepping back while mpv plays backwards also waits for the frame's time;
// an exact seek back decodes from the keyframe, which takes longer on all
// but the smallest clips.
constexpr double LongestReversedStepSeconds = 0.1;

} // namespace

MpvFrameStepper::MpvFrameStepper(std::unique_ptr<Mpv> mpv, Ways ways) : m_mpv(std::move(mpv)), m_ways(ways)
{
    m_deadline.setSingleShot(true);
    m_deadline.setInterval(StepDeadlineMs);
    QObject::connect(&m_deadline, &QTimer::timeout, [this] { stepTookTooLong(); });
}

// One frame forward is one decode away: mpv plays the next frame and pauses
// (its frame step), where an exact seek would decode again from the
// keyframe. One frame back is an exact seek the first time; mpv then turns
// to playing backwards in the background (it decodes the keyframe's group
// once and hands its frames out in reverse), and the steps back that follow
// are frame steps in that direction. Steps of several frames and steps
// while anything is still on its way are exact seeks to the frame's time.
void MpvFrameStepper::stepFrames(double from, int count)
{
    const double time = m_mpv->frameTimeFrom(from, count);
    if (time < 0.0)
        return;
    if (count == 1 && canStepByDecoding(from, time)) {
        // Past the pause point mpv's end must not stop the step.
        m_mpv->armPausePoint(time);
        m_mpv->readAs(time);
        m_step = Step{StepDirection::Forward, from};
        sendFrameStep();
        return;
    }
    if (count == -1 && canStepByReversing(from, time)) {
        m_mpv->readAs(time);
        if (m_step) {
            // The key repeats faster than frames come: one more frame back
            // once the step under way has landed.
            ++m_step->owed;
            return;
        }
        m_step = Step{StepDirection::Backward, from};
        if (m_heading == Heading::Backward)
            sendFrameStep();
        else
            m_deadline.start(TurnDeadlineMs); // sent once mpv has turned
        return;
    }
    // The seek plays forward (seekStarts).
    m_mpv->seekToFrame(time);
    if (count < 0)
        m_backSeek = BackSeek{from, time};
    if (count == -1 && m_ways.backByReversing && m_reversing == Reversing::Usable && reversedStepPays(from, time))
        m_heading = Heading::TurnWanted;
}

bool MpvFrameStepper::canStepByDecoding(double from, double to) const
{
    if (!m_ways.forwardByDecoding || !m_mpv->canPlayOneFrame() || !playsForward())
        return false;
    // mpv must rest where the step starts: paused for good, nothing on its way.
    if (m_step || m_mpvPause != PauseOwner::Engine)
        return false;
    if (from != m_mpv->position() || !(to > from))
        return false;
    // mpv shows the next frame when it is due at the playing speed.
    return (to - from) / std::max(m_mpv->speed(), 0.01) <= LongestDecodingStepSeconds;
}

bool MpvFrameStepper::reversedStepPays(double from, double to) const
{
    return (from - to) / std::max(m_mpv->speed(), 0.01) <= LongestReversedStepSeconds;
}

bool MpvFrameStepper::canStepByReversing(double from, double to) const
{
    if (playsForward() || !m_mpv->restsPaused())
        return false;
    if (from != m_mpv->position() || !(to < from) || !reversedStepPays(from, to))
        return false;
    // Only back steps may queue behind the step under way.
    return !m_step || m_step->direction == StepDirection::Backward;
}

void MpvFrameStepper::sendFrameStep()
{
    m_step->direction = playsForward() ? StepDirection::Forward : StepDirection::Backward;
    m_mpvPause = PauseOwner::FrameStep;
    m_mpv->sendFrameStep();
    m_deadline.start(StepDeadlineMs);
}

bool MpvFrameStepper::holdsPosition(double seconds)
{
    return m_step && stepLanded(seconds);
}

// A frame step is out once the position has passed where it started, in
// its direction. Returns whether the step under way goes on: not out yet,
// or more frames back owed, the next sent once mpv has paused after this one.
bool MpvFrameStepper::stepLanded(double seconds)
{
    Step& step = *m_step;
    const bool backward = step.direction == StepDirection::Backward;
    if (backward ? seconds >= step.from - 1e-6 : seconds <= step.from + 1e-6)
        return true;
    if (backward && skippedFrames(step.from, seconds)) {
        // Backwards mpv passes over the frames that lead up to a keyframe
        // in clips whose groups of pictures are open (HEVC often): an exact
        // seek shows where the presses lead, and this clip is stepped back
        // by seeks from now on.
        m_reversing = Reversing::Fails;
        const double target = m_mpv->position();
        const double from = step.from;
        m_mpv->seekToFrame(target);
        m_backSeek = BackSeek{from, target};
        return true;
    }
    step.from = seconds;
    if (step.owed > 0 && m_heading == Heading::Backward) {
        step.phase = StepPhase::NextAfterPause;
        if (m_mpvPause == PauseOwner::FrameStep)
            m_mpv->askWhetherPaused();
        else
            mpvPaused();
        return true;
    }
    m_step.reset();
    m_deadline.stop();
    // mpv pauses by itself after the step; a pause seen before now may have
    // hidden that.
    if (m_mpvPause == PauseOwner::FrameStep)
        m_mpv->askWhetherPaused();
    return false;
}

// Whether a step back from `from` that landed on `landed` went past the
// frame before `from`.
bool MpvFrameStepper::skippedFrames(double from, double landed) const
{
    const double previous = m_mpv->frameTimeFrom(from, -1);
    if (previous < 0.0)
        return false;
    const double beforeThat = m_mpv->frameTimeFrom(previous, -1);
    return landed < (beforeThat >= 0.0 ? (previous + beforeThat) / 2 : previous - 1e-3);
}

// mpv has paused again after a step of its own.
void MpvFrameStepper::mpvPaused()
{
    m_mpvPause = PauseOwner::Engine;
    if (!m_step || m_step->phase != StepPhase::NextAfterPause)
        return;
    m_step->phase = StepPhase::Showing;
    --m_step->owed;
    sendFrameStep();
}

void MpvFrameStepper::takePauseBack()
{
    m_mpvPause = PauseOwner::Engine;
}

void MpvFrameStepper::endStep()
{
    m_step.reset();
    m_mpvPause = PauseOwner::Engine;
    m_deadline.stop();
}

// A step that showed nothing in time (the clip's last frame, a decoder that
// stalls, mpv unable to play this clip backwards) is made again as an exact
// seek.
void MpvFrameStepper::stepTookTooLong()
{
    if (!m_step)
        return;
    ++m_stepsRedone;
    if (m_step->direction == StepDirection::Backward || !playsForward())
        m_reversing = Reversing::Fails;
    m_mpv->seekToFrame(m_mpv->position());
}

void MpvFrameStepper::seekStarts()
{
    endStep();
    turnForwards();
    m_backSeek.reset();
}

// After a step back has landed: mpv turns to playing backwards. Changing
// its direction makes mpv seek exactly to where it rests, so the picture
// stays as it is; the position is not reported again.
void MpvFrameStepper::turnIfWanted()
{
    if (m_heading != Heading::TurnWanted)
        return;
    m_heading = Heading::Forward;
    if (!m_mpv->restsPaused() || m_step)
        return;
    // mpv's end of playing means nothing backwards; it is put again when
    // mpv plays forward.
    m_mpv->dropPausePointEnd();
    m_heading = Heading::TurnAsked;
    m_mpv->setPlayDirection(PlayDirection::Backward);
}

void MpvFrameStepper::turnTaken()
{
    if (m_heading == Heading::TurnAsked)
        m_heading = Heading::TurnTaken;
}

// mpv has settled after a seek: the one its turn made, once it has taken
// the turn.
void MpvFrameStepper::playbackRestarted()
{
    if (m_heading != Heading::TurnTaken)
        return;
    m_heading = Heading::Backward;
    if (m_step && m_mpvPause == PauseOwner::Engine)
        sendFrameStep();
}

// Everything but a step back plays forward again; the seek that follows
// (every caller seeks) takes the place of the one the turn makes.
void MpvFrameStepper::turnForwards()
{
    const bool toldBackward = !playsForward();
    m_heading = Heading::Forward;
    if (toldBackward)
        m_mpv->setPlayDirection(PlayDirection::Forward);
}

// An exact seek back has landed on `landed`. In clips whose groups of
// pictures are open, the frames just before a keyframe are decoded after
// it, and a seek to one of them starts at that keyframe and shows it: the
// step back would not move. Such a seek is made once more with mpv's
// demuxer starting earlier, at the keyframe before; after that seek it
// starts where it seeks again.
MpvFrameStepper::Landing MpvFrameStepper::exactSeekLanded(double landed)
{
    if (m_seekStart == SeekStart::EarlierKeyframe) {
        m_seekStart = SeekStart::AtTarget;
        m_mpv->setSeekStart(SeekStart::AtTarget);
    }
    const std::optional<BackSeek> back = std::exchange(m_backSeek, std::nullopt);
    if (!back || landed < back->from - 1e-6)
        return Landing::Stands;
    m_seekStart = SeekStart::EarlierKeyframe;
    m_mpv->setSeekStart(SeekStart::EarlierKeyframe);
    // The position may have read the frame mpv showed meanwhile; the turn
    // the step back wanted still stands.
    const bool turnWanted = m_heading == Heading::TurnWanted;
    m_mpv->seekToFrame(back->to);
    if (turnWanted)
        m_heading = Heading::TurnWanted;
    return Landing::SoughtAgain;
}

void MpvFrameStepper::newClip()
{
    m_heading = Heading::Forward;
    m_reversing = Reversing::Usable;
    m_backSeek.reset();
    m_seekStart = SeekStart::AtTarget;
}
