#include "playback/TransportControls.h"

#include "app/Prompt.h"
#include "app/TimeCode.h"
#include "input/TOptionsForm.h"
#include "playback/LoopControls.h"
#include "playback/LoopRules.h"
#include "playback/MediaPlayerControl.h"
#include "ui/AppWindows.h"
#include "ui/Colours.h"
#include "ui/TMainForm.h"
#include "ui/widgets/TColourButton.h"
#include "ui/widgets/TimeBox.h"

#include <QComboBox>
#include <QLineEdit>

namespace {
const double slowRates[] = {0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9};
const double fastRates[] = {1.2, 1.5, 1.7, 2.0};
} // namespace

TransportControls::TransportControls(TMainForm& form) : QObject(&form), m_form(form)
{
}

int TransportControls::chosenValue(const QComboBox* list)
{
    return list->currentText().toInt();
}

void TransportControls::playButtonClick(QObject* sender)
{
    MediaPlayerControl* player = m_form.player();
    if (player->FileName().isEmpty() && sender)
        prompt().message(
            QStringLiteral("In order to play video, you must first choose a clip using the \"view clip\" button."));
    if (player->PlayState() == mpPlaying) {
        player->Pause();
        m_form.focusIfSender(sender);
        return;
    }
    player->Play();
    m_form.focusIfSender(sender);
    if (m_form.loops->LoopIsPlaying) {
        // Resuming a loop takes the boxes as they are now; a partly filled
        // box holds no time, so the loop then keeps the times it had.
        const QString start = m_form.setStartTimeValue->digitText();
        const QString end = m_form.setEndTimeValue->digitText();
        if (!(start.isEmpty() || isDigitForm(start)) || !(end.isEmpty() || isDigitForm(end)))
            return;
        player->setSelectionStart(-1);
        player->setSelectionEnd(-1);
        if (!start.isEmpty()) {
            player->setSelectionStart(determineSecondsFromColonString(start));
            if (!end.isEmpty())
                player->setSelectionEnd(selectionEndForEndTime(determineSecondsFromColonString(end)));
        }
    }
}

void TransportControls::restartButtonClick(QObject* sender)
{
    MediaPlayerControl* player = m_form.player();
    player->Stop();
    player->Play();
    m_form.focusIfSender(sender);
}

void TransportControls::muteButtonClick(QObject* sender)
{
    MediaPlayerControl* player = m_form.player();
    const QString key = m_form.windows() && m_form.windows()->OptionsForm
                            ? m_form.windows()->OptionsForm->muteKey->text()
                            : QStringLiteral("m");
    if (player->Mute()) {
        player->setMute(false);
        m_form.muteButton->setText("mute (" + key + ")");
        m_form.muteButton->setColor(Colours::buttonFace());
    } else {
        player->setMute(true);
        m_form.muteButton->setText("un-mute (" + key + ")");
        m_form.muteButton->setColor(Colours::fromStored(16776960));
    }
    m_form.focusIfSender(sender);
}

void TransportControls::jumpBack(double step, QObject* sender)
{
    MediaPlayerControl* player = m_form.player();
    const double position = player->CurrentPosition();
    if (position - step >= 0) {
        player->setCurrentPosition(position - step);
    } else if (player->PlayState() == mpPlaying) {
        player->Stop();
        player->Play();
    } else {
        // The play-state handler plays and pauses again, at 0 or the loop's start.
        player->Stop();
    }
    m_form.focusIfSender(sender);
}

void TransportControls::jumpForward(double step, QObject* sender)
{
    MediaPlayerControl* player = m_form.player();
    player->setCurrentPosition(player->CurrentPosition() + step);
    m_form.focusIfSender(sender);
}

void TransportControls::backsecondsButtonClick(QObject* sender)
{
    jumpBack(std::max(chosenValue(m_form.backSecondsValue), 1), sender);
}

void TransportControls::forwardsecondsButtonClick(QObject* sender)
{
    jumpForward(std::max(chosenValue(m_form.forwardSecondsValue), 1), sender);
}

void TransportControls::backminutesButtonClick(QObject* sender)
{
    jumpBack(std::max(chosenValue(m_form.backMinutesValue) * 60, 60), sender);
}

void TransportControls::forwardminutesButtonClick(QObject* sender)
{
    jumpForward(std::max(chosenValue(m_form.forwardMinutesValue) * 60, 60), sender);
}

void TransportControls::stepBack(double step, QObject* sender)
{
    MediaPlayerControl* player = m_form.player();
    const double position = player->CurrentPosition();
    if (position - step >= 0) {
        player->setCurrentPosition(position - step);
        player->Pause();
    } else {
        player->Stop();
    }
    m_form.focusIfSender(sender);
}

void TransportControls::stepForward(double step, QObject* sender)
{
    MediaPlayerControl* player = m_form.player();
    player->setCurrentPosition(player->CurrentPosition() + step);
    player->Pause();
    m_form.focusIfSender(sender);
}

void TransportControls::back1frameButtonClick(QObject* sender)
{
    stepBack(FrameSeconds, sender);
}
void TransportControls::forward1frameButtonClick(QObject* sender)
{
    stepForward(FrameSeconds, sender);
}

void TransportControls::backframesButtonClick(QObject* sender)
{
    stepBack(chosenValue(m_form.backframesValue) * FrameSeconds, sender);
}

void TransportControls::forwardframesButtonClick(QObject* sender)
{
    stepForward(chosenValue(m_form.forwardframesValue) * FrameSeconds, sender);
}

void TransportControls::markSpeed(SpeedMode mode)
{
    const struct {
        SpeedMode mode;
        TColourButton* button;
    } buttons[] = {{SpeedMode::Slow, m_form.slowmotionButton},
                   {SpeedMode::Regular, m_form.regularspeedButton},
                   {SpeedMode::Fast, m_form.fastmotionButton}};
    for (const auto& b : buttons) {
        b.button->setColor(b.mode == mode ? Colours::marked() : Colours::buttonFace());
        b.button->setHotColor(b.mode == mode ? Colours::marked() : Colours::buttonShadow());
    }
}

void TransportControls::slowmotionButtonClick(QObject* sender)
{
    markSpeed(SpeedMode::Slow);
    const int entry = m_form.slowmotionRate->currentIndex();
    if (entry >= 0 && entry < int(std::size(slowRates)))
        m_form.player()->setRate(slowRates[entry]);
    m_form.player()->Play();
    m_speedMode = SpeedMode::Slow;
    m_form.focusIfSender(sender);
}

void TransportControls::regularspeedButtonClick(QObject* sender)
{
    markSpeed(SpeedMode::Regular);
    m_form.player()->setRate(1.0);
    m_form.player()->Play();
    m_speedMode = SpeedMode::Regular;
    m_form.focusIfSender(sender);
}

void TransportControls::fastmotionButtonClick(QObject* sender)
{
    markSpeed(SpeedMode::Fast);
    const int entry = m_form.fastmotionRate->currentIndex();
    if (entry >= 0 && entry < int(std::size(fastRates)))
        m_form.player()->setRate(fastRates[entry]);
    m_form.player()->Play();
    m_speedMode = SpeedMode::Fast;
    m_form.focusIfSender(sender);
}

void TransportControls::slowmotionRateChange()
{
    if (m_speedMode == SpeedMode::Slow)
        slowmotionButtonClick();
    m_form.giveFocusToSink();
}

void TransportControls::fastmotionRateChange()
{
    if (m_speedMode == SpeedMode::Fast)
        fastmotionButtonClick();
    m_form.giveFocusToSink();
}
