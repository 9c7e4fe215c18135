#include "core/playback/LoopControls.h"

#include "core/base/Prompt.h"
#include "core/base/TimeCode.h"
#include "core/playback/CountInPlayer.h"
#include "core/playback/LoopRules.h"
#include "core/playback/LoopView.h"
#include "core/playback/MediaPlayerControl.h"
#include "core/playback/PlayAllView.h"

#include <QTimer>
#include <algorithm>
#include <utility>

LoopControls::LoopControls(MediaPlayerControl& player, LoopView& view, QObject* parent)
    : QObject(parent), m_player(player), m_view(view),
      m_timer([this](int ms, std::function<void()> done) { QTimer::singleShot(ms, this, std::move(done)); })
{
    connect(this, &LoopControls::loopLeft, this, [this] { m_player.keepLoopFrames(0.0, -1.0); });
}

bool LoopControls::playingAll() const
{
    return m_playAll && m_playAll->PlayingAll();
}

void LoopControls::turnOffPlayAll()
{
    if (m_playAll)
        m_playAll->TurnOffPlayAllBookmarks();
}

QString LoopControls::startTimeDigits() const
{
    return m_view.startTimeDigits();
}

QString LoopControls::endTimeDigits() const
{
    return m_view.endTimeDigits();
}

QString LoopControls::loopPointDigits() const
{
    const double position = m_player.CurrentPosition();
    if (m_pointRule)
        return m_pointRule(position);
    return determineColonStringFromSeconds(roundPositionToSeconds(position));
}

void LoopControls::setLoopStart()
{
    if (m_player.FileName().isEmpty())
        prompt().message(QStringLiteral("You must choose a clip first before defining a start time."));
    else
        m_view.setStartTimeDigits(loopPointDigits());
}

void LoopControls::setLoopEnd()
{
    if (m_player.FileName().isEmpty())
        prompt().message(QStringLiteral("You must choose a clip first before defining an end time."));
    else
        m_view.setEndTimeDigits(loopPointDigits());
}

void LoopControls::clearLoopEnd()
{
    m_view.clearPlayingBookmark();
    m_view.setEndTimeDigits(QString());
    m_player.setSelectionEnd(-1);
    m_loopIsPlaying = false;
    m_nextPass.reset();
    endLadder();
    emit loopLeft();
}

void LoopControls::clearLoop()
{
    m_view.clearPlayingBookmark();
    m_view.setStartTimeDigits(QString());
    m_view.setEndTimeDigits(QString());
    m_player.setSelectionStart(-1);
    m_player.setSelectionEnd(-1);
    m_loopIsPlaying = false;
    m_nextPass.reset();
    endLadder();
    showIndicator(Indicator::FullVideo);
    emit loopLeft();
}

void LoopControls::refuseLoop(const QString& message)
{
    prompt().message(message);
    if (playingAll())
        turnOffPlayAll();
    endLadder();
    showIndicator(Indicator::FullVideo);
}

bool LoopControls::playLoop()
{
    return startLoop(LoopSource::ByHand);
}

bool LoopControls::startLoop(LoopSource source)
{
    if (!playLoopChecked()) {
        emit loopRefused(source);
        return false;
    }
    emit loopStarted(source);
    return true;
}

bool LoopControls::playLoopChecked()
{
    m_player.Pause();
    if (m_player.FileName().isEmpty()) {
        prompt().message(QStringLiteral("You must choose a clip first before attempting to play a loop."));
        return false;
    }
    const QString start = m_view.startTimeDigits();
    const QString end = m_view.endTimeDigits();
    if (start.isEmpty()) {
        refuseLoop(QStringLiteral("You must enter a \"Start Time\" first before playing a loop."));
        return false;
    }
    // A partly filled box holds no time: it is refused, never guessed.
    if (!isPreciseDigitForm(start) || !(end.isEmpty() || isPreciseDigitForm(end))) {
        refuseLoop(QStringLiteral("A time box is only partly filled.\nPlease complete or clear it and try again."));
        return false;
    }
    const double startSeconds = determineMillisecondsFromColonString(start) / 1000.0;
    if (startSeconds >= m_player.Duration()) {
        refuseLoop(QStringLiteral("The start time is set past the end of the video.\nPlease fix and try again."));
        return false;
    }
    if (!end.isEmpty() && !timeDigitsLess(start, end)) {
        refuseLoop(QStringLiteral("The \"End Time\" must be greater than the \"Start Time\""));
        return false;
    }
    // The new loop starts now, not at the end of an old loop's wait.
    cancelRestart();
    m_nextPass.reset();
    m_player.setSelectionStart(-1);
    m_player.setSelectionEnd(-1);
    m_player.setSelectionStart(startSeconds);
    if (!end.isEmpty())
        m_player.setSelectionEnd(selectionEndForEndTime(determineMillisecondsFromColonString(end) / 1000.0));
    showIndicator(Indicator::Loop);
    // The first pass's rate is set while the player is paused.
    if (m_mode == LoopMode::Ladder && !playingAll())
        startLadder();
    else
        endLadder();
    m_player.setCurrentPosition(m_player.SelectionStart());
    m_loopIsPlaying = true;
    // The first pass is counted in too; without a count-in it plays at once,
    // and so does each loop of the play-all sequence, which goes from one
    // bookmark to the next without a wait.
    if (!playingAll() && countInPlan())
        waitBeforePlaying();
    else
        m_player.Play();
    return true;
}

