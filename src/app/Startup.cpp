#include "app/Startup.h"

#include "app/MainWindowViews.h"
#include "core/base/Arguments.h"
#include "core/base/ProgramFolders.h"
#include "core/base/Prompt.h"
#include "core/catalog/CatalogControllers.h"
#include "core/catalog/CatalogDocument.h"
#include "core/catalog/ProgramEnd.h"
#include "core/desktop/MediaControls.h"
#include "core/desktop/ScreenAwake.h"
#include "core/playback/ClipLoader.h"
#include "core/playback/LoopControls.h"
#include "core/playback/MediaPlayerControl.h"
#include "core/playback/PlaybackEngine.h"
#include "core/playback/TransportControls.h"
#include "core/settings/ConfigFile.h"
#include "gui/beats/BeatDisplay.h"
#include "gui/catalog/TBookmarksForm.h"
#include "gui/catalog/TCategoryInputForm.h"
#include "gui/cmdline/TCommandLineEntryForm.h"
#include "gui/desktop/DesktopIdleInhibitor.h"
#include "gui/desktop/MprisService.h"
#include "gui/help/TAboutForm.h"
#include "gui/help/TQuickStartGuideForm.h"
#include "gui/info/TFilePlayingInfoForm.h"
#include "gui/input/KeyCommands.h"
#include "gui/input/Keyboard.h"
#include "gui/main/LoopControlsPanel.h"
#include "gui/main/PlayerControlsPanel.h"
#include "gui/main/SettingsFiles.h"
#include "gui/main/TMainForm.h"
#include "gui/main/WindowSizing.h"
#include "gui/options/TOptionsForm.h"

#include <memory>

const QString& Startup::applicationTitle()
{
    static const QString title = QStringLiteral("Tempoloop 1.0 -- The ultimate video player for dancers");
    return title;
}

QString Startup::missingPlayerMessage()
{
    return QStringLiteral("I am sorry, but you appear to be missing the media playback library (libmpv) to run "
                          "Tempoloop.\nPlease write to support@tempoloop.org and we will help you get it running.");
}

Startup::Startup(Options options) : m_options(std::move(options))
{
}

Startup::~Startup()
{
    // The desktop hears no more of the program; the screen is let go.
    m_mpris.reset();
    if (m_screenAwake)
        m_screenAwake->end();
    m_screenAwake.reset();
    m_idle.reset();
    m_media.reset();
    // The catalog's rules go first: nothing the windows do on their way out
    // reaches them.
    if (m_windows.BookmarksForm)
        m_windows.BookmarksForm->setControllers(nullptr);
    m_windows.catalog = nullptr;
    m_controllers.end = nullptr;
    m_end.reset();
    m_catalog.reset();
    // The main window owns the controllers and nothing of the other
    // windows; they go in reverse order.
    delete m_windows.CommandLineEntryForm;
    delete m_windows.OptionsForm;
    delete m_windows.AboutForm;
    delete m_windows.BookmarksForm;
    delete m_windows.FilePlayingInfoForm;
    delete m_windows.CategoryInputForm;
    delete m_windows.QuickStartGuideForm;
    delete m_windows.MainForm;
    delete m_controllers.settings;
}

StoredLoopView& Startup::storedLoopView()
{
    return *m_views;
}

CatalogView& Startup::catalogView()
{
    return *m_views;
}

bool Startup::playerIsPresent()
{
    std::unique_ptr<PlaybackEngine> probe(m_options.makeEngine());
    return probe && probe->initialize();
}

void Startup::createWindows(const QString& dataFolder)
{
    PlaybackEngine* engine = m_options.makeEngine();
    engine->initialize();
    m_windows.MainForm = new TMainForm(engine);
    m_windows.MainForm->show();
    m_windows.QuickStartGuideForm = new TQuickStartGuideForm(dataFolder);
    m_windows.CategoryInputForm = new TCategoryInputForm;
    m_windows.FilePlayingInfoForm = new TFilePlayingInfoForm;
    TBookmarksForm* catalog = new TBookmarksForm;
    m_windows.BookmarksForm = catalog;
    const QString stateFolder =
        m_options.stateFolder.isEmpty() ? RecoveryStore::platformFolder() : m_options.stateFolder;
    m_catalog = std::make_unique<CatalogControllers>(*catalog->document(), catalog->gridView(), *catalog, stateFolder);
    catalog->setControllers(m_catalog.get());
    m_windows.catalog = m_catalog.get();
    m_windows.AboutForm = new TAboutForm;
    m_windows.OptionsForm = new TOptionsForm;
    m_windows.CommandLineEntryForm = new TCommandLineEntryForm;
}

