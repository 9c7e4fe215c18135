// The main window's side of the window sizing: its F1 to F8 buttons and the
// lock's menu item, and what the sizing reads and sets of the window.
#include "gui/main/TMainForm.h"

#include "core/playback/ClipLoader.h"
#include "core/playback/LoopControls.h"
#include "core/playback/MediaPlayerControl.h"
#include "gui/input/Keyboard.h"
#include "gui/main/WindowSizing.h"
#include "gui/playback/TActiveMovie.h"
#include "gui/widgets/TColourButton.h"

#include <QAction>
#include <tuple>

void TMainForm::connectWindowSizing()
{
    WindowSizing* s = sizing;
    // Each button is its own sender: the window commands tell a click from
    // the function key by it.
    using windowsize::Sender;
    const std::tuple<TColourButton*, Sender, void (WindowSizing::*)(Sender)> buttons[] = {
        {F1_Button, Sender::F1_Button, &WindowSizing::MaximizeToggleButtonClick},
        {F2_Button, Sender::F2_Button, &WindowSizing::FullScreenModeClick},
        {F3_Button, Sender::F3_Button, &WindowSizing::VideoWindowToggleButtonClick},
        {F4_Button, Sender::F4_Button, &WindowSizing::BookmarksWindowToggleButtonClick},
        {F5_Button, Sender::F5_Button, &WindowSizing::SmallerScreenButtonClick},
        {F6_Button, Sender::F6_Button, &WindowSizing::LargerScreenButtonClick},
        {F7_Button, Sender::F7_Button, &WindowSizing::ShowSmallScreenSizeButtonClick},
        {F8_Button, Sender::F8_Button, &WindowSizing::ShowLargeScreenSizeButtonClick},
    };
    for (const auto& [button, sender, operation] : buttons)
        connect(button, &QAbstractButton::clicked, s, [s, from = sender, op = operation] { (s->*op)(from); });
    // The menu item has already flipped its check mark; the lock's toggle
    // reads the state before the click.
    connect(OriginalSize1, &QAction::triggered, s, [this, s](bool checked) {
        OriginalSize1->setChecked(!checked);
        s->OriginalSize1Click(windowsize::Sender::Other);
    });
    connect(clips, &ClipLoader::clipReady, s, &WindowSizing::clipOpened);
    if (keyboard)
        s->setKeyHandlers(keyboard->dispatcher, keyboard->commands);
}

QSize TMainForm::pictureChrome() const
{
    return size() - ActiveMovie1->pictureArea()->size();
}

bool TMainForm::userControlsShown() const
{
    // Full screen hides them for its time only.
    if (ActiveMovie1->isPictureFullScreen())
        return m_bottomWasVisible;
    return PlayerControlsPanel->isVisibleTo(m_central);
}

QSize TMainForm::playerSize() const
{
    return ActiveMovie1->size();
}

void TMainForm::setPlayerSize(QSize size)
{
    resize(this->size() + (size - ActiveMovie1->size()));
}

void TMainForm::showMaximizeButton(const QString& caption, const QString& hint)
{
    F1_Button->setText(caption);
    F1_Button->setToolTip(hint);
}

bool TMainForm::originalSizeLocked() const
{
    return OriginalSize1->isChecked();
}

void TMainForm::setOriginalSizeLocked(bool on)
{
    OriginalSize1->setChecked(on);
}

void TMainForm::refreshTitle()
{
    clips->UpdateMainFormTitleBar();
}

void TMainForm::askRePause()
{
    loops->askRePause();
}