void LoopControls::resetLoopState()
{
    m_loopIsPlaying = false;
    m_waitingForLoopRestart = false;
    m_playOnNextStateChange = false;
    m_nextPass.reset();
}

void LoopControls::stopPlayAllPlayback()
{
    m_playOnNextStateChange = false;
    if (m_player.PlayState() == mpPlaying)
        m_player.Pause();
}

void LoopControls::playStoredLoop(const QString& startDigits, const QString& endDigits)
{
    m_view.setStartTimeDigits(startDigits);
    m_view.setEndTimeDigits(endDigits);
    startLoop(LoopSource::Stored);
}

void LoopControls::moveLoopFromNextPass(double startSeconds, double endSeconds)
{
    if (!m_loopIsPlaying)
        return;
    m_nextPass = std::pair(startSeconds, endSeconds);
}

void LoopControls::applyNextPass()
{
    if (!m_nextPass)
        return;
    const auto [start, end] = *m_nextPass;
    m_nextPass.reset();
    m_player.setSelectionStart(-1);
    m_player.setSelectionEnd(-1);
    m_player.setSelectionStart(start);
    if (end >= 0)
        m_player.setSelectionEnd(selectionEndForEndTime(end));
}

void LoopControls::playFullVideo()
{
    turnOffPlayAll();
    if (m_player.FileName().isEmpty()) {
        prompt().message(QStringLiteral("You must choose a clip first before attempting to play the full video."));
        return;
    }
    cancelRestart();
    endLadder();
    m_player.setSelectionStart(-1);
    m_player.setSelectionEnd(-1);
    m_player.Play();
    showIndicator(Indicator::FullVideo);
    m_loopIsPlaying = false;
    m_nextPass.reset();
    emit loopLeft();
}

void LoopControls::toggleContinuously()
{
    setLoopMode(m_mode == LoopMode::Once ? LoopMode::Continuously : LoopMode::Once);
}

void LoopControls::cycleLoopMode()
{
    switch (loopMode()) {
    case LoopMode::Once:
        setLoopMode(LoopMode::Continuously);
        break;
    case LoopMode::Continuously:
        setLoopMode(LoopMode::Ladder);
        break;
    case LoopMode::Ladder:
        setLoopMode(LoopMode::Once);
        break;
    }
}

LoopControls::LoopMode LoopControls::loopMode() const
{
    return m_mode;
}

void LoopControls::setLoopMode(LoopMode mode)
{
    endLadder();
    m_mode = mode;
    showLoopMode();
}

void LoopControls::showLoopMode()
{
    if (m_mode != LoopMode::Ladder)
        m_view.showLoopMode(m_mode == LoopMode::Continuously);
    else
        m_view.showLadder(ladderRunning() ? m_ladder.indicator() : QStringLiteral("speed ladder"));
}

void LoopControls::setSpeedLadder(const SpeedLadder& ladder)
{
    if (ladder == m_ladder)
        return;
    m_ladder = ladder;
    // A run under way keeps its rate and starts again with the next loop.
    if (ladderRunning())
        m_ladder.restart();
}

void LoopControls::setRestartPauseMs(int ms)
{
    m_restartPauseMs = std::clamp(ms, 0, MaxRestartPauseMs);
}

void LoopControls::setCountIn(countin::CountInSound sound, int volume)
{
    m_countInSound = sound;
    m_countInVolume = std::clamp(volume, 0, 100);
}

std::optional<countin::CountInPlan> LoopControls::countInPlan() const
{
    if (m_player.SelectionStart() == -1)
        return std::nullopt;
    return countin::planCountIn(m_countInSound, m_grid, m_player.SelectionStart(), m_player.Rate());
}

// The next pass's count-in is loaded while the loop plays, so that it starts
// at once at the loop's end.
void LoopControls::prepareCountIn()
{
    if (!m_countInPlayer)
        return;
    if (const auto plan = countInPlan())
        m_countInPlayer->prepare(*plan, m_countInSound, m_countInVolume);
}

void LoopControls::startLadder()
{
    if (!m_rateBeforeLadder)
        m_rateBeforeLadder = m_player.Rate();
    m_ladder.restart();
    m_player.setRate(m_ladder.rate());
    showLoopMode();
}

void LoopControls::endLadder()
{
    const std::optional<double> rate = std::exchange(m_rateBeforeLadder, std::nullopt);
    if (!rate)
        return;
    m_player.setRate(*rate);
    showLoopMode();
}

