// The main window's menu items that bring up the program's other windows.
#include "gui/main/TMainForm.h"

#include "gui/cmdline/TCommandLineEntryForm.h"
#include "gui/help/HelpMenu.h"
#include "gui/help/TAboutForm.h"
#include "gui/help/TQuickStartGuideForm.h"
#include "gui/info/TFilePlayingInfoForm.h"
#include "gui/main/AppWindows.h"
#include "gui/options/TOptionsForm.h"

#include <QAction>

namespace {

void bringForward(QWidget* window)
{
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace

void TMainForm::connectWindowMenus()
{
    AppWindows& w = *m_windows;
    connect(Options1, &QAction::triggered, this, [this, &w] {
        w.OptionsForm->exec();
        giveFocusToSink();
    });
    connect(About1, &QAction::triggered, this, [this, &w] {
        w.AboutForm->exec();
        giveFocusToSink();
    });
    connect(VideoFileInfo1, &QAction::triggered, this, [&w] { bringForward(w.FilePlayingInfoForm); });
    connect(CommandLineEntry1, &QAction::triggered, this, [&w] { bringForward(w.CommandLineEntryForm); });
    connect(QuickStartGuide1, &QAction::triggered, this, [&w] { w.QuickStartGuideForm->GettingStartedGuide1Click(); });
    connect(UserManual1, &QAction::triggered, this, [this] { HelpMenu::UserManual1Click(programFolder()); });
    connectPopUpHints();
}
