#pragma once

#include <QString>
#include <QStringList>

// The settings kept in extras.txt beside config.txt: the practice features
// and whatever else joins config.txt's fixed set of lines. One member per
// line of that file; the member initializers are the values in force when a
// line (or the whole file) is missing, and they keep the program as it is
// without the file.
struct Extras {
    bool mirrorView = false; // Mirror_View:

    // The loop mode beyond once/continuously; Loop_Continuously: in
    // config.txt is on whenever this is.
    bool loopSpeedLadder = false;                                // Loop_Speed_Ladder:
    QString speedLadderRates = QStringLiteral("0.5, 0.75, 1.0"); // Speed_Ladder_Rates:
    int speedLadderPasses = 2;                                   // Speed_Ladder_Passes: 1-99
    int repeatGapMilliseconds = 400;                             // Repeat_Gap_Milliseconds: 0-5000

    // Decoding on the graphics hardware where the machine has it.
    bool hardwareDecoding = true; // Hardware_Decoding:
    // The memory the frames of the loop under way may take, to step over
    // them at once.
    int frameStoreMB = 768; // Frame_Store_MB: 0-8192

    QString mirrorViewKey = QStringLiteral("x"); // Mirror_View_Key:
    QString loopModeKey = QStringLiteral("b");   // Loop_Mode_Key:

    // Loops on the beat.
    bool preciseLoopPoints = false; // Precise_Loop_Points:
    bool findBeats = false;         // Find_Beats:
    bool snapToBeat = false;        // Snap_To_Beat:
    bool showBeatCount = false;     // Show_Beat_Count:
    int beatLoopCount = 8;          // Beat_Loop_Count: 4, 8, 16 or 32
    // The count-in before each pass of a loop: its sound's position in
    // countInChoices() (countin::CountInSound), and its volume.
    int countIn = 0;        // Count_In: countInChoices()
    int countInVolume = 80; // Count_In_Volume: 0-100

    QString nudgeStartEarlierKey = QStringLiteral("["); // Nudge_Start_Earlier_Key:
    QString nudgeStartLaterKey = QStringLiteral("]");   // Nudge_Start_Later_Key:
    QString nudgeEndEarlierKey = QStringLiteral(",");   // Nudge_End_Earlier_Key:
    QString nudgeEndLaterKey = QStringLiteral(".");     // Nudge_End_Later_Key:
    QString beatLoopKey = QStringLiteral("/");          // Beat_Loop_Key:
    QString moveOneKey = QStringLiteral(";");           // Move_One_Key:

    // The picture a step closer, a step further, or whole again.
    QString zoomInKey = QStringLiteral("w");    // Zoom_In_Key:
    QString zoomOutKey = QStringLiteral("q");   // Zoom_Out_Key:
    QString zoomResetKey = QStringLiteral("e"); // Zoom_Reset_Key:
    QString beatLevelKey = QStringLiteral("'"); // Beat_Level_Key:

    // The catalog window's play-all filter.
    bool playAllFilterOn = false;                     // Play_All_Filter_On:
    QString playAllFilterLevels;                      // Play_All_Filter_Levels: letters of "abcd", "-" for no level
    int playAllFilterMaxRating = -1;                  // Play_All_Filter_Max_Rating: 0-10, -1 any
    QString playAllFilterDue = QStringLiteral("any"); // Play_All_Filter_Due: "any" or "today"

    bool operator==(const Extras&) const = default;

    // The count-in's sounds, in the order of countin::CountInSound.
    static const QStringList& countInChoices()
    {
        static const QStringList choices{QStringLiteral("Off"), QStringLiteral("Clicks"), QStringLiteral("Voice")};
        return choices;
    }
};
