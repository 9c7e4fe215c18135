// The pop-up hints of the main window, the catalog window and the video file
// information window, set by each control's object name. The catalog's
// header titles and the keys decide some of them, so they are set again
// whenever either may have changed.
#include "gui/main/TMainForm.h"

#include "core/catalog/BookmarksGridColumns.h"
#include "core/catalog/CatalogDocument.h"
#include "core/catalog/CatalogModel.h"
#include "core/input/PopUpHints.h"
#include "gui/catalog/TBookmarksForm.h"
#include "gui/info/TFilePlayingInfoForm.h"
#include "gui/input/KeyCommands.h"
#include "gui/input/Keyboard.h"
#include "gui/main/AppWindows.h"
#include "gui/options/TOptionsForm.h"
#include "gui/widgets/PopUpHintSwitch.h"

#include <QCheckBox>

namespace {

void setHints(QWidget* window, const hints::HintTable& table)
{
    if (!window)
        return;
    for (const auto& [name, hint] : table) {
        for (QWidget* control : window->findChildren<QWidget*>(name)) {
            // Only the window's own controls, not those of a window it holds.
            if (control->window() == window)
                control->setToolTip(hint);
        }
    }
}

} // namespace

void TMainForm::SetPopUpHints()
{
    // Until the keyboard exists there are no keys to name; start-up sets the
    // hints once it has read the keys.
    if (!keyboard || !keyboard->commands)
        return;
    const keys::KeyTexts keys = keyboard->commands->texts();
    setHints(this, hints::mainWindowHints(keys, windowState().testFlag(Qt::WindowMaximized)));
    if (!m_windows)
        return;
    if (TBookmarksForm* catalog = m_windows->BookmarksForm) {
        const QString categoryTitle = catalog->document()->Cells(BookmarkColumn::Category, 0);
        hints::HintTable table = hints::catalogWindowHints(keys, categoryTitle);
        // While all bookmarks play, the play-all button has no hint.
        if (catalog->document()->PlayingAll())
            table.removeIf([](const auto& row) { return row.first == QLatin1String("PlayAll"); });
        setHints(catalog, table);
    }
    setHints(m_windows->FilePlayingInfoForm, hints::fileInfoWindowHints());
}

void TMainForm::connectPopUpHints()
{
    AppWindows& w = *m_windows;
    // The repeats button's hint names the Category column: a new grid, a
    // catalog read and a renamed column all change the header.
    const CatalogModel* model = w.BookmarksForm->document()->model();
    connect(model, &QAbstractItemModel::modelReset, this, &TMainForm::SetPopUpHints);
    connect(model, &QAbstractItemModel::headerDataChanged, this, &TMainForm::SetPopUpHints);
    // The options window's switch, also as the settings file sets it.
    connect(w.OptionsForm, &TOptionsForm::hintsSwitched, this,
            [](bool shown) { PopUpHintSwitch::setHintsShown(shown); });
    PopUpHintSwitch::setHintsShown(!w.OptionsForm->hintsDisabled());
}
