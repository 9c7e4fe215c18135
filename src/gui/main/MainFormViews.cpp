// What the controllers behind the main window see of it: the loop's boxes
// and marks, the transport's lists and marks, the clip's title and facts,
// and the bookmark controls the catalog fills.
#include "gui/main/TMainForm.h"

#include "core/catalog/CatalogDocument.h"
#include "core/input/KeyTexts.h"
#include "gui/catalog/TBookmarksForm.h"
#include "gui/info/TFilePlayingInfoForm.h"
#include "gui/input/FocusSink.h"
#include "gui/main/AppWindows.h"
#include "gui/options/TOptionsForm.h"
#include "gui/playback/TActiveMovie.h"
#include "gui/widgets/Colours.h"
#include "gui/widgets/TColourButton.h"
#include "gui/widgets/TimeBox.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace {

void mark(TColourButton* button, bool on)
{
    button->setColor(on ? Colours::marked() : Colours::buttonFace());
    button->setHotColor(on ? Colours::marked() : Colours::buttonShadow());
}

} // namespace

void TMainForm::giveFocusToSink()
{
    focusSink->takeFocus();
}

QString TMainForm::startTimeDigits() const
{
    return setStartTimeValue->digitText();
}

QString TMainForm::endTimeDigits() const
{
    return setEndTimeValue->digitText();
}

void TMainForm::setStartTimeDigits(const QString& digits)
{
    setStartTimeValue->setDigitText(digits);
}

void TMainForm::setEndTimeDigits(const QString& digits)
{
    setEndTimeValue->setDigitText(digits);
}

void TMainForm::showLoopIndicator(bool loop)
{
    mark(playLoopButton, loop);
    mark(playFullVideoButton, !loop);
}

void TMainForm::showLoopMode(bool continuously)
{
    if (continuously)
        paintLoopModeButton(QStringLiteral("loop continuously"), Colours::fromStored(9002225),
                            Colours::fromStored(6959853));
    else
        paintLoopModeButton(QStringLiteral("loop once"), Colours::fromStored(15255944), Colours::fromStored(14793320));
}

void TMainForm::showPlaying(bool playing)
{
    playButton->setText(playing ? QStringLiteral("pause (space)") : QStringLiteral("play (space)"));
    playButton->setHotColor(Colours::fromStored(playing ? 10790135 : 12318904));
}

void TMainForm::clearPlayingBookmark()
{
    LoopList->setCurrentIndex(-1);
    if (m_windows && m_windows->BookmarksForm)
        m_windows->BookmarksForm->document()->setPlayingBookmark(-1);
    RunningDescription->clear();
}

int TMainForm::jumpValue(JumpList jump) const
{
    const QComboBox* lists[] = {backSecondsValue,    forwardSecondsValue, backMinutesValue,
                                forwardMinutesValue, backframesValue,     forwardframesValue};
    return lists[static_cast<int>(jump)]->currentText().toInt();
}

int TMainForm::slowRateEntry() const
{
    return slowmotionRate->currentIndex();
}

int TMainForm::fastRateEntry() const
{
    return fastmotionRate->currentIndex();
}

void TMainForm::showMuted(bool muted)
{
    const QString key =
        m_windows && m_windows->OptionsForm ? m_windows->OptionsForm->muteKeyText() : QStringLiteral("m");
    muteButton->setText(keys::keyCaption(muted ? QStringLiteral("un-mute") : QStringLiteral("mute"), key));
    muteButton->setColor(muted ? Colours::fromStored(16776960) : Colours::buttonFace());
}

void TMainForm::showSpeedMode(SpeedMode mode)
{
    mark(slowmotionButton, mode == SpeedMode::Slow);
    mark(regularspeedButton, mode == SpeedMode::Regular);
    mark(fastmotionButton, mode == SpeedMode::Fast);
}

QString TMainForm::defaultVideoDirectory() const
{
    return m_windows && m_windows->OptionsForm ? m_windows->OptionsForm->defaultVideoDirectoryText() : QString();
}

QSize TMainForm::videoSize() const
{
    return {ActiveMovie1->width(), ActiveMovie1->height() - TActiveMovie::StripHeight};
}

void TMainForm::setTitle(const QString& title)
{
    setWindowTitle(title);
}

TFilePlayingInfoForm* TMainForm::infoWindow() const
{
    return m_windows ? m_windows->FilePlayingInfoForm : nullptr;
}

void TMainForm::showClipFacts(const QString& fileName, const QString& folder, const QString& videoSize,
                              const QString& totalTime)
{
    if (TFilePlayingInfoForm* info = infoWindow())
        info->showClipFacts(fileName, folder, videoSize, totalTime);
}

QString TMainForm::framesPerSecondText() const
{
    TFilePlayingInfoForm* info = infoWindow();
    return info ? info->framesPerSecondText() : QString();
}

void TMainForm::setFramesPerSecondText(const QString& text)
{
    if (TFilePlayingInfoForm* info = infoWindow())
        info->setFramesPerSecondText(text);
}

void TMainForm::setScreenSizeText(const QString& text)
{
    if (TFilePlayingInfoForm* info = infoWindow())
        info->setScreenSizeText(text);
}

QAbstractButton* TMainForm::updateBookmarkControl() const
{
    return updateBookmarkButton;
}
