#include "core/settings/ExtrasTable.h"

namespace settings {

template <> const std::vector<ExtrasRow>& tableOf<Extras>()
{
    using E = Extras;
    static const std::vector<ExtrasRow> table{
        flag("Mirror_View:", &E::mirrorView),

        group(flag("Loop_Speed_Ladder:", &E::loopSpeedLadder)),
        text("Speed_Ladder_Rates:", &E::speedLadderRates),
        integer("Speed_Ladder_Passes:", &E::speedLadderPasses, 1, 99),
        integer("Repeat_Gap_Milliseconds:", &E::repeatGapMilliseconds, 0, 5000),

        group(flag("Hardware_Decoding:", &E::hardwareDecoding)),
        integer("Frame_Store_MB:", &E::frameStoreMB, 0, 8192),

        group(keyBox("Mirror_View_Key:", &E::mirrorViewKey)),
        keyBox("Loop_Mode_Key:", &E::loopModeKey),

        group(flag("Precise_Loop_Points:", &E::preciseLoopPoints)),
        flag("Find_Beats:", &E::findBeats),
        flag("Snap_To_Beat:", &E::snapToBeat),
        flag("Show_Beat_Count:", &E::showBeatCount),
        integer("Beat_Loop_Count:", &E::beatLoopCount, 4, 32),
        index("Count_In:", &E::countIn, &E::countInChoices),
        integer("Count_In_Volume:", &E::countInVolume, 0, 100),

        group(keyBox("Nudge_Start_Earlier_Key:", &E::nudgeStartEarlierKey)),
        keyBox("Nudge_Start_Later_Key:", &E::nudgeStartLaterKey),
        keyBox("Nudge_End_Earlier_Key:", &E::nudgeEndEarlierKey),
        keyBox("Nudge_End_Later_Key:", &E::nudgeEndLaterKey),
        keyBox("Beat_Loop_Key:", &E::beatLoopKey),
        keyBox("Move_One_Key:", &E::moveOneKey),

        group(keyBox("Zoom_In_Key:", &E::zoomInKey)),
        keyBox("Zoom_Out_Key:", &E::zoomOutKey),
        keyBox("Zoom_Reset_Key:", &E::zoomResetKey),
        keyBox("Beat_Level_Key:", &E::beatLevelKey),

        group(flag("Play_All_Filter_On:", &E::playAllFilterOn)),
        text("Play_All_Filter_Levels:", &E::playAllFilterLevels),
        integer("Play_All_Filter_Max_Rating:", &E::playAllFilterMaxRating, -1, 10),
        text("Play_All_Filter_Due:", &E::playAllFilterDue),
    };
    return table;
}

} // namespace settings
