#include "core/beats/BeatGrid.h"

#include <algorithm>
#include <cmath>

namespace beats {

int beatLoopCountOrDefault(int count)
{
    const auto* end = std::end(BeatLoopCounts);
    return std::find(std::begin(BeatLoopCounts), end, count) != end ? count : DefaultBeatLoopCount;
}

BeatGrid::BeatGrid(QList<double> beats, int one) : m_beats(std::move(beats))
{
    m_beats.removeIf([](double t) { return !std::isfinite(t); });
    std::sort(m_beats.begin(), m_beats.end());
    const int cycle = int(std::min<qsizetype>(m_beats.size(), CountCycle));
    m_one = cycle > 0 ? (one % cycle + cycle) % cycle : 0;
}

BeatGrid BeatGrid::withOneMoved(int steps) const
{
    return BeatGrid(m_beats, m_one + steps);
}

BeatLevel nextLevel(BeatLevel level)
{
    switch (level) {
    case BeatLevel::AsFound:
        return BeatLevel::Twice;
    case BeatLevel::Twice:
        return BeatLevel::Half;
    case BeatLevel::Half:
        break;
    }
    return BeatLevel::AsFound;
}

BeatGrid BeatGrid::atLevel(const QList<double>& found, BeatLevel level, int one)
{
    QList<double> beats;
    int counted = 0; // where the "1" is among the beats counted
    switch (level) {
    case BeatLevel::AsFound:
        return BeatGrid(found, one);
    case BeatLevel::Twice:
        for (qsizetype i = 0; i < found.size(); ++i) {
            if (i == one)
                counted = int(beats.size());
            beats.append(found[i]);
            if (i + 1 == found.size())
                break;
            // A gap is a beat's own length when its neighbours say so; a
            // longer one is a stretch where the music had no steady beat.
            const double gap = found[i + 1] - found[i];
            const double before = i > 0 ? found[i] - found[i - 1] : gap;
            const double after = i + 2 < found.size() ? found[i + 2] - found[i + 1] : gap;
            if (gap <= 1.5 * std::min(before, after))
                beats.append(found[i] + gap / 2);
        }
        break;
    case BeatLevel::Half:
        for (qsizetype i = std::abs(one) % 2; i < found.size(); i += 2) {
            if (i == one)
                counted = int(beats.size());
            beats.append(found[i]);
        }
        break;
    }
    return BeatGrid(beats, counted);
}

double BeatGrid::periodAt(int index) const
{
    if (m_beats.size() < 2 || index < 0 || index >= m_beats.size())
        return 0;
    if (index + 1 < m_beats.size())
        return m_beats[index + 1] - m_beats[index];
    return m_beats[index] - m_beats[index - 1];
}

int BeatGrid::nearestIndex(double seconds) const
{
    if (m_beats.isEmpty() || std::isnan(seconds))
        return -1;
    const auto after = std::lower_bound(m_beats.begin(), m_beats.end(), seconds);
    if (after == m_beats.begin())
        return 0;
    if (after == m_beats.end())
        return int(m_beats.size()) - 1;
    const auto before = after - 1;
    // Halfway between two beats goes to the later one.
    return int((seconds - *before < *after - seconds ? before : after) - m_beats.begin());
}

std::optional<double> BeatGrid::nearest(double seconds) const
{
    const int index = nearestIndex(seconds);
    if (index < 0)
        return std::nullopt;
    return m_beats[index];
}

std::optional<double> BeatGrid::stepFrom(double seconds, int steps, double tolerance) const
{
    if (m_beats.isEmpty() || steps == 0 || std::isnan(seconds))
        return std::nullopt;
    qsizetype first = 0;
    if (steps > 0) {
        // The first beat later than the point by more than the tolerance.
        first = std::upper_bound(m_beats.begin(), m_beats.end(), seconds + tolerance) - m_beats.begin();
        first += steps - 1;
    } else {
        // The last beat earlier than the point by more than the tolerance.
        first = std::lower_bound(m_beats.begin(), m_beats.end(), seconds - tolerance) - m_beats.begin() - 1;
        first += steps + 1;
    }
    if (first < 0 || first >= m_beats.size())
        return std::nullopt;
    return m_beats[first];
}

std::optional<BeatLoop> BeatGrid::countLoop(double seconds, int count, double duration) const
{
    const int first = nearestIndex(seconds);
    if (first < 0 || count < 1)
        return std::nullopt;
    const int last = first + count;
    if (last < m_beats.size())
        return BeatLoop{m_beats[first], m_beats[last]};
    if (last == m_beats.size() && m_beats.size() >= 2) {
        const double end = m_beats.back() + periodAt(int(m_beats.size()) - 1);
        if (end <= duration)
            return BeatLoop{m_beats[first], end};
    }
    return std::nullopt;
}

int BeatGrid::countAt(double seconds, double oneAt, int count) const
{
    if (m_beats.isEmpty() || count < 1 || std::isnan(seconds))
        return 0;
    // The number changes on the beat; a point a hair before it (a frame time
    // rounded down) already shows the new one.
    constexpr double early = 0.002;
    const qsizetype after = std::upper_bound(m_beats.begin(), m_beats.end(), seconds + early) - m_beats.begin();
    if (after == 0)
        return 0;
    const int current = int(after) - 1;
    const double period = periodAt(current);
    if (current == m_beats.size() - 1 && (period == 0 || seconds > m_beats.back() + period))
        return 0;
    const int one = nearestIndex(oneAt);
    return ((current - one) % count + count) % count + 1;
}

} // namespace beats
