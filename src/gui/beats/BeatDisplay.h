#pragma once

#include "core/beats/BeatView.h"

class TActiveMovie;

// Shows the beats where the player shows its clip: ticks on the player's
// seek bar, the count over the picture (when the picture is mpv's).
class BeatDisplay : public BeatView {
public:
    explicit BeatDisplay(TActiveMovie& player) : m_player(player) {}

    void showBeatTicks(const QList<double>& beats, int one) override;
    void showBeatCount(int count) override;
    // The count last shown (0: none), whatever draws the picture.
    int count() const { return m_count; }

private:
    TActiveMovie& m_player;
    int m_count = 0;
};
