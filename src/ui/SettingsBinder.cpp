#include "ui/SettingsBinder.h"

#include "app/Prompt.h"
#include "catalog/TBookmarksForm.h"
#include "cmdline/TCommandLineEntryForm.h"
#include "input/KeyAssignments.h"
#include "input/Keyboard.h"
#include "input/TOptionsForm.h"
#include "playback/LoopControls.h"
#include "ui/AppWindows.h"
#include "ui/ControlsArrangement.h"
#include "ui/TFilePlayingInfoForm.h"
#include "ui/TMainForm.h"
#include "ui/TQuickStartGuideForm.h"
#include "ui/WindowSizing.h"
#include "ui/widgets/WindowPlacement.h"

SettingsBinder::SettingsBinder(AppWindows& windows, const ConfigFile& file) : m_windows(windows), m_file(file)
{
    using S = Settings;
    m_windows.MainForm->bindSettings(m_binding);
    m_windows.BookmarksForm->bindSettings(m_binding);
    m_windows.OptionsForm->bindSettings(m_binding);
    m_windows.QuickStartGuideForm->bindSettings(m_binding);
    WindowPlacement::bindPosition(m_binding, m_windows.FilePlayingInfoForm, &S::videoFileInfoFormLeft,
                                  &S::videoFileInfoFormTop);
    WindowPlacement::bindVisibility(m_binding, m_windows.FilePlayingInfoForm, &S::videoFileInfoFormVisible);
    WindowPlacement::bindPosition(m_binding, m_windows.CommandLineEntryForm, &S::commandLineEntryFormLeft,
                                  &S::commandLineEntryFormTop);
    WindowPlacement::bindVisibility(m_binding, m_windows.CommandLineEntryForm, &S::commandLineEntryFormVisible);
    Q_ASSERT_X(m_binding.unboundKeys().isEmpty() && m_binding.doublyBoundKeys().isEmpty(), "SettingsBinder",
               "every setting needs exactly one home");
}

void SettingsBinder::ReadConfigFile()
{
    QString error;
    const Settings read = m_file.read(&error);
    if (!error.isEmpty())
        prompt().message(error, Prompt::Icon::Warning);
    m_binding.apply(read);
    applyAfterReading();
}

void SettingsBinder::applyAfterReading()
{
    if (KeyAssignments* keys = m_windows.MainForm->keyboard ? m_windows.MainForm->keyboard->assignments : nullptr) {
        keys->nonshiftKeyChange();
        keys->shiftKeyChange();
        keys->anyKeyChange();
    }
    // The lock was read as the opposite of its stored state: its toggle
    // lands on it and applies it.
    if (WindowSizing* sizing = m_windows.MainForm->sizing)
        sizing->OriginalSize1Click();
    m_windows.MainForm->loops->loopOnceClick();
    m_windows.MainForm->arrangement()->applyStoredMode();
}

bool SettingsBinder::WriteConfigFile()
{
    const QString error = m_file.write(current());
    if (error.isEmpty())
        return true;
    prompt().message(error, Prompt::Icon::Warning);
    return false;
}

BookmarksGridColumns SettingsBinder::gridColumns() const
{
    const Settings s = current();
    BookmarksGridColumns c;
    c.categoryName = s.bookmarksFormCategoryColumnName;
    c.nameName = s.bookmarksFormNameColumnName;
    c.learnName = s.bookmarksFormLearnColumnName;
    c.ratingName = s.bookmarksFormRatingColumnName;
    c.showCategory = s.bookmarksFormCategoryColumnShow;
    c.showLearn = s.bookmarksFormLearnColumnShow;
    c.showRating = s.bookmarksFormRatingColumnShow;
    c.showFolder = s.bookmarksFormFolderColumnShow;
    c.categoryWidth = s.bookmarksFormCategoryColumnWidth;
    c.nameWidth = s.bookmarksFormNameColumnWidth;
    c.filenameWidth = s.bookmarksFormFilenameColumnWidth;
    return c;
}
