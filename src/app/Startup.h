#pragma once

#include "gui/main/AppWindows.h"
#include "gui/main/TMainForm.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class BeatDisplay;
class BeatLoopControls;
class BeatSource;
class BookmarkMaking;
class CatalogControllers;
class DesktopIdleInhibitor;
class MediaControls;
class MprisService;
class ScreenAwake;
class CatalogView;
class ClipLoader;
class Keyboard;
class LoopControls;
class MainWindowViews;
class PlaybackEngine;
class ProgramEnd;
class SettingsFiles;
class StoredLoopView;
class TransportControls;
class WindowSizing;

// The program's frame: checks that the playback library can start, creates
// every window in order, makes the controllers behind the main window and
// the views they see, wires the windows together and runs the main window's
// FormInit. It is the one place that sees every window.
class Startup {
public:
    static const QString& applicationTitle();
    static QString missingPlayerMessage();

    // What the program tells the desktop (keeping the screen awake, the
    // MPRIS player): its services on the session bus, or nothing (for tests
    // that have no bus of their own).
    enum class DesktopLink { SessionBus, None };

    struct Options {
        // Makes a playback engine; called twice: once for the presence test,
        // once for the player itself.
        std::function<PlaybackEngine*()> makeEngine;
        QString programFolder;    // ends with "/"
        QString userConfigFolder; // empty: the platform's per-user folder
        // Ends the program at once (the restore of the default settings).
        std::function<void()> endProgram;
        // Where the beats found in clips are kept; empty: the per-user
        // cache folder.
        QString beatCacheFolder;
        // Finds the beats of a clip; none: aubio on a worker thread. The
        // source answers through BeatLoopControls::beatsFound().
        std::function<BeatSource*()> makeBeatSource;
        DesktopLink desktop = DesktopLink::SessionBus;
        // Where recovery files and the locks of open catalogs are kept;
        // empty: the per-user state folder.
        QString stateFolder;
    };

    explicit Startup(Options options);
    ~Startup();

    // False when the playback library is missing: the user has been told,
    // no window exists and no settings were read or written.
    bool start(const QStringList& arguments);

    AppWindows& windows() { return m_windows; }
    SettingsFiles* settings() const { return m_controllers.settings; }
    // The controllers behind the main window.
    ClipLoader* clips() const { return m_controllers.clips; }
    TransportControls* transport() const { return m_controllers.transport; }
    LoopControls* loops() const { return m_controllers.loops; }
    WindowSizing* sizing() const { return m_controllers.sizing; }
    Keyboard* keyboard() const { return m_controllers.keyboard; }
    // What the command line entry and catalog windows see of the main
    // window: opening a clip and playing a stored loop; the bookmark list.
    StoredLoopView& storedLoopView();
    CatalogView& catalogView();
    // The rules behind the catalog window.
    CatalogControllers* catalog() const { return m_catalog.get(); }
    // The media keys' and the desktop's media controls' commands.
    MediaControls* media() const { return m_media.get(); }
    // How the program ends: asked by the user, or by the session.
    ProgramEnd* programEnd() const { return m_end.get(); }

private:
    bool playerIsPresent();
    void createWindows(const QString& dataFolder);
    void makeControllers();
    void makeKeyboard();
    // Loops on the beat: the beat finder and the controls that use it.
    BeatLoopControls* makeBeatLoops();
    // The media controls, the screen kept awake, the MPRIS player.
    void makeDesktop();
    // Which operation each key command runs.
    void bindKeyCommands(Keyboard& keyboard);
    // The add, quick add and update of bookmarks, with their parts.
    void connectBookmarkMaking(BookmarkMaking& making);
    // The focus models of the windows that pass their keys to the main one.
    void makeWindowFocus(Keyboard& keyboard);
    // The catalog window and the main window's catalog controls.
    void connectCatalogWindow();
    // The end of the program, and what keeps the catalog meanwhile.
    void connectProgramEnd();
    void connectBookmarkPlaying();
    // The menu items that bring up the other windows.
    void connectWindowMenus(const QString& dataFolder);
    // Every pop-up hint of the main, catalog and information windows;
    // several name the current keys or the Category column's title.
    void SetPopUpHints();
    void connectPopUpHints();

    Options m_options;
    AppWindows m_windows;
    TMainForm::Controllers m_controllers;
    std::unique_ptr<MainWindowViews> m_views;
    std::unique_ptr<CatalogControllers> m_catalog;
    std::unique_ptr<ProgramEnd> m_end;
    BeatLoopControls* m_beatLoops = nullptr;
    std::unique_ptr<BeatDisplay> m_beatDisplay;
    std::unique_ptr<MediaControls> m_media;
    std::unique_ptr<DesktopIdleInhibitor> m_idle;
    std::unique_ptr<ScreenAwake> m_screenAwake;
    std::unique_ptr<MprisService> m_mpris;
};
