#pragma once

#include <QString>
#include <QStringList>

// Every user setting and window position the program keeps in config.txt,
// one member per line of that file, in the file's order. The member
// initializers are the values in force when a line (or the whole file) is
// missing; the two default folders depend on the program folder, so take a
// complete set of defaults from Settings::defaults().
//
// Members are named after their keys in camelCase; the options window's own
// settings drop the "Options_Form_" prefix and say Key for "Keystroke"
// (Options_Form_Exit_Keystroke: -> exitKey).
//
// Index members hold a position in the drop-down list named next to them;
// the list texts come from the *Choices() functions below.
struct Settings {
    bool beginnerMode = true; // Beginner_Mode:

    int backFramesValue = 2;     // Back_Frames_Value:       framesChoices()
    int forwardFramesValue = 2;  // Forward_Frames_Value:    framesChoices()
    int backSecondsValue = 2;    // Back_Seconds_Value:      secondsChoices()
    int forwardSecondsValue = 2; // Forward_Seconds_Value:   secondsChoices()
    int backMinutesValue = 0;    // Back_Minutes_Value:      minutesChoices()
    int forwardMinutesValue = 0; // Forward_Minutes_Value:   minutesChoices()

    int slowMotionRate = 4; // Slow_Motion_Rate:        slowMotionRateChoices()
    int fastMotionRate = 3; // Fast_Motion_Rate:        fastMotionRateChoices()

    QString backSecondsKey = QStringLiteral("a");    // Back_Seconds_Key:
    QString back1FrameKey = QStringLiteral("s");     // Back_1_Frame_Key:
    QString forward1FrameKey = QStringLiteral("d");  // Forward_1_Frame_Key:
    QString forwardSecondsKey = QStringLiteral("f"); // Forward_Seconds_Key:

    QString slowMotionKey = QStringLiteral("j");    // Slow_Motion_Key:
    QString regularMotionKey = QStringLiteral("k"); // Regular_Motion_Key:
    QString fastMotionKey = QStringLiteral("l");    // Fast_Motion_Key:

    QString setStartTimeKey = QStringLiteral("g");  // Set_Start_Time_Key:
    QString setEndTimeKey = QStringLiteral("h");    // Set_End_Time_Key:
    QString playLoopKey = QStringLiteral("t");      // Play_Loop_Key:
    QString playFullVideoKey = QStringLiteral("y"); // Play_Full_Video_Key:

    // 0 hidden, 1 player controls only, 2 window controls only,
    // 3 all (player controls first), 4 all (window controls first).
    int userControlsVisible = 3; // User_Controls_Visible:

    int videoClipSmallScreenSizeLeft = 10;    // Video_Clip_SmallScreenSize_Left:
    int videoClipSmallScreenSizeTop = 10;     // Video_Clip_SmallScreenSize_Top:
    int videoClipSmallScreenSizeWidth = 655;  // Video_Clip_SmallScreenSize_Width:
    int videoClipSmallScreenSizeHeight = 559; // Video_Clip_SmallScreenSize_Height:
    int videoClipLargeScreenSizeLeft = 10;    // Video_Clip_LargeScreenSize_Left:
    int videoClipLargeScreenSizeTop = 10;     // Video_Clip_LargeScreenSize_Top:
    int videoClipLargeScreenSizeWidth = 924;  // Video_Clip_LargeScreenSize_Width:
    int videoClipLargeScreenSizeHeight = 717; // Video_Clip_LargeScreenSize_Height:

    int mainFormLeft = 10;       // Main_Form_Left:
    int mainFormTop = 10;        // Main_Form_Top:
    int mainFormWidth = 923;     // Main_Form_Width:
    int mainFormHeight = 753;    // Main_Form_Height:
    int mainFormWindowState = 0; // Main_Form_WindowState: 0 normal, 1 minimised, 2 maximised

    bool viewOriginalSize = false; // View_Original_Size:
    bool loopContinuously = false; // Loop_Continuously:

