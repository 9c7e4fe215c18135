#include "core/settings/SettingsTable.h"

namespace settings {

template <> const std::vector<Row>& tableOf<Settings>()
{
    using S = Settings;
    static const std::vector<Row> table{
        flag("Beginner_Mode:", &S::beginnerMode),

        group(index("Back_Frames_Value:", &S::backFramesValue, &S::framesChoices)),
        index("Forward_Frames_Value:", &S::forwardFramesValue, &S::framesChoices),
        index("Back_Seconds_Value:", &S::backSecondsValue, &S::secondsChoices),
        index("Forward_Seconds_Value:", &S::forwardSecondsValue, &S::secondsChoices),
        index("Back_Minutes_Value:", &S::backMinutesValue, &S::minutesChoices),
        index("Forward_Minutes_Value:", &S::forwardMinutesValue, &S::minutesChoices),

        group(index("Slow_Motion_Rate:", &S::slowMotionRate, &S::slowMotionRateChoices)),
        index("Fast_Motion_Rate:", &S::fastMotionRate, &S::fastMotionRateChoices),

        group(keyBox("Back_Seconds_Key:", &S::backSecondsKey)),
        keyBox("Back_1_Frame_Key:", &S::back1FrameKey),
        keyBox("Forward_1_Frame_Key:", &S::forward1FrameKey),
        keyBox("Forward_Seconds_Key:", &S::forwardSecondsKey),

        group(keyBox("Slow_Motion_Key:", &S::slowMotionKey)),
        keyBox("Regular_Motion_Key:", &S::regularMotionKey),
        keyBox("Fast_Motion_Key:", &S::fastMotionKey),

        group(keyBox("Set_Start_Time_Key:", &S::setStartTimeKey)),
        keyBox("Set_End_Time_Key:", &S::setEndTimeKey),
        keyBox("Play_Loop_Key:", &S::playLoopKey),
        keyBox("Play_Full_Video_Key:", &S::playFullVideoKey),

        group(integer("User_Controls_Visible:", &S::userControlsVisible, 0, 4)),

        group(integer("Video_Clip_SmallScreenSize_Left:", &S::videoClipSmallScreenSizeLeft)),
        integer("Video_Clip_SmallScreenSize_Top:", &S::videoClipSmallScreenSizeTop),
        integer("Video_Clip_SmallScreenSize_Width:", &S::videoClipSmallScreenSizeWidth),
        integer("Video_Clip_SmallScreenSize_Height:", &S::videoClipSmallScreenSizeHeight),
        integer("Video_Clip_LargeScreenSize_Left:", &S::videoClipLargeScreenSizeLeft),
        integer("Video_Clip_LargeScreenSize_Top:", &S::videoClipLargeScreenSizeTop),
        integer("Video_Clip_LargeScreenSize_Width:", &S::videoClipLargeScreenSizeWidth),
        integer("Video_Clip_LargeScreenSize_Height:", &S::videoClipLargeScreenSizeHeight),

        group(integer("Main_Form_Left:", &S::mainFormLeft)),
        integer("Main_Form_Top:", &S::mainFormTop),
        integer("Main_Form_Width:", &S::mainFormWidth),
        integer("Main_Form_Height:", &S::mainFormHeight),
        integer("Main_Form_WindowState:", &S::mainFormWindowState, 0, 2),

        group(flag("View_Original_Size:", &S::viewOriginalSize)),
        flag("Loop_Continuously:", &S::loopContinuously),

        group(integer("Bookmarks_Form_Left:", &S::bookmarksFormLeft)),
        integer("Bookmarks_Form_Top:", &S::bookmarksFormTop),
        integer("Bookmarks_Form_Width:", &S::bookmarksFormWidth),
        integer("Bookmarks_Form_Height:", &S::bookmarksFormHeight),
        integer("Bookmarks_Form_WindowState:", &S::bookmarksFormWindowState, 0, 2),
        text("Bookmarks_Form_Category_Column_Name:", &S::bookmarksFormCategoryColumnName),
        text("Bookmarks_Form_Name_Column_Name:", &S::bookmarksFormNameColumnName),
        text("Bookmarks_Form_Learn_Column_Name:", &S::bookmarksFormLearnColumnName),
        text("Bookmarks_Form_Rating_Column_Name:", &S::bookmarksFormRatingColumnName),
        integer("Bookmarks_Form_Category_Column_Width:", &S::bookmarksFormCategoryColumnWidth),
        integer("Bookmarks_Form_Name_Column_Width:", &S::bookmarksFormNameColumnWidth),
        integer("Bookmarks_Form_Filename_Column_Width:", &S::bookmarksFormFilenameColumnWidth),
        flag("Bookmarks_Form_Category_Column_Show:", &S::bookmarksFormCategoryColumnShow),
        flag("Bookmarks_Form_Learn_Column_Show:", &S::bookmarksFormLearnColumnShow),
        flag("Bookmarks_Form_Rating_Column_Show:", &S::bookmarksFormRatingColumnShow),
        flag("Bookmarks_Form_Folder_Column_Show:", &S::bookmarksFormFolderColumnShow),
        integer("Bookmarks_Form_Line_Wrap_Style:", &S::bookmarksFormLineWrapStyle, 1, 2),
        flag("Bookmarks_Form_Hide_Repeat_Category:", &S::bookmarksFormHideRepeatCategory),
        integer("Bookmarks_Form_Grid_Width:", &S::bookmarksFormGridWidth),

        group(integer("Video_File_Info_Form_Left:", &S::videoFileInfoFormLeft)),
        integer("Video_File_Info_Form_Top:", &S::videoFileInfoFormTop),
        flag("Video_File_Info_Form_Visible:", &S::videoFileInfoFormVisible),

        group(integer("Options_Form_Left:", &S::optionsFormLeft)),
        integer("Options_Form_Top:", &S::optionsFormTop),
        text("Options_Form_Default_Video_Directory:", &S::defaultVideoDirectory),
        text("Options_Form_Default_Catalog_Directory:", &S::defaultCatalogDirectory),

        group(keyBox("Options_Form_Choose_Clip_Keystroke:", &S::chooseClipKey)),
        keyBox("Options_Form_Exit_Keystroke:", &S::exitKey),
        flag("Options_Form_Exit_Keystroke_with_Ctrl_Key:", &S::exitKeyWithCtrl),
        keyBox("Options_Form_Paste_Command_Line_Keystroke:", &S::pasteCommandLineKey),
        keyBox("Options_Form_Play_Command_Line_Keystroke:", &S::playCommandLineKey),
        keyBox("Options_Form_Add_Bookmark_Keystroke:", &S::addBookmarkKey),
        keyBox("Options_Form_Restart_Keystroke:", &S::restartKey),
        keyBox("Options_Form_Mute_Keystroke:", &S::muteKey),
        keyBox("Options_Form_Play_Previous_Bookmark_Keystroke:", &S::previousBookmarkKey),
        keyBox("Options_Form_Play_Current_Bookmark_Keystroke:", &S::currentBookmarkKey),
        keyBox("Options_Form_Play_Next_Bookmark_Keystroke:", &S::nextBookmarkKey),
        flag("Options_Form_Disable_Showing_Hints:", &S::disableShowingHints),
        index("Options_Form_Bookmark_Play_Click_Behavior:", &S::bookmarkPlayClickBehavior,
              &S::bookmarkPlayClickBehaviorChoices),

        group(integer("Command_Line_Entry_Form_Left:", &S::commandLineEntryFormLeft)),
        integer("Command_Line_Entry_Form_Top:", &S::commandLineEntryFormTop),
        flag("Command_Line_Entry_Form_Visible:", &S::commandLineEntryFormVisible),

        group(Row{"Quick_Start_Guide_Visible:", Kind::OnUnlessZero, &S::quickStartGuideVisible}),
    };
    return table;
}

} // namespace settings
