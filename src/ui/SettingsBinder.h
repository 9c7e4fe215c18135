#pragma once

#include "app/ConfigFile.h"
#include "app/Settings.h"
#include "catalog/BookmarksGridColumns.h"

class QWidget;
struct AppWindows;

// Moves the settings between config.txt and the windows' controls: read once
// at start (ReadConfigFile), written once at exit (WriteConfigFile). Values
// that no control holds yet are kept as read and written back unchanged.
class SettingsBinder {
public:
    SettingsBinder(AppWindows& windows, const ConfigFile& file);

    void ReadConfigFile();
    // False when the file could not be written; the user has been told.
    bool WriteConfigFile();

    // The values in force: as read, with the controls' current values.
    Settings current() const;
    const ConfigFile& file() const { return m_file; }
    // Whether the quick start guide shows at start, as read.
    bool quickStartGuideAtStart() const { return m_read.quickStartGuideVisible; }
    // Titles, shown columns and widths for resetting the catalog grid.
    BookmarksGridColumns gridColumns() const;

private:
    void applyToWindows(const Settings& s);
    void applyWindowState(QWidget* window, int state, int shiftBy);
    void applyAfterReading();

    AppWindows& m_windows;
    ConfigFile m_file;
    Settings m_read;
};
