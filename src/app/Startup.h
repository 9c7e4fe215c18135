#pragma once

#include "gui/main/AppWindows.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class BookmarkMaking;
class CatalogControllers;
class Keyboard;
class PlaybackEngine;
class SettingsFiles;

// The program's frame: checks that the playback library can start, creates
// every window in order and runs the main window's FormInit.
class Startup {
public:
    static const QString& applicationTitle();
    static QString missingPlayerMessage();

    struct Options {
        // Makes a playback engine; called twice: once for the presence test,
        // once for the player itself.
        std::function<PlaybackEngine*()> makeEngine;
        QString programFolder;    // ends with "/"
        QString userConfigFolder; // empty: the platform's per-user folder
        // Ends the program at once (the restore of the default settings).
        std::function<void()> endProgram;
    };

    explicit Startup(Options options);
    ~Startup();

    // False when the playback library is missing: the user has been told,
    // no window exists and no settings were read or written.
    bool start(const QStringList& arguments);

    AppWindows& windows() { return m_windows; }
    // The rules behind the catalog window.
    CatalogControllers* catalog() const { return m_catalog.get(); }
    SettingsFiles* settings() const { return m_settings.get(); }

private:
    bool playerIsPresent();
    void createWindows(const QString& dataFolder);
    void makeKeyboard();
    // Which operation each key command runs.
    void bindKeyCommands(Keyboard& keyboard);
    // The add, quick add and update of bookmarks, with their parts.
    void connectBookmarkMaking(BookmarkMaking& making);
    // The focus models of the windows that pass their keys to the main one.
    void makeWindowFocus(Keyboard& keyboard);

    Options m_options;
    AppWindows m_windows;
    std::unique_ptr<CatalogControllers> m_catalog;
    std::unique_ptr<SettingsFiles> m_settings;
};
