// The composition root's half of the focus: the focus models of the
// catalog, command line entry and video file information windows, which
// pass their keystrokes to the main window's key handlers, naming
// themselves as the sender.
#include "app/Startup.h"

#include "gui/catalog/TBookmarksForm.h"
#include "gui/cmdline/TCommandLineEntryForm.h"
#include "gui/info/TFilePlayingInfoForm.h"
#include "gui/input/FocusModel.h"
#include "gui/input/Keyboard.h"

void Startup::makeWindowFocus(Keyboard& keyboard)
{
    // The catalog, command line entry and information windows keep their own
    // focus models; their keys go to the main window's handlers.
    keyboard.catalogFocus = m_windows.BookmarksForm->focusModel();
    keyboard.catalogFocus->setKeyHandler(keyboard.keyHandler());
    keyboard.commandLineEntryFocus = m_windows.CommandLineEntryForm->focusModel();
    keyboard.commandLineEntryFocus->setKeyHandler(keyboard.keyHandler());
    keyboard.fileInfoFocus = m_windows.FilePlayingInfoForm->focusModel();
    keyboard.fileInfoFocus->setKeyHandler(keyboard.keyHandler());
}
