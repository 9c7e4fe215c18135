#include "app/Startup.h"

#include "core/base/ProgramFolders.h"
#include "core/base/Prompt.h"
#include "core/catalog/CatalogControllers.h"
#include "core/catalog/CatalogDocument.h"
#include "core/playback/ClipLoader.h"
#include "core/playback/LoopControls.h"
#include "core/playback/MediaPlayerControl.h"
#include "core/playback/PlaybackEngine.h"
#include "core/settings/ConfigFile.h"
#include "gui/catalog/TBookmarksForm.h"
#include "gui/catalog/TCategoryInputForm.h"
#include "gui/cmdline/TCommandLineEntryForm.h"
#include "gui/help/TAboutForm.h"
#include "gui/help/TQuickStartGuideForm.h"
#include "gui/info/TFilePlayingInfoForm.h"
#include "gui/input/Keyboard.h"
#include "gui/main/SettingsFiles.h"
#include "gui/main/TMainForm.h"
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
    // The catalog's rules go first: nothing the windows do on their way out
    // reaches them.
    if (m_windows.BookmarksForm)
        m_windows.BookmarksForm->setControllers(nullptr);
    m_windows.catalog = nullptr;
    m_catalog.reset();
    // The main window owns nothing of the others; they go in reverse order.
    delete m_windows.CommandLineEntryForm;
    delete m_windows.OptionsForm;
    delete m_windows.AboutForm;
    delete m_windows.BookmarksForm;
    delete m_windows.FilePlayingInfoForm;
    delete m_windows.CategoryInputForm;
    delete m_windows.QuickStartGuideForm;
    delete m_windows.MainForm;
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
    m_catalog = std::make_unique<CatalogControllers>(*catalog->document(), catalog->gridView(), *catalog);
    catalog->setControllers(m_catalog.get());
    m_windows.catalog = m_catalog.get();
    TMainForm* main = m_windows.MainForm;
    m_catalog->setCatalogView(main);
    m_catalog->setBookmarkPlayView(main);
    m_catalog->setStoredLoopView(main);
    m_windows.AboutForm = new TAboutForm;
    m_windows.OptionsForm = new TOptionsForm;
    m_windows.CommandLineEntryForm = new TCommandLineEntryForm;
}

void Startup::makeKeyboard()
{
    TMainForm* main = m_windows.MainForm;
    TBookmarksForm* catalog = m_windows.BookmarksForm;
    Keyboard::Windows parts;
    parts.main = main;
    parts.mainWindow = main;
    parts.options = m_windows.OptionsForm;
    parts.captionWindows = {catalog, m_windows.CommandLineEntryForm};
    const CatalogDocument* document = catalog->document();
    parts.gates = [document] { return keys::Gates{document->PlayingAll(), document->CatalogMode() != 0}; };
    main->keyboard = new Keyboard(parts, main);
    bindKeyCommands(*main->keyboard);
    makeWindowFocus(*main->keyboard);
}

bool Startup::start(const QStringList& arguments)
{
    if (!playerIsPresent()) {
        prompt().message(missingPlayerMessage(), Prompt::Icon::Error);
        return false;
    }
    const ProgramFolders folders = ProgramFolders::locate(m_options.programFolder, m_options.userConfigFolder);
    createWindows(folders.dataFolder());
    TMainForm* main = m_windows.MainForm;
    main->setWindows(&m_windows);
    main->connectWindowMenus();
    folders.makeUserFolders();
    main->setProgramFolder(folders.dataFolder());
    makeKeyboard();
    const ConfigFile file = folders.configFile();
    m_settings = std::make_unique<SettingsFiles>(m_windows, file, folders.extrasFile());
    main->settings = m_settings.get();
    const SettingsFiles* binder = m_settings.get();
    m_windows.OptionsForm->setRestoreDefaults([binder] { return binder->resetToDefaults(); });
    if (m_options.endProgram)
        m_windows.OptionsForm->setEndProgram(m_options.endProgram);
    m_windows.CommandLineEntryForm->setStoredLoopView(main);
    m_windows.FilePlayingInfoForm->setPlayer(main->player());
    m_windows.FilePlayingInfoForm->setFileInfoView(
        {[main] { return main->size(); }, [main](const QSize& size) { main->resize(size); },
         [main] { return main->pictureChrome(); }, [main] { main->clips->UpdateMainFormTitleBar(); }});
    QObject::connect(m_windows.OptionsForm, &TOptionsForm::resetInitialVideoDirectory, main,
                     [main] { main->clips->ResetInitialVideoDirectory(); });
    TOptionsForm* options = m_windows.OptionsForm;
    QObject::connect(options, &TOptionsForm::practiceChanged, main->loops, [options, main] {
        main->loops->setRestartPauseMs(options->repeatGapMs());
        main->loops->setSpeedLadder(options->speedLadder());
        main->player()->engine()->setHardwareDecoding(options->hardwareDecoding());
    });
    main->FormInit(arguments);
    return true;
}
