#pragma once

// Beats found against the beats known to be there: the ground truth that
// scripts/make-beat-clip.sh and scripts/make-song.sh write beside their
// clips (one beat a line: its time in seconds, and for songs its place in
// the bar, "1" on a bar's first beat), shared by the beat finder's tests
// and its benchmark.
#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>
#include <algorithm>
#include <cmath>

namespace BeatTruth {

// The beat times of a truth file (with `place` 1, only the bars' first
// beats); none when it cannot be read.
inline QList<double> read(const QString& path, int place = 0)
{
    QList<double> truth;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return truth;
    for (const QByteArray& line : file.readAll().split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.first().isEmpty())
            continue;
        if (place == 0 || (fields.size() > 1 && fields.at(1).toInt() == place))
            truth.append(fields.first().toDouble());
    }
    return truth;
}

// The F-measure of beats found against the truth: each true beat matched
// to at most one found beat within `tolerance` seconds (70 ms is the
// usual), precision and recall combined. 0 when either is empty.
inline double fMeasure(const QList<double>& found, const QList<double>& truth, double tolerance = 0.070)
{
    if (found.isEmpty() || truth.isEmpty())
        return 0;
    int matched = 0;
    qsizetype f = 0;
    for (double t : truth) {
        while (f < found.size() && found[f] < t - tolerance)
            ++f;
        if (f < found.size() && std::abs(found[f] - t) <= tolerance) {
            ++matched;
            ++f;
        }
    }
    const double precision = double(matched) / double(found.size());
    const double recall = double(matched) / double(truth.size());
    return matched == 0 ? 0 : 2 * precision * recall / (precision + recall);
}

// The median gap between successive beats from `from` to `to` seconds,
// in seconds; 0 when there are fewer than two.
inline double medianGap(const QList<double>& beats, double from = 0, double to = 1e12)
{
    QList<double> gaps;
    for (qsizetype i = 1; i < beats.size(); ++i)
        if (beats[i - 1] >= from && beats[i] <= to)
            gaps.append(beats[i] - beats[i - 1]);
    if (gaps.isEmpty())
        return 0;
    std::sort(gaps.begin(), gaps.end());
    return gaps[gaps.size() / 2];
}

// How far `t` lies from the nearest of `beats`, in seconds.
inline double distanceToNearest(double t, const QList<double>& beats)
{
    double best = 1e9;
    for (double beat : beats)
        best = std::min(best, std::abs(t - beat));
    return best;
}

// Whether the tracker may still be settling at `t` on a clip whose tempo
// changes at `change`: in the first 4 s, and for 4 s from the change. On a
// clip of one tempo (`change` negative) it never is.
inline bool settling(double t, double change)
{
    return change >= 0 && (t < 4.0 || (t >= change - 0.25 && t < change + 4.0));
}

} // namespace BeatTruth
