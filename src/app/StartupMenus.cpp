// The composition root's half of the main window's menu (the items that
// bring up the other windows) and of the pop-up hints, which are set on the
// main, catalog and information windows by each control's object name. The
// catalog's header titles and the keys decide some of them, so they are set
// again whenever either may have changed.
#include "app/Startup.h"

#include "core/catalog/BookmarksGridColumns.h"
#include "core/catalog/CatalogDocument.h"
#include "core/catalog/CatalogModel.h"
#include "core/input/PopUpHints.h"
#include "gui/catalog/TBookmarksForm.h"
#include "gui/cmdline/TCommandLineEntryForm.h"
#include "gui/help/HelpMenu.h"
#include "gui/help/TAboutForm.h"
#include "gui/help/TQuickStartGuideForm.h"
#include "gui/info/TFilePlayingInfoForm.h"
#include "gui/input/KeyCommands.h"
#include "gui/input/Keyboard.h"
#include "gui/main/MainMenu.h"
#include "gui/main/TMainForm.h"
#include "gui/options/TOptionsForm.h"
#include "gui/widgets/PopUpHintSwitch.h"

namespace {

void bringForward(QWidget* window)
{
    window->show();
    window->raise();
    window->activateWindow();
}

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

void Startup::connectWindowMenus(const QString& dataFolder)
{
    using Item = MainMenu::Item;
    TMainForm* main = m_windows.MainForm;
    MainMenu& menu = main->menu();
    AppWindows* w = &m_windows;
    menu.onItem(Item::Options1, [main, w] {
        w->OptionsForm->exec();
        main->giveFocusToSink();
    });
    menu.onItem(Item::About1, [main, w] {
        w->AboutForm->exec();
        main->giveFocusToSink();
    });
    menu.onItem(Item::VideoFileInfo1, [w] { bringForward(w->FilePlayingInfoForm); });
    menu.onItem(Item::CommandLineEntry1, [w] { bringForward(w->CommandLineEntryForm); });
    menu.onItem(Item::QuickStartGuide1, [w] { w->QuickStartGuideForm->GettingStartedGuide1Click(); });
    menu.onItem(Item::UserManual1, [dataFolder] { HelpMenu::UserManual1Click(dataFolder); });
}

void Startup::SetPopUpHints()
{
    // Until the keyboard exists there are no keys to name; start-up sets the
    // hints once it has read the keys.
    if (!m_controllers.keyboard)
        return;
    const keys::KeyTexts keys = m_controllers.keyboard->commands->texts();
    TMainForm* main = m_windows.MainForm;
    setHints(main, hints::mainWindowHints(keys, main->windowState().testFlag(Qt::WindowMaximized)));
    if (TBookmarksForm* catalog = m_windows.BookmarksForm) {
        const QString categoryTitle = catalog->document()->Cells(BookmarkColumn::Category, 0);
        setHints(catalog, hints::catalogWindowHints(keys, categoryTitle, catalog->document()->PlayingAll()));
    }
    setHints(m_windows.FilePlayingInfoForm, hints::fileInfoWindowHints());
    if (TOptionsForm* options = m_windows.OptionsForm)
        options->setPracticeHints(hints::practicePageHints(keys, options->beatLoopCount()));
}

void Startup::connectPopUpHints()
{
    // The repeats button's hint names the Category column: a new grid, a
    // catalog read and a renamed column all change the header.
    const CatalogModel* model = m_windows.BookmarksForm->document()->model();
    QObject::connect(model, &QAbstractItemModel::modelReset, m_windows.MainForm, [this] { SetPopUpHints(); });
    QObject::connect(model, &QAbstractItemModel::headerDataChanged, m_windows.MainForm, [this] { SetPopUpHints(); });
    // The options window's switch, also as the settings file sets it.
    TOptionsForm* options = m_windows.OptionsForm;
    QObject::connect(options, &TOptionsForm::hintsSwitched, m_windows.MainForm,
                     [](bool shown) { PopUpHintSwitch::setHintsShown(shown); });
    PopUpHintSwitch::setHintsShown(!options->hintsDisabled());
}
