#include "input/KeyForwarding.h"

#include "catalog/CatalogDocument.h"
#include "catalog/TBookmarksForm.h"
#include "catalog/TBookmarksGrid.h"
#include "cmdline/TCommandLineEntryForm.h"
#include "input/FocusSink.h"
#include "ui/AppWindows.h"
#include "ui/TFilePlayingInfoForm.h"
#include "ui/TMainForm.h"
#include "ui/widgets/TimeBox.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace KeyForwarding {

FocusModel* mainWindowFocus(AppWindows& windows, FocusModel::KeyHandler handler,
                            std::function<void(QLineEdit*)> keyExitCheck, QObject* parent)
{
    TMainForm* m = windows.MainForm;
    auto* focus = new FocusModel(m, m->focusSink, parent);
    focus->setKeyHandler(std::move(handler));
    focus->watchTextBox(m->setStartTimeValue);
    focus->watchTextBox(m->setEndTimeValue);
    for (QLineEdit* box : m->keyBoxes())
        focus->watchTextBox(box, FocusModel::EndKeys::EnterAndEscape, [box, keyExitCheck] { keyExitCheck(box); });
    focus->watchTextBox(m->LoopList);
    for (QComboBox* list : m->valueLists())
        focus->watchList(list);
    for (QWidget* area : {static_cast<QWidget*>(m), m->centralWidget(), m->RHS_Panel, m->PlayerControlsPanel})
        focus->watchBackground(area);
    for (QGroupBox* box : m->findChildren<QGroupBox*>())
        focus->watchBackground(box);
    return focus;
}

FocusModel* catalogWindowFocus(AppWindows& windows, FocusModel::KeyHandler handler, QObject* parent)
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

FocusModel* commandLineEntryFocus(AppWindows& windows, FocusModel::KeyHandler handler, QObject* parent)
{
    TCommandLineEntryForm* entry = windows.CommandLineEntryForm;
    auto* focus = new FocusModel(entry, entry->focusSink, parent);
    focus->setKeyHandler(std::move(handler));
    focus->watchTextBox(entry->CommandLineText);
    focus->watchBackground(entry);
    return focus;
}

FocusModel* fileInfoFocus(AppWindows& windows, FocusModel::KeyHandler handler, QObject* parent)
{
    TFilePlayingInfoForm* info = windows.FilePlayingInfoForm;
    auto* focus = new FocusModel(info, info->focusSink, parent);
    focus->setKeyHandler(std::move(handler));
    for (QLineEdit* field : info->findChildren<QLineEdit*>())
        focus->watchTextBox(field);
    focus->watchBackground(info);
    return focus;
}

} // namespace KeyForwarding
