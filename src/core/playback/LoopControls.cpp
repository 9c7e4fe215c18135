#include "core/playback/LoopControls.h"

#include "core/base/Prompt.h"
#include "core/base/TimeCode.h"
#include "core/playback/LoopRules.h"
#include "core/playback/LoopView.h"
#include "core/playback/MediaPlayerControl.h"
#include "core/playback/PlayAllView.h"

#include <QTimer>
#include <algorithm>

LoopControls::LoopControls(MediaPlayerControl& player, LoopView& view, QObject* parent)
    : QObject(parent), m_player(player), m_view(view),
      m_timer([this](int ms, std::function<void()> done) { QTimer::singleShot(ms, this, std::move(done)); })
{
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

void LoopControls::focusIfSender(QObject* sender)
{
    if (sender)
        m_view.giveFocusToSink();
}

QString LoopControls::startTimeDigits() const
{
    return m_view.startTimeDigits();
}

QString LoopControls::endTimeDigits() const
{
    return m_view.endTimeDigits();
}

void LoopControls::setStartTimeButtonClick(QObject* sender)
{
    if (m_player.FileName().isEmpty())
        prompt().message(QStringLiteral("You must choose a clip first before defining a start time."));
    else
        m_view.setStartTimeDigits(determineColonStringFromSeconds(roundPositionToSeconds(m_player.CurrentPosition())));
    focusIfSender(sender);
}

void LoopControls::setEndTimeButtonClick(QObject* sender)
{
    if (m_player.FileName().isEmpty())
        prompt().message(QStringLiteral("You must choose a clip first before defining an end time."));
    else
        m_view.setEndTimeDigits(determineColonStringFromSeconds(roundPositionToSeconds(m_player.CurrentPosition())));
    focusIfSender(sender);
}

void LoopControls::resetEndTimeButtonClick(QObject* sender)
{
    m_view.clearPlayingBookmark();
    m_view.setEndTimeDigits(QString());
    m_player.setSelectionEnd(-1);
    m_loopIsPlaying = false;
    endLadder();
    focusIfSender(sender);
}

void LoopControls::resetLoopButtonClick(QObject* sender)
{
    m_view.clearPlayingBookmark();
    m_view.setStartTimeDigits(QString());
    m_view.setEndTimeDigits(QString());
    m_player.setSelectionStart(-1);
    m_player.setSelectionEnd(-1);
    m_loopIsPlaying = false;
    endLadder();
    LoopPlayingIndicatorChange(QStringLiteral("full"));
    focusIfSender(sender);
}

void LoopControls::refuseLoop(const QString& message)
{
    prompt().message(message);
    if (playingAll())
        turnOffPlayAll();
    endLadder();
    LoopPlayingIndicatorChange(QStringLiteral("full"));
}

void LoopControls::playLoopButtonClick(QObject* sender)
{
    m_player.Pause();
    if (m_player.FileName().isEmpty()) {
        prompt().message(QStringLiteral("You must choose a clip first before attempting to play a loop."));
        return;
    }
    const QString start = m_view.startTimeDigits();
    const QString end = m_view.endTimeDigits();
    if (start.isEmpty()) {
        refuseLoop(QStringLiteral("You must enter a \"Start Time\" first before playing a loop."));
        return;
    }
    // A partly filled box holds no time: it is refused, never guessed.
    if (!isDigitForm(start) || !(end.isEmpty() || isDigitForm(end))) {
        refuseLoop(QStringLiteral("A time box is only partly filled.\nPlease complete or clear it and try again."));
        return;
    }
    const int startSeconds = determineSecondsFromColonString(start);
    if (startSeconds >= m_player.Duration()) {
        refuseLoop(QStringLiteral("The start time is set past the end of the video.\nPlease fix and try again."));
        return;
    }
    if (!end.isEmpty() && !(end > start)) {
        refuseLoop(QStringLiteral("The \"End Time\" must be greater than the \"Start Time\""));
        return;
    }
    // The new loop starts now, not at the end of an old loop's wait.
    cancelRestart();
    m_player.setSelectionStart(-1);
    m_player.setSelectionEnd(-1);
    m_player.setSelectionStart(startSeconds);
    if (!end.isEmpty())
        m_player.setSelectionEnd(selectionEndForEndTime(determineSecondsFromColonString(end)));
    LoopPlayingIndicatorChange(QStringLiteral("loop"));
    // The first pass's rate is set while the player is paused.
    if (m_ladderMode && !playingAll())
        startLadder();
    else
        endLadder();
    m_player.setCurrentPosition(m_player.SelectionStart());
    m_player.Play();
    m_loopIsPlaying = true;
    if (sender && sender->objectName() == QLatin1String("playLoopButton"))
        m_view.giveFocusToSink();
}

void LoopControls::resetLoopState()
{
    m_loopIsPlaying = false;
    m_waitingForLoopRestart = false;
    m_playOnNextStateChange = false;
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
    playLoopButtonClick();
}

void LoopControls::playFullVideoButtonClick(QObject* sender)
{
    turnOffPlayAll();
    if (m_player.FileName().isEmpty()) {
        prompt().message(QStringLiteral("You must choose a clip first before attempting to play the full video."));
        focusIfSender(sender);
        return;
    }
    cancelRestart();
    endLadder();
    m_player.setSelectionStart(-1);
    m_player.setSelectionEnd(-1);
    m_player.Play();
    LoopPlayingIndicatorChange(QStringLiteral("full"));
    m_loopIsPlaying = false;
    if (sender && sender->objectName() == QLatin1String("playFullVideoButton"))
        m_view.giveFocusToSink();
}

void LoopControls::loopOnceClick(QObject* sender)
{
    setLoopMode(!m_ladderMode && !m_loopContinuously ? LoopMode::Continuously : LoopMode::Once);
    focusIfSender(sender);
}

void LoopControls::loopModeKeyPress(QObject* sender)
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
    focusIfSender(sender);
}

