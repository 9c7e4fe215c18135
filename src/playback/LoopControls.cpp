#include "playback/LoopControls.h"

#include "app/Prompt.h"
#include "app/TimeCode.h"
#include "catalog/TBookmarksForm.h"
#include "playback/LoopRules.h"
#include "playback/MediaPlayerControl.h"
#include "playback/PlayAllSequence.h"
#include "ui/AppWindows.h"
#include "ui/Colours.h"
#include "ui/TMainForm.h"
#include "ui/widgets/TColourButton.h"
#include "ui/widgets/TimeBox.h"

#include <QComboBox>
#include <QLabel>
#include <QThread>
#include <cmath>

LoopControls::LoopControls(TMainForm& form) : QObject(&form), m_form(form), m_wait([](int ms) { QThread::msleep(ms); })
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

void LoopControls::setStartTimeButtonClick(QObject* sender)
{
    MediaPlayerControl* player = m_form.player();
    if (player->FileName().isEmpty())
        prompt().message(QStringLiteral("You must choose a clip first before defining a start time."));
    else
        m_form.setStartTimeValue->setDigitText(
            determineColonStringFromSeconds(roundPositionToSeconds(player->CurrentPosition())));
    m_form.focusIfSender(sender);
}

void LoopControls::setEndTimeButtonClick(QObject* sender)
{
    MediaPlayerControl* player = m_form.player();
    if (player->FileName().isEmpty())
        prompt().message(QStringLiteral("You must choose a clip first before defining an end time."));
    else
        m_form.setEndTimeValue->setDigitText(
            determineColonStringFromSeconds(roundPositionToSeconds(player->CurrentPosition())));
    m_form.focusIfSender(sender);
}

// Removes the marking of the bookmark that plays: the list selection, the
// running description, and the catalog's playing row.
void LoopControls::clearPlayingBookmarkMarks()
{
    m_form.LoopList->setCurrentIndex(-1);
    if (AppWindows* w = m_form.windows(); w && w->BookmarksForm)
        w->BookmarksForm->setPlayingBookmark(-1);
    m_form.RunningDescription->clear();
}

void LoopControls::resetEndTimeButtonClick(QObject* sender)
{
    clearPlayingBookmarkMarks();
    m_form.setEndTimeValue->setDigitText(QString());
    m_form.player()->setSelectionEnd(-1);
    LoopIsPlaying = false;
    m_form.focusIfSender(sender);
}

void LoopControls::resetLoopButtonClick(QObject* sender)
{
    clearPlayingBookmarkMarks();
    m_form.setStartTimeValue->setDigitText(QString());
    m_form.setEndTimeValue->setDigitText(QString());
    m_form.player()->setSelectionStart(-1);
    m_form.player()->setSelectionEnd(-1);
    LoopIsPlaying = false;
    LoopPlayingIndicatorChange(QStringLiteral("full"));
    m_form.focusIfSender(sender);
}

void LoopControls::refuseLoop(const QString& message)
{
    prompt().message(message);
    if (playingAll())
        turnOffPlayAll();
    LoopPlayingIndicatorChange(QStringLiteral("full"));
}

void LoopControls::playLoopButtonClick(QObject* sender)
{
    MediaPlayerControl* player = m_form.player();
    player->Pause();
    if (player->FileName().isEmpty()) {
        prompt().message(QStringLiteral("You must choose a clip first before attempting to play a loop."));
        return;
    }
    const QString start = m_form.setStartTimeValue->digitText();
    const QString end = m_form.setEndTimeValue->digitText();
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
    if (startSeconds >= player->Duration()) {
        refuseLoop(QStringLiteral("The start time is set past the end of the video.\nPlease fix and try again."));
        return;
    }
    if (!end.isEmpty() && !(end > start)) {
        refuseLoop(QStringLiteral("The \"End Time\" must be greater than the \"Start Time\""));
        return;
    }
    player->setSelectionStart(-1);
    player->setSelectionEnd(-1);
    player->setSelectionStart(startSeconds);
    if (!end.isEmpty())
        player->setSelectionEnd(selectionEndForEndTime(determineSecondsFromColonString(end)));
    LoopPlayingIndicatorChange(QStringLiteral("loop"));
    player->setCurrentPosition(player->SelectionStart());
    player->Play();
    LoopIsPlaying = true;
    if (sender == m_form.playLoopButton)
        m_form.giveFocusToSink();
}

