#pragma once

class TMainForm;
class TQuickStartGuideForm;
class TCategoryInputForm;
class TFilePlayingInfoForm;
class TBookmarksForm;
class TAboutForm;
class TOptionsForm;
class TCommandLineEntryForm;
class CatalogControllers;

// The program's windows, one instance each, created in this order at start.
struct AppWindows {
    TMainForm* MainForm = nullptr;
    TQuickStartGuideForm* QuickStartGuideForm = nullptr;
    TCategoryInputForm* CategoryInputForm = nullptr;
    TFilePlayingInfoForm* FilePlayingInfoForm = nullptr;
    TBookmarksForm* BookmarksForm = nullptr;
    TAboutForm* AboutForm = nullptr;
    TOptionsForm* OptionsForm = nullptr;
    TCommandLineEntryForm* CommandLineEntryForm = nullptr;
    // The rules behind the catalog window, made with it.
    CatalogControllers* catalog = nullptr;
};
