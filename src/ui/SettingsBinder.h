#pragma once

#include "app/ConfigFile.h"
#include "app/Settings.h"
#include "app/SettingsBinding.h"
#include "catalog/BookmarksGridColumns.h"

struct AppWindows;

// Moves the settings between config.txt and the windows: read once at start
// (ReadConfigFile), written once at exit (WriteConfigFile). Each window binds
// its own controls to the settings table; the few settings no control holds
// yet are kept as read and written back unchanged.
class SettingsBinder {
public:
    SettingsBinder(AppWindows& windows, const ConfigFile& file);

    void ReadConfigFile();
    // False when the file could not be written; the user has been told.
    bool WriteConfigFile();

    // The values in force: as read, with the controls' current values.
    Settings current() const { return m_binding.current(); }
    const ConfigFile& file() const { return m_file; }
    const SettingsBinding& binding() const { return m_binding; }
    // Whether the quick start guide shows at start, as read.
    bool quickStartGuideAtStart() const { return m_binding.applied().quickStartGuideVisible; }
    // Titles, shown columns and widths for resetting the catalog grid.
    BookmarksGridColumns gridColumns() const;

private:
    void applyAfterReading();

    AppWindows& m_windows;
    ConfigFile m_file;
    SettingsBinding m_binding;
};
