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

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>

namespace {

// Bounds that lie wholly off every screen are moved onto the primary screen.
QRect onSomeScreen(const QRect& bounds)
{
    for (QScreen* screen : QGuiApplication::screens())
        if (screen->availableGeometry().intersects(bounds))
            return bounds;
    QScreen* primary = QGuiApplication::primaryScreen();
    if (!primary)
        return bounds;
    QRect moved = bounds;
    moved.moveTopLeft(primary->availableGeometry().topLeft());
    return moved;
}

void place(QWidget* window, int left, int top, int width, int height)
{
    window->setGeometry(onSomeScreen(QRect(left, top, width, height)));
}

void move(QWidget* window, int left, int top)
{
    window->move(onSomeScreen(QRect(QPoint(left, top), window->size())).topLeft());
}

int stateOf(const QWidget* window)
{
    if (window->isMinimized())
        return 1;
    return window->isMaximized() ? 2 : 0;
}

} // namespace

SettingsBinder::SettingsBinder(AppWindows& windows, const ConfigFile& file) : m_windows(windows), m_file(file)
{
}

void SettingsBinder::ReadConfigFile()
{
    QString error;
    m_read = m_file.read(&error);
    if (!error.isEmpty())
        prompt().message(error, Prompt::Icon::Warning);
    applyToWindows(m_read);
    applyAfterReading();
}

void SettingsBinder::applyWindowState(QWidget* window, int state, int shiftBy)
{
    if (state == 0 || state == 1) {
        window->setWindowState(Qt::WindowNoState);
    } else if (state == 2) {
        // Restoring the window gives it the large video bounds.
        place(window, m_read.videoClipLargeScreenSizeLeft + shiftBy, m_read.videoClipLargeScreenSizeTop + shiftBy,
              m_read.videoClipLargeScreenSizeWidth, m_read.videoClipLargeScreenSizeHeight);
        window->setWindowState(Qt::WindowMaximized);
    }
}

