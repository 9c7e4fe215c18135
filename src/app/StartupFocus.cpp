// The composition root's half of the focus: the focus models of the
// catalog, command line entry and video file information windows, which
// pass their keystrokes to the main window's key handlers, naming
// themselves as the sender.
#include "app/Startup.h"

#include "core/catalog/CatalogDocument.h"
#include "gui/catalog/TBookmarksForm.h"
#include "gui/catalog/TBookmarksGrid.h"
#include "gui/cmdline/TCommandLineEntryForm.h"
#include "gui/info/TFilePlayingInfoForm.h"
#include "gui/input/FocusModel.h"
#include "gui/input/Keyboard.h"

#include <QPlainTextEdit>

namespace {

// Passes nothing while cell editing of the grid is switched on.
FocusModel* catalogWindowFocus(const AppWindows& windows, FocusModel::KeyHandler handler, QObject* parent)
{
    TBookmarksForm* catalog = windows.BookmarksForm;
    auto* focus = new FocusModel(catalog, catalog->focusSink, parent);
    focus->setKeyHandler(std::move(handler));
    TBookmarksGrid* grid = catalog->BookmarksGrid;
    // Typed letters stay in a cell while the grid may be edited (and while
    // a cell editor is open).
    focus->setPassKeys([catalog, grid] {
        const QWidget* focused = catalog->focusWidget();
        const bool cellEditorOpen = focused && focused != grid && grid->isAncestorOf(focused);
        return !grid->editingOn() && !cellEditorOpen;
    });
    focus->setActivationFocusesSink(false);
    const CatalogDocument* document = catalog->document();
    focus->setClickFocus([catalog, document] {
        if (!document->PlayingAll())
            catalog->BookmarksGrid->setFocus(Qt::OtherFocusReason);
    });
    focus->watchTextBox(catalog->DescriptionMemo, FocusModel::EndKeys::EscapeOnly);
    focus->watchList(grid, FocusModel::EndKeys::EscapeOnly);
    focus->watchBackground(catalog);
    if (QWidget* buttons = catalog->findChild<QWidget*>(QStringLiteral("ButtonPanel")))
        focus->watchBackground(buttons);
    return focus;
}

} // namespace

void Startup::makeWindowFocus(Keyboard& keyboard)
{
    keyboard.catalogFocus = catalogWindowFocus(m_windows, keyboard.keyHandler(), &keyboard);
    // The command line entry and information windows keep their own focus
    // models; their keys go to the main window's handlers.
    keyboard.commandLineEntryFocus = m_windows.CommandLineEntryForm->focusModel();
    keyboard.commandLineEntryFocus->setKeyHandler(keyboard.keyHandler());
    keyboard.fileInfoFocus = m_windows.FilePlayingInfoForm->focusModel();
    keyboard.fileInfoFocus->setKeyHandler(keyboard.keyHandler());
}
