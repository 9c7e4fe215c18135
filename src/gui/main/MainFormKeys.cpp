// The main window's part in the keyboard: what its focus model watches, and
// the captions and hints that follow the keys and the jump values.
#include "gui/main/TMainForm.h"

#include "core/input/KeyTexts.h"
#include "gui/input/FocusSink.h"
#include "gui/main/ControlsArrangement.h"
#include "gui/widgets/TColourButton.h"
#include "gui/widgets/TimeBox.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

using keys::Jump;

TMainForm::FocusParts TMainForm::focusParts() const
{
    FocusParts parts;
    parts.sink = focusSink;
    parts.textBoxes = {setStartTimeValue, setEndTimeValue, LoopList};
    parts.keyBoxes = {backsecondsKey, back1frameKey,   forward1frameKey, forwardsecondsKey,
                      slowmotionKey,  regularspeedKey, fastmotionKey,    setStartTimeKey,
                      setEndTimeKey,  playLoopKey,     playFullVideoKey};
    parts.lists = {backframesValue,  forwardframesValue,  backSecondsValue, forwardSecondsValue,
                   backMinutesValue, forwardMinutesValue, slowmotionRate,   fastmotionRate};
    parts.backgrounds = {const_cast<TMainForm*>(this), centralWidget(), RHS_Panel, PlayerControlsPanel};
    for (QGroupBox* box : findChildren<QGroupBox*>())
        parts.backgrounds.append(box);
    return parts;
}

QAbstractButton* TMainForm::addBookmarkButton() const
{
    return makeBookmarkButton;
}

bool TMainForm::isBeginnerMode() const
{
    return m_arrangement && m_arrangement->isBeginnerMode();
}

bool TMainForm::isAdvancedMode() const
{
    return !isBeginnerMode();
}

void TMainForm::setViewClipMenuCaption(const QString& caption)
{
    choosevideoclip1->setText(caption);
}

void TMainForm::setExitCaption(const QString& caption)
{
    exitButton->setText(caption);
}

void TMainForm::showMaximizeCaption()
{
    F1_Button->setText(isMaximized() ? QStringLiteral("restore window (F1)") : QStringLiteral("maximize window (F1)"));
}

void TMainForm::connectKeyCaptions()
{
    for (QLineEdit* box : {backsecondsKey, forwardsecondsKey, back1frameKey, forward1frameKey})
        connect(box, &QLineEdit::textChanged, this, &TMainForm::shiftKeyChange);
    for (QComboBox* list : {backSecondsValue, forwardSecondsValue, backMinutesValue, forwardMinutesValue,
                            backframesValue, forwardframesValue}) {
        connect(list, &QComboBox::activated, this, &TMainForm::nonshiftKeyChange);
        // After a jump value is chosen, keystrokes are commands again.
        connect(list, &QComboBox::activated, this, &TMainForm::giveFocusToSink);
    }
    for (QComboBox* list : {slowmotionRate, fastmotionRate})
        connect(list, &QComboBox::activated, this, &TMainForm::nonshiftKeyChange);
}

void TMainForm::shiftKeyChange()
{
    backminutesKey->setText(keys::shiftLabel(backsecondsKey->text()));
    forwardminutesKey->setText(keys::shiftLabel(forwardsecondsKey->text()));
    backframesKey->setText(keys::shiftLabel(back1frameKey->text()));
    forwardframesKey->setText(keys::shiftLabel(forward1frameKey->text()));
}

void TMainForm::nonshiftKeyChange()
{
    struct JumpControls {
        Jump jump;
        TColourButton* button;
        QComboBox* value;
        QWidget* key; // key box, or the Shift label of a Shift jump
    };
    const JumpControls jumps[] = {
        {Jump::backSeconds, backsecondsButton, backSecondsValue, backsecondsKey},
        {Jump::forwardSeconds, forwardsecondsButton, forwardSecondsValue, forwardsecondsKey},
        {Jump::backMinutes, backminutesButton, backMinutesValue, backminutesKey},
        {Jump::forwardMinutes, forwardminutesButton, forwardMinutesValue, forwardminutesKey},
        {Jump::backFrames, backframesButton, backframesValue, backframesKey},
        {Jump::forwardFrames, forwardframesButton, forwardframesValue, forwardframesKey},
    };
    for (const JumpControls& j : jumps) {
        const QString value = j.value->currentText();
        j.button->setText(keys::jumpCaption(j.jump, value));
        j.button->setToolTip(keys::jumpHint(j.jump, value));
        j.key->setToolTip(keys::keyHint(j.button->toolTip()));
    }
    back1frameButton->setToolTip(QStringLiteral("Go back 1 frame"));
    forward1frameButton->setToolTip(QStringLiteral("Go forward 1 frame"));
    back1frameKey->setToolTip(keys::keyHint(back1frameButton->toolTip()));
    forward1frameKey->setToolTip(keys::keyHint(forward1frameButton->toolTip()));

    const QString slow = slowmotionRate->currentText();
    const QString fast = fastmotionRate->currentText();
    if (isAdvancedMode()) {
        slowmotionButton->setText(keys::slowMotionCaption(slow));
        fastmotionButton->setText(keys::fastMotionCaption(fast));
    }
    slowmotionButton->setToolTip(keys::slowMotionHint(slow));
    fastmotionButton->setToolTip(keys::fastMotionHint(fast));
}

// Menu items are found by these names (tests, assistive tools).
void TMainForm::nameMenuItems()
{
    const std::pair<QAction*, const char*> items[] = {
        {choosevideoclip1, "choosevideoclip1"},
        {PlayPreviousClip1, "PlayPreviousClip1"},
        {PlayNextClip1, "PlayNextClip1"},
        {ImportMultipleClips1, "ImportMultipleClips1"},
        {ShowBookmarks1, "ShowBookmarks1"},
        {Exit1, "Exit1"},
        {BeginnerMode1, "BeginnerMode1"},
        {AdvancedMode1, "AdvancedMode1"},
        {Hidden1, "Hidden1"},
        {PlayerControls1, "PlayerControls1"},
        {WindowControls1, "WindowControls1"},
        {All_Player_First, "All_Player_First"},
        {All_Window_First, "All_Window_First"},
        {OriginalSize1, "OriginalSize1"},
        {VideoFileInfo1, "VideoFileInfo1"},
        {Options1, "Options1"},
        {CommandLineEntry1, "CommandLineEntry1"},
        {QuickStartGuide1, "QuickStartGuide1"},
        {UserManual1, "UserManual1"},
        {About1, "About1"},
    };
    for (const auto& [action, name] : items)
        action->setObjectName(QString::fromLatin1(name));
}