void LoopControls::showIndicator(Indicator indicator)
{
    m_indicator = indicator;
    m_view.showLoopIndicator(indicator == Indicator::Loop);
}

void LoopControls::clipOpened()
{
    m_view.setStartTimeDigits(QString());
    m_view.setEndTimeDigits(QString());
    m_player.setSelectionStart(-1);
    m_player.setSelectionEnd(-1);
    m_player.setCurrentPosition(0);
    cancelRestart();
    endLadder();
    showIndicator(Indicator::FullVideo);
    m_loopIsPlaying = false;
    m_nextPass.reset();
    m_waitingForLoopRestart = false;
    emit loopLeft();
}

void LoopControls::cancelRestart()
{
    if (!m_pendingRestart)
        return;
    m_pendingRestart.reset();
    if (m_countInPlayer)
        m_countInPlayer->stop();
    // The loop rests at its end after all.
    m_player.dropCue();
    m_view.showPlaying(m_player.PlayState() == mpPlaying);
}

// The seek back to the loop's start is made while the loop waits, so that
// playing starts again on time when the wait is over; meanwhile the picture
// shows the loop's end, and the position reads as the end.
void LoopControls::restartAfterPause()
{
    if (m_player.SelectionStart() != -1)
        m_player.cue(m_player.SelectionStart());
    waitBeforePlaying();
}

// The repeat gap, or the count-in: the loop plays when the count's sound
// reaches "1", or when its timer runs out, whichever comes first.
void LoopControls::waitBeforePlaying()
{
    const quint64 number = ++m_restartsAsked;
    m_pendingRestart = number;
    m_view.showPlaying(true);
    const auto play = [this, number] {
        if (m_pendingRestart != number)
            return;
        m_pendingRestart.reset();
        m_player.Play();
    };
    const std::optional<countin::CountInPlan> plan = countInPlan();
    if (!plan) {
        m_timer(m_restartPauseMs, play);
        return;
    }
    const bool heard = m_countInPlayer && m_countInPlayer->start(*plan, m_countInSound, m_countInVolume, play);
    m_timer(heard ? plan->lengthMs() + CountInGraceMs : plan->lengthMs(), play);
}

void LoopControls::positionChanged(double, double newPosition)
{
    // The frames of the loop as it plays now are kept (the nudge keys and a
    // resumed loop move it between passes); without a loop, none.
    if (m_loopIsPlaying)
        m_player.keepLoopFrames(std::max(m_player.SelectionStart(), 0.0),
                                m_player.SelectionEnd() >= 0.0 ? m_player.SelectionEnd() : m_player.Duration());
    else
        m_player.keepLoopFrames(0.0, -1.0);
    if (m_waitingForLoopRestart || !m_loopIsPlaying)
        return;
    if (!loopEndReached(newPosition, m_player.SelectionEnd(), m_player.Duration()))
        return;
    // The pass as played: from the loop's start to here, at the rate it
    // played (the ladder sets the next pass's rate below).
    const double rate = m_player.Rate() > 0 ? m_player.Rate() : 1.0;
    const double start = std::max(m_player.SelectionStart(), 0.0);
    emit passEnded(rate, std::max(newPosition - start, 0.0) / rate);
    m_player.Pause();
    m_waitingForLoopRestart = true;
    if (playingAll()) {
        m_waitingForLoopRestart = false;
        m_playOnNextStateChange = true;
        m_playAll->PlayNextLoop(PlayAllView::Step::Next, PlayAllView::Asker::Elsewhere);
    } else if (LoopContinuously()) {
        // The next pass's rate is set while the loop rests at its end.
        if (ladderRunning() && m_ladder.passFinished())
            m_player.setRate(m_ladder.rate());
        if (ladderRunning())
            showLoopMode();
        restartAfterPause();
    }
}

void LoopControls::playStateChanged(PlayStateValue, PlayStateValue newState)
{
    if (newState == mpStopped) {
        m_player.Play();
        m_player.Pause();
    }
    if (m_rePause) {
        m_player.Pause();
        m_rePause = false;
        return;
    }
    if (m_waitingForLoopRestart && newState == mpPlaying) {
        // A loop moved while it played or rested takes its new range as it
        // starts again: taken any earlier, the player's range stop would act
        // on an end moved before the point the loop rests on.
        applyNextPass();
        if (m_player.SelectionStart() != -1)
            m_player.setCurrentPosition(m_player.SelectionStart());
        m_waitingForLoopRestart = false;
    }
    if (m_playOnNextStateChange) {
        m_playOnNextStateChange = false;
        m_player.Play();
    }
    if (newState == mpPlaying && m_loopIsPlaying && LoopContinuously() && !playingAll())
        prepareCountIn();
    // A continuous loop still plays while it waits to start again.
    m_view.showPlaying(m_player.PlayState() == mpPlaying || restartPending());
}
