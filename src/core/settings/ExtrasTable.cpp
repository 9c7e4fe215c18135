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

        group(keyBox("Mirror_View_Key:", &E::mirrorViewKey)),
        keyBox("Loop_Mode_Key:", &E::loopModeKey),

        group(flag("Play_All_Filter_On:", &E::playAllFilterOn)),
        text("Play_All_Filter_Levels:", &E::playAllFilterLevels),
        integer("Play_All_Filter_Max_Rating:", &E::playAllFilterMaxRating, -1, 10),
    };
    return table;
}

} // namespace settings