    int bookmarksFormLeft = 8;                                            // Bookmarks_Form_Left:
    int bookmarksFormTop = 430;                                           // Bookmarks_Form_Top:
    int bookmarksFormWidth = 950;                                         // Bookmarks_Form_Width:
    int bookmarksFormHeight = 305;                                        // Bookmarks_Form_Height:
    int bookmarksFormWindowState = 0;                                     // Bookmarks_Form_WindowState:
    QString bookmarksFormCategoryColumnName = QStringLiteral("Category"); // Bookmarks_Form_Category_Column_Name:
    QString bookmarksFormNameColumnName = QStringLiteral("Name");         // Bookmarks_Form_Name_Column_Name:
    QString bookmarksFormLearnColumnName = QStringLiteral("Learn");       // Bookmarks_Form_Learn_Column_Name:
    QString bookmarksFormRatingColumnName = QStringLiteral("Rating");     // Bookmarks_Form_Rating_Column_Name:
    int bookmarksFormCategoryColumnWidth = 64;                            // Bookmarks_Form_Category_Column_Width:
    int bookmarksFormNameColumnWidth = 91;                                // Bookmarks_Form_Name_Column_Width:
    int bookmarksFormFilenameColumnWidth = 186;                           // Bookmarks_Form_Filename_Column_Width:
    bool bookmarksFormCategoryColumnShow = false;                         // Bookmarks_Form_Category_Column_Show:
    bool bookmarksFormLearnColumnShow = true;                             // Bookmarks_Form_Learn_Column_Show:
    bool bookmarksFormRatingColumnShow = true;                            // Bookmarks_Form_Rating_Column_Show:
    bool bookmarksFormFolderColumnShow = true;                            // Bookmarks_Form_Folder_Column_Show:
    int bookmarksFormLineWrapStyle = 1;                                   // Bookmarks_Form_Line_Wrap_Style: 1 or 2
    bool bookmarksFormHideRepeatCategory = false;                         // Bookmarks_Form_Hide_Repeat_Category:
    int bookmarksFormGridWidth = 690;                                     // Bookmarks_Form_Grid_Width:

    int videoFileInfoFormLeft = 548;       // Video_File_Info_Form_Left:
    int videoFileInfoFormTop = 108;        // Video_File_Info_Form_Top:
    bool videoFileInfoFormVisible = false; // Video_File_Info_Form_Visible:

    int optionsFormLeft = 226;       // Options_Form_Left:
    int optionsFormTop = 180;        // Options_Form_Top:
    QString defaultVideoDirectory;   // Options_Form_Default_Video_Directory:   see defaults()
    QString defaultCatalogDirectory; // Options_Form_Default_Catalog_Directory: see defaults()

    QString chooseClipKey = QStringLiteral("c");       // Options_Form_Choose_Clip_Keystroke:
    QString exitKey = QStringLiteral("z");             // Options_Form_Exit_Keystroke:
    bool exitKeyWithCtrl = false;                      // Options_Form_Exit_Keystroke_with_Ctrl_Key:
    QString pasteCommandLineKey = QStringLiteral("u"); // Options_Form_Paste_Command_Line_Keystroke:
    QString playCommandLineKey = QStringLiteral("i");  // Options_Form_Play_Command_Line_Keystroke:
    QString addBookmarkKey = QStringLiteral("o");      // Options_Form_Add_Bookmark_Keystroke:
    QString restartKey = QStringLiteral("r");          // Options_Form_Restart_Keystroke:
    QString muteKey = QStringLiteral("m");             // Options_Form_Mute_Keystroke:
    QString previousBookmarkKey = QStringLiteral("8"); // Options_Form_Play_Previous_Bookmark_Keystroke:
    QString currentBookmarkKey = QStringLiteral("9");  // Options_Form_Play_Current_Bookmark_Keystroke:
    QString nextBookmarkKey = QStringLiteral("0");     // Options_Form_Play_Next_Bookmark_Keystroke:
    bool disableShowingHints = false;                  // Options_Form_Disable_Showing_Hints:
    int bookmarkPlayClickBehavior = 0; // Options_Form_Bookmark_Play_Click_Behavior: bookmarkPlayClickBehaviorChoices()

    int commandLineEntryFormLeft = 392;       // Command_Line_Entry_Form_Left:
    int commandLineEntryFormTop = 18;         // Command_Line_Entry_Form_Top:
    bool commandLineEntryFormVisible = false; // Command_Line_Entry_Form_Visible:

    bool quickStartGuideVisible = true; // Quick_Start_Guide_Visible: off only for "0"

    bool operator==(const Settings&) const = default;

    // The complete defaults: the member initializers plus the two folders
    // inside the program folder, which is given with its trailing "/".
    static Settings defaults(const QString& programFolder);

    // Entries of the drop-down lists behind the index members.
    static const QStringList& framesChoices();  // back and forward frames
    static const QStringList& secondsChoices(); // back and forward seconds
    static const QStringList& minutesChoices(); // back and forward minutes
    static const QStringList& slowMotionRateChoices();
    static const QStringList& fastMotionRateChoices();
    static const QStringList& bookmarkPlayClickBehaviorChoices();
};