void SettingsBinder::applyToWindows(const Settings& s)
{
    TMainForm& main = *m_windows.MainForm;
    main.backframesValue->setCurrentIndex(s.backFramesValue);
    main.forwardframesValue->setCurrentIndex(s.forwardFramesValue);
    main.backSecondsValue->setCurrentIndex(s.backSecondsValue);
    main.forwardSecondsValue->setCurrentIndex(s.forwardSecondsValue);
    main.backMinutesValue->setCurrentIndex(s.backMinutesValue);
    main.forwardMinutesValue->setCurrentIndex(s.forwardMinutesValue);
    main.slowmotionRate->setCurrentIndex(s.slowMotionRate);
    main.fastmotionRate->setCurrentIndex(s.fastMotionRate);
    main.backsecondsKey->setText(s.backSecondsKey);
    main.back1frameKey->setText(s.back1FrameKey);
    main.forward1frameKey->setText(s.forward1FrameKey);
    main.forwardsecondsKey->setText(s.forwardSecondsKey);
    main.slowmotionKey->setText(s.slowMotionKey);
    main.regularspeedKey->setText(s.regularMotionKey);
    main.fastmotionKey->setText(s.fastMotionKey);
    main.setStartTimeKey->setText(s.setStartTimeKey);
    main.setEndTimeKey->setText(s.setEndTimeKey);
    main.playLoopKey->setText(s.playLoopKey);
    main.playFullVideoKey->setText(s.playFullVideoKey);
    place(&main, s.mainFormLeft, s.mainFormTop, s.mainFormWidth, s.mainFormHeight);
    applyWindowState(&main, s.mainFormWindowState, 0);
    main.OriginalSize1->setChecked(s.viewOriginalSize);
    // The toggle at the end of reading flips the mode onto the stored one.
    main.loops->LoopContinuously = !s.loopContinuously;

    TBookmarksForm& catalog = *m_windows.BookmarksForm;
    place(&catalog, s.bookmarksFormLeft, s.bookmarksFormTop, s.bookmarksFormWidth, s.bookmarksFormHeight);
    applyWindowState(&catalog, s.bookmarksFormWindowState, 50);
    catalog.setSpacingStyle(s.bookmarksFormLineWrapStyle);
    catalog.setGridPanelWidth(s.bookmarksFormGridWidth);

    TOptionsForm& options = *m_windows.OptionsForm;
    options.CategoryColumnName->setText(s.bookmarksFormCategoryColumnName);
    options.NameColumnName->setText(s.bookmarksFormNameColumnName);
    options.LearnColumnName->setText(s.bookmarksFormLearnColumnName);
    options.RatingColumnName->setText(s.bookmarksFormRatingColumnName);
    options.ShowCategoryColumn->setChecked(s.bookmarksFormCategoryColumnShow);
    options.ShowLearnColumn->setChecked(s.bookmarksFormLearnColumnShow);
    options.ShowRatingColumn->setChecked(s.bookmarksFormRatingColumnShow);
    options.ShowFolderColumn->setChecked(s.bookmarksFormFolderColumnShow);
    move(&options, s.optionsFormLeft, s.optionsFormTop);
    options.defaultVideoDirectory->setText(s.defaultVideoDirectory);
    options.defaultCatalogDirectory->setText(s.defaultCatalogDirectory);
    options.chooseclipKey->setText(s.chooseClipKey);
    options.exitKey->setText(s.exitKey);
    options.CtrlSelect->setChecked(s.exitKeyWithCtrl);
    options.pastecommandlineKey->setText(s.pasteCommandLineKey);
    options.playcommandlineKey->setText(s.playCommandLineKey);
    options.makebookmarkKey->setText(s.addBookmarkKey);
    options.restartKey->setText(s.restartKey);
    options.muteKey->setText(s.muteKey);
    options.previousBookmarkKey->setText(s.previousBookmarkKey);
    options.currentBookmarkKey->setText(s.currentBookmarkKey);
    options.nextBookmarkKey->setText(s.nextBookmarkKey);
    options.DisableShowHints->setChecked(s.disableShowingHints);
    options.setBookmarkPlayClickBehaviorIndex(s.bookmarkPlayClickBehavior);

    move(m_windows.FilePlayingInfoForm, s.videoFileInfoFormLeft, s.videoFileInfoFormTop);
    m_windows.FilePlayingInfoForm->setVisible(s.videoFileInfoFormVisible);
    move(m_windows.CommandLineEntryForm, s.commandLineEntryFormLeft, s.commandLineEntryFormTop);
    m_windows.CommandLineEntryForm->setVisible(s.commandLineEntryFormVisible);
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

Settings SettingsBinder::current() const
{
    Settings s = m_read;
    const TMainForm& main = *m_windows.MainForm;
    s.backFramesValue = main.backframesValue->currentIndex();
    s.forwardFramesValue = main.forwardframesValue->currentIndex();
    s.backSecondsValue = main.backSecondsValue->currentIndex();
    s.forwardSecondsValue = main.forwardSecondsValue->currentIndex();
    s.backMinutesValue = main.backMinutesValue->currentIndex();
    s.forwardMinutesValue = main.forwardMinutesValue->currentIndex();
    s.slowMotionRate = main.slowmotionRate->currentIndex();
    s.fastMotionRate = main.fastmotionRate->currentIndex();
    s.backSecondsKey = main.backsecondsKey->text();
    s.back1FrameKey = main.back1frameKey->text();
    s.forward1FrameKey = main.forward1frameKey->text();
    s.forwardSecondsKey = main.forwardsecondsKey->text();
    s.slowMotionKey = main.slowmotionKey->text();
    s.regularMotionKey = main.regularspeedKey->text();
    s.fastMotionKey = main.fastmotionKey->text();
    s.setStartTimeKey = main.setStartTimeKey->text();
    s.setEndTimeKey = main.setEndTimeKey->text();
    s.playLoopKey = main.playLoopKey->text();
    s.playFullVideoKey = main.playFullVideoKey->text();
    const QRect mainBounds = main.geometry();
    s.mainFormLeft = mainBounds.left();
    s.mainFormTop = mainBounds.top();
    s.mainFormWidth = mainBounds.width();
    s.mainFormHeight = mainBounds.height();
    s.mainFormWindowState = stateOf(&main);
    s.viewOriginalSize = main.OriginalSize1->isChecked();
    s.loopContinuously = main.loops->LoopContinuously;

    const TBookmarksForm& catalog = *m_windows.BookmarksForm;
    const QRect catalogBounds = catalog.geometry();
    s.bookmarksFormLeft = catalogBounds.left();
    s.bookmarksFormTop = catalogBounds.top();
    s.bookmarksFormWidth = catalogBounds.width();
    s.bookmarksFormHeight = catalogBounds.height();
    s.bookmarksFormWindowState = stateOf(&catalog);
    s.bookmarksFormLineWrapStyle = catalog.SpacingStyle();
    s.bookmarksFormGridWidth = catalog.gridPanelWidth();

    const TOptionsForm& options = *m_windows.OptionsForm;
    s.bookmarksFormCategoryColumnName = options.CategoryColumnName->text();
    s.bookmarksFormNameColumnName = options.NameColumnName->text();
    s.bookmarksFormLearnColumnName = options.LearnColumnName->text();
    s.bookmarksFormRatingColumnName = options.RatingColumnName->text();
    s.bookmarksFormCategoryColumnShow = options.ShowCategoryColumn->isChecked();
    s.bookmarksFormLearnColumnShow = options.ShowLearnColumn->isChecked();
    s.bookmarksFormRatingColumnShow = options.ShowRatingColumn->isChecked();
    s.bookmarksFormFolderColumnShow = options.ShowFolderColumn->isChecked();
    s.optionsFormLeft = options.x();
    s.optionsFormTop = options.y();
    s.defaultVideoDirectory = options.defaultVideoDirectory->text();
    s.defaultCatalogDirectory = options.defaultCatalogDirectory->text();
    s.chooseClipKey = options.chooseclipKey->text();
    s.exitKey = options.exitKey->text();
    s.exitKeyWithCtrl = options.CtrlSelect->isChecked();
    s.pasteCommandLineKey = options.pastecommandlineKey->text();
    s.playCommandLineKey = options.playcommandlineKey->text();
    s.addBookmarkKey = options.makebookmarkKey->text();
    s.restartKey = options.restartKey->text();
    s.muteKey = options.muteKey->text();
    s.previousBookmarkKey = options.previousBookmarkKey->text();
    s.currentBookmarkKey = options.currentBookmarkKey->text();
    s.nextBookmarkKey = options.nextBookmarkKey->text();
    s.disableShowingHints = options.DisableShowHints->isChecked();
    s.bookmarkPlayClickBehavior = options.BookmarkPlayClickBehaviorIndex();

    s.videoFileInfoFormLeft = m_windows.FilePlayingInfoForm->x();
    s.videoFileInfoFormTop = m_windows.FilePlayingInfoForm->y();
    s.videoFileInfoFormVisible = m_windows.FilePlayingInfoForm->isVisible();
    s.commandLineEntryFormLeft = m_windows.CommandLineEntryForm->x();
    s.commandLineEntryFormTop = m_windows.CommandLineEntryForm->y();
    s.commandLineEntryFormVisible = m_windows.CommandLineEntryForm->isVisible();
    s.quickStartGuideVisible = m_windows.QuickStartGuideForm->isVisible();
    return s;
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