LoopControls::LoopMode LoopControls::loopMode() const
{
    if (m_ladderMode)
        return LoopMode::Ladder;
    return m_loopContinuously ? LoopMode::Continuously : LoopMode::Once;
}

void LoopControls::setLoopMode(LoopMode mode)
{
    endLadder();
    m_ladderMode = mode == LoopMode::Ladder;
    // The ladder repeats its loop as a continuous loop does.
    m_loopContinuously = mode != LoopMode::Once;
    showLoopMode();
}

void LoopControls::showLoopMode()
{
    if (!m_ladderMode)
        m_view.showLoopMode(m_loopContinuously);
    else
        m_view.showLadder(m_ladderRunning ? m_ladder.indicator() : QStringLiteral("speed ladder"));
}

void LoopControls::setSpeedLadder(const SpeedLadder& ladder)
{
    if (ladder == m_ladder)
        return;
    m_ladder = ladder;
    // A run under way keeps its rate and starts again with the next loop.
    if (m_ladderRunning)
        m_ladder.restart();
}

void LoopControls::setRestartPauseMs(int ms)
{
    m_restartPauseMs = std::clamp(ms, 0, MaxRestartPauseMs);
}

void LoopControls::startLadder()
{
    if (!m_ladderRunning)
        m_userRate = m_player.Rate();
    m_ladderRunning = true;
    m_ladder.restart();
    m_player.setRate(m_ladder.rate());
    showLoopMode();
}

void LoopControls::endLadder()
{
    if (!m_ladderRunning)
        return;
    m_ladderRunning = false;
    m_player.setRate(m_userRate);
    showLoopMode();
}

void LoopControls::LoopPlayingIndicatorChange(const QString& mode)
{
    m_indicator = mode == QLatin1String("loop") ? mode : QStringLiteral("full");
    m_view.showLoopIndicator(m_indicator == QLatin1String("loop"));
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
    LoopPlayingIndicatorChange(QStringLiteral("full"));
    m_loopIsPlaying = false;
    m_waitingForLoopRestart = false;
}

void LoopControls::cancelRestart()
{
    if (!m_restartPending)
        return;
    m_restartPending = false;
    ++m_restartNumber;
    // The loop rests at its end after all.
    m_player.dropCue();
    m_view.showPlaying(m_player.PlayState() == mpPlaying);
}

// The seek back to the loop's start is made while the loop waits, so that
// playing starts again on time when the wait is over; meanwhile the picture
// shows the loop's end, and the position reads as the end.
void LoopControls::restartAfterPause()
{
    m_restartPending = true;
    if (m_player.SelectionStart() != -1)
        m_player.cue(m_player.SelectionStart());
    const int number = ++m_restartNumber;
    m_timer(m_restartPauseMs, [this, number] {
        if (number != m_restartNumber || !m_restartPending)
            return;
        m_restartPending = false;
        m_player.Play();
    });
}

void LoopControls::ActiveMovie1PositionChange(double, double newPosition)
{
    if (m_waitingForLoopRestart || !m_loopIsPlaying)
        return;
    if (!loopEndReached(newPosition, m_player.SelectionEnd(), m_player.Duration()))
        return;
    m_player.Pause();
    m_waitingForLoopRestart = true;
    if (playingAll()) {
        m_waitingForLoopRestart = false;
        m_playOnNextStateChange = true;
        m_playAll->PlayNextLoop(2, false);
    } else if (m_loopContinuously) {
        // The next pass's rate is set while the loop rests at its end.
        if (m_ladderRunning && m_ladder.passFinished())
            m_player.setRate(m_ladder.rate());
        if (m_ladderRunning)
            showLoopMode();
        restartAfterPause();
    }
}

void LoopControls::ActiveMovie1PlayStateChange(int, int newState)
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
        if (m_player.SelectionStart() != -1)
            m_player.setCurrentPosition(m_player.SelectionStart());
        m_waitingForLoopRestart = false;
    }
    if (m_playOnNextStateChange) {
        m_playOnNextStateChange = false;
        m_player.Play();
    }
    // A continuous loop still plays while it waits to start again.
    m_view.showPlaying(m_player.PlayState() == mpPlaying || m_restartPending);
}
