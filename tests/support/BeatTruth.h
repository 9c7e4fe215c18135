#pragma once

// Beats found against the beats known to be there: the ground truth that
// scripts/make-beat-clip.sh writes beside its clips (one time a line, in
// seconds), shared by the beat finder's test and its benchmark.
#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>
#include <algorithm>
#include <cmath>

namespace BeatTruth {

// The beat times of a truth file; none when it cannot be read.
inline QList<double> read(const QString& path)
{
    QList<double> truth;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return truth;
    for (const QByteArray& line : file.readAll().split('\n'))
        if (!line.trimmed().isEmpty())
            truth.append(line.toDouble());
    return truth;
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
