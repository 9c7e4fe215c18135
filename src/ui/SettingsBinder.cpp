#include "ui/SettingsBinder.h"

#include "app/Prompt.h"
#include "catalog/TBookmarksForm.h"
#include "cmdline/TCommandLineEntryForm.h"
#include "input/KeyAssignments.h"
#include "input/Keyboard.h"
#include "input/TOptionsForm.h"
#include "playback/LoopControls.h"
#include "ui/AppWindows.h"
#include "ui/TFilePlayingInfoForm.h"
#include "ui/TMainForm.h"
#include "ui/TQuickStartGuideForm.h"
#include "ui/widgets/WindowPlacement.h"

SettingsBinder::SettingsBinder(AppWindows& windows, const ConfigFile& file, const ExtrasFile& extrasFile)
    : m_windows(windows), m_file(file), m_extrasFile(extrasFile)
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

    // Held by no control yet: the layout mode and arrangement of the control
    // panels and the remembered small and large video bounds. Their owners
    // apply them as they join.
    for (settings::Member kept :
         {settings::Member(&S::beginnerMode), settings::Member(&S::userControlsVisible),
          settings::Member(&S::videoClipSmallScreenSizeLeft), settings::Member(&S::videoClipSmallScreenSizeTop),
          settings::Member(&S::videoClipSmallScreenSizeWidth), settings::Member(&S::videoClipSmallScreenSizeHeight),
          settings::Member(&S::videoClipLargeScreenSizeLeft), settings::Member(&S::videoClipLargeScreenSizeTop),
          settings::Member(&S::videoClipLargeScreenSizeWidth), settings::Member(&S::videoClipLargeScreenSizeHeight)})
        m_binding.keep(kept);
    Q_ASSERT_X(m_binding.unboundKeys().isEmpty() && m_binding.doublyBoundKeys().isEmpty(), "SettingsBinder",
               "every setting needs exactly one home");
    bindExtras();
}

void SettingsBinder::bindExtras()
{
    using E = Extras;
    // Held by no control yet.
    for (settings::ExtrasMember kept :
         {settings::ExtrasMember(&E::mirrorView), settings::ExtrasMember(&E::loopSpeedLadder),
          settings::ExtrasMember(&E::speedLadderRates), settings::ExtrasMember(&E::speedLadderPasses),
          settings::ExtrasMember(&E::repeatGapMilliseconds), settings::ExtrasMember(&E::mirrorViewKey),
          settings::ExtrasMember(&E::loopModeKey)})
        m_extras.keep(kept);
    m_windows.BookmarksForm->bindExtras(m_extras);
    Q_ASSERT_X(m_extras.unboundKeys().isEmpty() && m_extras.doublyBoundKeys().isEmpty(), "SettingsBinder",
               "every extra setting needs exactly one home");
}

void SettingsBinder::ReadConfigFile()
{
    QString error;
    const Settings read = m_file.read(&error);
    if (!error.isEmpty())
        prompt().message(error, Prompt::Icon::Warning);
    m_binding.apply(read);
    // A missing or unreadable extras.txt gives the defaults; config.txt's
    // settings stand either way.
    error.clear();
    const Extras extras = m_extrasFile.read(&error);
    if (!error.isEmpty())
        prompt().message(error, Prompt::Icon::Warning);
    m_extras.apply(extras);
    applyAfterReading();
}

void SettingsBinder::applyAfterReading()
{
    // The original-size lock and the layout mode are applied by their owners
    // as they join the program.
    if (KeyAssignments* keys = m_windows.MainForm->keyboard ? m_windows.MainForm->keyboard->assignments : nullptr) {
        keys->nonshiftKeyChange();
        keys->shiftKeyChange();
        keys->anyKeyChange();
    }
    m_windows.MainForm->loops->loopOnceClick();
}

bool SettingsBinder::WriteConfigFile()
{
    bool saved = true;
    for (const QString& error : {m_file.write(current()), m_extrasFile.write(currentExtras())}) {
        if (error.isEmpty())
            continue;
        prompt().message(error, Prompt::Icon::Warning);
        saved = false;
    }
    return saved;
}

QString SettingsBinder::resetToDefaults() const
{
    const QString error = m_file.resetToDefaults();
    return error.isEmpty() ? m_extrasFile.resetToDefaults() : error;
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
