#include "input/KeyForwarding.h"

#include "catalog/TBookmarksForm.h"
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
#include <QTableWidget>

namespace KeyForwarding {

FocusModel* mainWindowFocus(AppWindows& windows, FocusModel::KeyHandler handler,
                            std::function<void(QLineEdit*)> keyExitCheck, QObject* parent)
{
    TMainForm* m = windows.MainForm;
    const TMainForm::FocusParts parts = m->focusParts();
    auto* focus = new FocusModel(m, parts.sink, parent);
    focus->setKeyHandler(std::move(handler));
    for (QWidget* box : parts.textBoxes.mid(0, 2))
        focus->watchTextBox(box);
    for (QLineEdit* box : parts.keyBoxes)
        focus->watchTextBox(box, FocusModel::EndKeys::EnterAndEscape, [box, keyExitCheck] { keyExitCheck(box); });
    for (QWidget* box : parts.textBoxes.mid(2))
        focus->watchTextBox(box);
    for (QComboBox* list : parts.lists)
        focus->watchList(list);
    for (QWidget* area : parts.backgrounds)
        focus->watchBackground(area);
    return focus;
}

FocusModel* catalogWindowFocus(AppWindows& windows, FocusModel::KeyHandler handler, QObject* parent)
{
    TBookmarksForm* catalog = windows.BookmarksForm;
    auto* focus = new FocusModel(catalog, catalog->focusSink, parent);
    focus->setKeyHandler(std::move(handler));
    QTableWidget* grid = catalog->BookmarksGrid;
    // Typed letters stay in a cell while the grid may be edited (and while
    // a cell editor is open).
    focus->setPassKeys([catalog, grid] {
        const QWidget* focused = catalog->focusWidget();
        const bool cellEditorOpen = focused && focused != grid && grid->isAncestorOf(focused);
        return grid->editTriggers() == QAbstractItemView::NoEditTriggers && !cellEditorOpen;
    });
    focus->setActivationFocusesSink(false);
    focus->setClickFocus([catalog] {
        if (!catalog->PlayingAll())
            catalog->BookmarksGrid->setFocus(Qt::OtherFocusReason);
    });
    focus->watchTextBox(catalog->DescriptionMemo, FocusModel::EndKeys::EscapeOnly);
    focus->watchList(grid, FocusModel::EndKeys::EscapeOnly);
    focus->watchBackground(catalog);
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
