#include "gui/main/SettingsFiles.h"

#include "core/base/Prompt.h"
#include "core/input/KeyTexts.h"
#include "core/playback/LoopControls.h"
#include "gui/catalog/TBookmarksForm.h"
#include "gui/cmdline/TCommandLineEntryForm.h"
#include "gui/help/TQuickStartGuideForm.h"
#include "gui/info/TFilePlayingInfoForm.h"
#include "gui/input/KeyAssignments.h"
#include "gui/input/Keyboard.h"
#include "gui/main/AppWindows.h"
#include "gui/main/ControlsArrangement.h"
#include "gui/main/TMainForm.h"
#include "gui/main/WindowSizing.h"
#include "gui/options/TOptionsForm.h"
#include "gui/widgets/WindowPlacement.h"

SettingsFiles::SettingsFiles(AppWindows& windows, const TMainForm::Controllers& controllers, const ConfigFile& file,
                             const ExtrasFile& extrasFile)
    : m_windows(windows), m_controllers(controllers), m_file(file), m_extrasFile(extrasFile)
{
    using S = Settings;
    m_windows.MainForm->bindSettings(m_config);
    m_windows.BookmarksForm->bindSettings(m_config);
    m_windows.OptionsForm->bindSettings(m_config);
    m_windows.QuickStartGuideForm->bindSettings(m_config);
    WindowPlacement::bindPosition(m_config, m_windows.FilePlayingInfoForm, &S::videoFileInfoFormLeft,
                                  &S::videoFileInfoFormTop);
    WindowPlacement::bindVisibility(m_config, m_windows.FilePlayingInfoForm, &S::videoFileInfoFormVisible);
    WindowPlacement::bindPosition(m_config, m_windows.CommandLineEntryForm, &S::commandLineEntryFormLeft,
                                  &S::commandLineEntryFormTop);
    WindowPlacement::bindVisibility(m_config, m_windows.CommandLineEntryForm, &S::commandLineEntryFormVisible);
    Q_ASSERT_X(m_config.unboundKeys().isEmpty() && m_config.doublyBoundKeys().isEmpty(), "SettingsFiles",
               "every setting needs exactly one home");
    bindExtras();
}

void SettingsFiles::bindExtras()
{
    m_windows.MainForm->bindExtras(m_extras);
    m_windows.OptionsForm->bindExtras(m_extras);
    // The ladder mode is set after the loop mode toggle (applyAfterReading).
    LoopControls* loops = m_controllers.loops;
    m_extras.bind(
        &Extras::loopSpeedLadder, [loops] { return loops->loopMode() == LoopControls::LoopMode::Ladder; }, [](bool) {});
    m_windows.BookmarksForm->bindExtras(m_extras);
    Q_ASSERT_X(m_extras.unboundKeys().isEmpty() && m_extras.doublyBoundKeys().isEmpty(), "SettingsFiles",
               "every extra setting needs exactly one home");
}

void SettingsFiles::ReadConfigFile()
{
    QString error;
    const Settings read = m_file.read(&error);
    if (!error.isEmpty())
        prompt().message(error, Prompt::Icon::Warning);
    m_config.apply(read);
    // A missing or unreadable extras.txt gives the defaults; config.txt's
    // settings stand either way.
    error.clear();
    // A practice key the file does not set must not take a key config.txt
    // gives to another command.
    const Extras defaults;
    // In the order they take free keys.
    QString Extras::*const practiceKeys[] = {
        &Extras::loopModeKey,        &Extras::mirrorViewKey,      &Extras::nudgeStartEarlierKey,
        &Extras::nudgeStartLaterKey, &Extras::nudgeEndEarlierKey, &Extras::nudgeEndLaterKey,
        &Extras::beatLoopKey,        &Extras::moveOneKey,         &Extras::zoomInKey,
        &Extras::zoomOutKey,         &Extras::zoomResetKey,       &Extras::beatLevelKey};
    Extras unset;
    for (QString Extras::*key : practiceKeys)
        (unset.*key).clear();
    Extras extras = m_extrasFile.readOver(unset, &error);
    if (!error.isEmpty())
        prompt().message(error, Prompt::Icon::Warning);
    QStringList taken;
    for (const settings::Row& row : settings::rows())
        if (row.kind == settings::Kind::Key)
            taken << read.*std::get<QString Settings::*>(row.member);
    for (QString Extras::*key : practiceKeys)
        taken << extras.*key;
    for (QString Extras::*key : practiceKeys) {
        if ((extras.*key).isEmpty())
            taken << (extras.*key = keys::freeKey(defaults.*key, taken));
    }
    m_extras.apply(extras);
    applyAfterReading();
}

void SettingsFiles::applyAfterReading()
{
    if (KeyAssignments* keys = m_controllers.keyboard ? m_controllers.keyboard->assignments : nullptr) {
        keys->nonshiftKeyChange();
        keys->shiftKeyChange();
        keys->anyKeyChange();
    }
    // The lock, shown as read, applies once the window has its bounds.
    if (WindowSizing* sizing = m_controllers.sizing)
        sizing->applyShownOriginalSizeLock();
    LoopControls* loops = m_controllers.loops;
    // The ladder repeats its loop: stored with Loop_Continuously on.
    if (m_extras.applied().loopSpeedLadder && loops->LoopContinuously())
        loops->setLoopMode(LoopControls::LoopMode::Ladder);
    m_windows.MainForm->arrangement()->applyStoredMode();
}

bool SettingsFiles::WriteConfigFile(Failures failures)
{
    bool saved = true;
    for (const QString& error : {m_file.writeChanges(m_config.applied(), current()),
                                 m_extrasFile.writeChanges(m_extras.applied(), currentExtras())}) {
        if (error.isEmpty())
            continue;
        if (failures == Failures::Told)
            prompt().message(error, Prompt::Icon::Warning);
        saved = false;
    }
    return saved;
}

QString SettingsFiles::resetToDefaults() const
{
    const QString error = m_file.resetToDefaults();
    return error.isEmpty() ? m_extrasFile.resetToDefaults() : error;
}

BookmarksGridColumns SettingsFiles::gridColumns() const
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
