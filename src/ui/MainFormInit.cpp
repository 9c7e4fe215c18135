// Start-up of the main window: FormInit puts every window into its first
// state and acts on the program's arguments.
#include "ui/TMainForm.h"

#include "app/Arguments.h"
#include "app/Prompt.h"
#include "catalog/TBookmarksForm.h"
#include "cmdline/TCommandLineEntryForm.h"
#include "input/FocusSink.h"
#include "input/KeyAssignments.h"
#include "input/Keyboard.h"
#include "input/TOptionsForm.h"
#include "playback/ClipLoader.h"
#include "playback/LoopControls.h"
#include "playback/MediaPlayerControl.h"
#include "playback/TransportControls.h"
#include "ui/AppWindows.h"
#include "ui/Colours.h"
#include "ui/SettingsBinder.h"
#include "ui/TQuickStartGuideForm.h"
#include "ui/widgets/TColourButton.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QTimer>

void TMainForm::FormInit(const QStringList& arguments)
{
    AppWindows& w = *m_windows;
    connectCatalogWindow();
    if (settings)
        settings->ReadConfigFile();
    if (keyboard)
        keyboard->assignments->DuplicateKeyCheck();
    w.BookmarksForm->ResetBookmarksGrid(settings ? settings->gridColumns() : BookmarksGridColumns{});
    if (keyboard)
        keyboard->assignments->rememberLastAcceptedKeys();

    regularspeedButton->setColor(Colours::fromStored(0x6CB304));
    slowmotionButton->setHotColor(Colours::buttonShadow());
    fastmotionButton->setHotColor(Colours::buttonShadow());
    ViewClipButton->setColor(Colours::fromStored(0x4DB5FB));
    nextClipButton->setColor(Colours::fromStored(0x83CBFC));
    previousClipButton->setColor(Colours::fromStored(0x83CBFC));
    exitButton->setColor(Colours::fromStored(0xFDB9DD));

    loops->LoopPlayingIndicatorChange(QStringLiteral("full"));
    loops->WaitingForLoopRestart = false;
    loops->PlayOnNextStateChange = false;
    w.OptionsForm->showGeneralPage();
    player()->setEnableContextMenu(false);
    loops->LoopIsPlaying = false;
    transport->setSpeedModeRegular();
    clips->ResetInitialVideoDirectory();
    ResetInitialCatalogDirectory();

    folderClips().clear();
    folderClips().LoadAllFileTypes(w.OptionsForm->defaultVideoDirectoryText() + '/');

    actOnArguments(arguments);

    if (settings && settings->quickStartGuideAtStart()) {
        w.QuickStartGuideForm->show();
        w.QuickStartGuideForm->raise();
    }
}

void TMainForm::actOnArguments(const QStringList& arguments)
{
    AppWindows& w = *m_windows;
    auto playerControlsActive = [&] {
        w.BookmarksForm->hide();
        giveFocusToSink();
    };
    switch (classifyArguments(arguments)) {
    case ArgumentKind::Catalog:
        w.BookmarksForm->openCatalogArgument(absoluteArgument(arguments.first(), QDir::currentPath()));
        return;
    case ArgumentKind::Clip:
        playerControlsActive();
        clips->StartVideoClip(this, absoluteArgument(arguments.first(), QDir::currentPath()));
        giveFocusToSink();
        return;
    case ArgumentKind::Unrecognized:
        prompt().message(QString::fromLatin1(kUnrecognizedFileTypeMessage));
        // Closing goes through the normal shut-down once the event loop runs.
        QTimer::singleShot(0, this, &QWidget::close);
        return;
    case ArgumentKind::BookmarkCommandLine:
        playerControlsActive();
        w.CommandLineEntryForm->setCommandLineText(composeCommandLineText(arguments));
        w.CommandLineEntryForm->playCommandLineButtonClick();
        return;
    case ArgumentKind::WrongCount:
        playerControlsActive();
        prompt().message(wrongArgumentCountMessage(arguments.size()));
        return;
    case ArgumentKind::None:
        playerControlsActive();
        return;
    }
}
