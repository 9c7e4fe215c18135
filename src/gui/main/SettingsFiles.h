#pragma once

#include "core/catalog/BookmarksGridColumns.h"
#include "core/settings/BindingTable.h"
#include "core/settings/ConfigFile.h"
#include "core/settings/Settings.h"
#include "gui/main/TMainForm.h"

struct AppWindows;

// Moves the settings between config.txt (and extras.txt beside it) and the
// windows: read once at start (ReadConfigFile), written once at exit
// (WriteConfigFile). Each window binds its own controls to the settings
// tables; the few settings no control holds yet are kept as read and written
// back unchanged. At exit only the settings changed in this run are
// written over what the files hold then, so that two programs running side
// by side do not undo each other's changes.
class SettingsFiles {
public:
    // The controllers behind the main window hold some settings too.
    SettingsFiles(AppWindows& windows, const TMainForm::Controllers& controllers, const ConfigFile& file,
                  const ExtrasFile& extrasFile);

    void ReadConfigFile();
    // Whether a failure to write is told in a message box (not at the end
    // of a session, which shows no box).
    enum class Failures { Told, Untold };
    // False when the file could not be written.
    bool WriteConfigFile(Failures failures = Failures::Told);

    // The values in force: as read, with the controls' current values.
    Settings current() const { return m_config.current(); }
    Extras currentExtras() const { return m_extras.current(); }
    const ConfigFile& file() const { return m_file; }
    const ExtrasFile& extrasFile() const { return m_extrasFile; }
    const ConfigBindings& configBindings() const { return m_config; }
    const ExtrasBindings& extrasBindings() const { return m_extras; }
    // Makes the next start run on the defaults of both files.
    QString resetToDefaults() const;
    // Whether the quick start guide shows at start, as read.
    bool quickStartGuideAtStart() const { return m_config.applied().quickStartGuideVisible; }
    // Titles, shown columns and widths for resetting the catalog grid.
    BookmarksGridColumns gridColumns() const;

private:
    void applyAfterReading();
    AppWindows& m_windows;
    const TMainForm::Controllers& m_controllers;
    void bindExtras();

    ConfigFile m_file;
    ExtrasFile m_extrasFile;
    ConfigBindings m_config;
    ExtrasBindings m_extras;
};