// The controllers behind the main window, each seeing the window through
// the view it needs; the main window owns them.
void Startup::makeControllers()
{
    TMainForm* main = m_windows.MainForm;
    MediaPlayerControl& player = *main->player();
    m_views = std::make_unique<MainWindowViews>(m_windows, m_controllers);
    auto* loops = new LoopControls(player, main->loopControls(), main);
    auto* transport = new TransportControls(player, main->playerControls(), *loops, main);
    m_controllers.loops = loops;
    m_controllers.transport = transport;
    m_controllers.clips = new ClipLoader(player, *m_views, *loops, *transport, main);

    WindowSizing::Windows parts;
    parts.main = main;
    parts.mainView = &main->sizingView();
    parts.player = &player;
    parts.catalog = m_windows.BookmarksForm;
    parts.commandLineEntry = m_windows.CommandLineEntryForm;
    parts.fileInfo = m_windows.FilePlayingInfoForm;
    const CatalogDocument* document = m_windows.BookmarksForm->document();
    parts.catalogOpen = [document] { return document->CatalogMode() != CatalogDocument::Mode::Closed; };
    m_controllers.sizing = new WindowSizing(parts, main);
}

void Startup::makeKeyboard()
{
    TMainForm* main = m_windows.MainForm;
    TBookmarksForm* catalog = m_windows.BookmarksForm;
    Keyboard::Windows parts;
    parts.main = &main->keyboardView();
    parts.mainWindow = main;
    parts.options = m_windows.OptionsForm;
    parts.captionWindows = {catalog, m_windows.CommandLineEntryForm};
    const CatalogDocument* document = catalog->document();
    parts.gates = [document] {
        return keys::Gates{document->PlayingAll(), document->CatalogMode() != CatalogDocument::Mode::Closed};
    };
    parts.popUpHints = [this] { SetPopUpHints(); };
    auto* keyboard = new Keyboard(parts, main);
    m_controllers.keyboard = keyboard;
    bindKeyCommands(*keyboard);
    makeWindowFocus(*keyboard);
    m_controllers.sizing->setKeyHandlers(keyboard->dispatcher, keyboard->commands);
}

bool Startup::start(const QStringList& arguments)
{
    if (!playerIsPresent()) {
        prompt().message(missingPlayerMessage(), Prompt::Icon::Error);
        return false;
    }
    const ProgramFolders folders = ProgramFolders::locate(m_options.programFolder, m_options.userConfigFolder);
    createWindows(folders.dataFolder());
    makeControllers();
    TMainForm* main = m_windows.MainForm;
    main->connectControllers(m_controllers, &m_windows);
    connectWindowMenus(folders.dataFolder());
    folders.makeUserFolders();
    m_beatLoops = makeBeatLoops();
    makeDesktop();
    makeKeyboard();
    m_controllers.settings = new SettingsFiles(m_windows, m_controllers, folders.configFile(), folders.extrasFile());
    const SettingsFiles* settings = m_controllers.settings;
    TOptionsForm* options = m_windows.OptionsForm;
    options->setRestoreDefaults([settings] { return settings->resetToDefaults(); });
    if (m_options.endProgram)
        options->setEndProgram(m_options.endProgram);
    m_windows.CommandLineEntryForm->setStoredLoopView(m_views.get());
    TFilePlayingInfoForm* info = m_windows.FilePlayingInfoForm;
    info->setPlayer(main->player());
    ClipLoader* clips = m_controllers.clips;
    SizingView* sizingView = &main->sizingView();
    WindowSizing* sizing = m_controllers.sizing;
    info->setFileInfoView(
        {[main] { return main->size(); }, [sizing](const QSize& size) { sizing->resizeMainWindow(size); },
         [sizingView] { return sizingView->pictureChrome(); }, [clips] { clips->UpdateMainFormTitleBar(); }});
    QObject::connect(options, &TOptionsForm::resetInitialVideoDirectory, clips,
                     [clips] { clips->ResetInitialVideoDirectory(); });
    QObject::connect(options, &TOptionsForm::practiceChanged, m_controllers.loops,
                     [options, loops = m_controllers.loops, player = main->player()] {
                         loops->setRestartPauseMs(options->repeatGapMs());
                         loops->setSpeedLadder(options->speedLadder());
                         player->engine()->setHardwareDecoding(options->hardwareDecoding());
                         player->engine()->setFrameStoreBudget(options->frameStoreMB());
                     });
    connectCatalogWindow();
    connectProgramEnd();
    connectPopUpHints();
    main->FormInit(arguments);
    // A run that ended without the user's word may have left changes
    // behind; an argument that ends the program at once leaves them for
    // the next start.
    if (classifyArguments(arguments) != ArgumentKind::Unrecognized)
        m_catalog->lifecycle.offerLeftRecoveries();
    return true;
}
