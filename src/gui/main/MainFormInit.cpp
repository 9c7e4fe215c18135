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

    c.loops->LoopPlayingIndicatorChange(QStringLiteral("full"));
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
    auto playerControlsActive = [&] {
        w.BookmarksForm->hide();
        giveFocusToSink();
    };
    switch (classifyArguments(arguments)) {
    case ArgumentKind::Catalog:
        w.catalog->lifecycle.openCatalogArgument(absoluteArgument(arguments.first(), QDir::currentPath()));
        return;
    case ArgumentKind::Clip:
        playerControlsActive();
        m_controllers->clips->StartVideoClip(this, absoluteArgument(arguments.first(), QDir::currentPath()));
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