void LoopControls::playStoredLoop(const QString& startDigits, const QString& endDigits)
{
    m_form.setStartTimeValue->setDigitText(startDigits);
    m_form.setEndTimeValue->setDigitText(endDigits);
    playLoopButtonClick();
}

void LoopControls::playFullVideoButtonClick(QObject* sender)
{
    turnOffPlayAll();
    MediaPlayerControl* player = m_form.player();
    if (player->FileName().isEmpty()) {
        prompt().message(QStringLiteral("You must choose a clip first before attempting to play the full video."));
        m_form.focusIfSender(sender);
        return;
    }
    player->setSelectionStart(-1);
    player->setSelectionEnd(-1);
    player->Play();
    LoopPlayingIndicatorChange(QStringLiteral("full"));
    LoopIsPlaying = false;
    if (sender == m_form.playFullVideoButton)
        m_form.giveFocusToSink();
}

void LoopControls::loopOnceClick(QObject* sender)
{
    LoopContinuously = !LoopContinuously;
    TColourButton* b = m_form.loopOnce;
    if (LoopContinuously) {
        b->setText(QStringLiteral("loop continuously"));
        b->setColor(Colours::fromStored(9002225));
        b->setHotColor(Colours::fromStored(6959853));
    } else {
        b->setText(QStringLiteral("loop once"));
        b->setColor(Colours::fromStored(15255944));
        b->setHotColor(Colours::fromStored(14793320));
    }
    m_form.focusIfSender(sender);
}

void LoopControls::LoopPlayingIndicatorChange(const QString& mode)
{
    m_indicator = mode == QLatin1String("loop") ? mode : QStringLiteral("full");
    TColourButton* on = m_indicator == QLatin1String("loop") ? m_form.playLoopButton : m_form.playFullVideoButton;
    TColourButton* off = on == m_form.playLoopButton ? m_form.playFullVideoButton : m_form.playLoopButton;
    on->setColor(Colours::marked());
    on->setHotColor(Colours::marked());
    off->setColor(Colours::buttonFace());
    off->setHotColor(Colours::buttonShadow());
}

void LoopControls::ActiveMovie1PositionChange(double, double newPosition)
{
    if (WaitingForLoopRestart || !LoopIsPlaying)
        return;
    MediaPlayerControl* player = m_form.player();
    if (!loopEndReached(newPosition, player->SelectionEnd(), player->Duration()))
        return;
    player->Pause();
    WaitingForLoopRestart = true;
    if (playingAll()) {
        WaitingForLoopRestart = false;
        PlayOnNextStateChange = true;
        m_playAll->PlayNextLoop(2, false);
    } else if (LoopContinuously) {
        m_wait(RestartPauseMs);
        player->Play();
    }
}

void LoopControls::ActiveMovie1PlayStateChange(int, int newState)
{
    MediaPlayerControl* player = m_form.player();
    if (newState == mpStopped) {
        player->Play();
        player->Pause();
    }
    if (RePause) {
        player->Pause();
        RePause = false;
        return;
    }
    if (WaitingForLoopRestart && newState == mpPlaying) {
        if (player->SelectionStart() != -1)
            player->setCurrentPosition(player->SelectionStart());
        WaitingForLoopRestart = false;
    }
    if (PlayOnNextStateChange) {
        PlayOnNextStateChange = false;
        player->Play();
    }
    TColourButton* play = m_form.playButton;
    if (player->PlayState() == mpPlaying) {
        play->setText(QStringLiteral("pause (space)"));
        play->setHotColor(Colours::fromStored(10790135));
    } else {
        play->setText(QStringLiteral("play (space)"));
        play->setHotColor(Colours::fromStored(12318904));
    }
}
