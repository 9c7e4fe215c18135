#include "core/playback/CountIn.h"

#include "core/beats/BeatGrid.h"

namespace countin {

std::optional<CountInPlan> planCountIn(CountInSound sound, const beats::BeatGrid& grid, double loopStart, double rate)
{
    if (sound == CountInSound::Off || !(rate > 0))
        return std::nullopt;
    const int index = grid.nearestIndex(loopStart);
    if (index < 0)
        return std::nullopt;
    const double beat = grid.periodAt(index) / rate;
    if (!(beat > 0) || beat > LongestBeatSeconds)
        return std::nullopt;
    return CountInPlan{beat};
}

} // namespace countin
