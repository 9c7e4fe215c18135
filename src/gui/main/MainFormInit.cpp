// Start-up of the main window: FormInit puts every window into its first
// state and acts on the program's arguments.
#include "gui/main/TMainForm.h"

#include "core/base/Arguments.h"
#include "core/base/Prompt.h"
#include "core/catalog/CatalogControllers.h"
#include "core/playback/ClipLoader.h"
#include "core/playback/LoopControls.h"
#include "core/playback/TransportControls.h"
#include "gui/catalog/TBookmarksForm.h"
#include "gui/cmdline/TCommandLineEntryForm.h"
#include "gui/help/TQuickStartGuideForm.h"
#include "gui/input/KeyAssignments.h"
#include "gui/input/Keyboard.h"
#include "gui/main/AppWindows.h"
#include "gui/main/SettingsFiles.h"
#include "gui/options/TOptionsForm.h"

#include <QDir>
#include <QTimer>

void TMainForm::FormInit(const QStringList& arguments)
{
    AppWindows& w = *m_windows;
    const Controllers& c = *m_controllers;
    c.settings->ReadConfigFile();
    c.keyboard->assignments->DuplicateKeyCheck();
    w.catalog->lifecycle.ResetBookmarksGrid(c.settings->gridColumns());
    c.keyboard->assignments->rememberLastAcceptedKeys();

    c.loops->showIndicator(LoopControls::Indicator::FullVideo);
    c.loops->resetLoopState();
    w.OptionsForm->showGeneralPage();
    c.transport->setSpeedModeRegular();
    c.clips->ResetInitialVideoDirectory();
    w.catalog->lifecycle.ResetInitialCatalogDirectory(w.OptionsForm->defaultCatalogDirectoryText());

    c.clips->listFolderClips(w.OptionsForm->defaultVideoDirectoryText() + '/');

    actOnArguments(arguments);

    if (c.settings->quickStartGuideAtStart()) {
        w.QuickStartGuideForm->show();
        w.QuickStartGuideForm->raise();
    }
}

void TMainForm::actOnArguments(const QStringList& arguments)
{
    AppWindows& w = *m_windows;
    const StartupAction action = startupAction(arguments, QDir::currentPath());
    if (action.playerControlsActive) {
        w.BookmarksForm->hide();
        giveFocusToSink();
    }
    if (!action.message.isEmpty())
        prompt().message(action.message);
    switch (action.open) {
    case StartupAction::Open::Nothing:
        break;
    case StartupAction::Open::Catalog:
        w.catalog->lifecycle.openCatalogArgument(action.text);
        break;
    case StartupAction::Open::Clip:
        m_controllers->clips->StartVideoClip(action.text);
        giveFocusToSink();
        break;
    case StartupAction::Open::CommandLine:
        w.CommandLineEntryForm->setCommandLineText(action.text);
        w.CommandLineEntryForm->playCommandLineButtonClick();
        break;
    }
    // Closing goes through the normal shut-down once the event loop runs.
    if (action.then == StartupAction::Then::Exit)
        QTimer::singleShot(0, this, &QWidget::close);
}
