#pragma once

#include "core/practice/PracticeLog.h"

#include <QDate>
#include <QList>
#include <QString>
#include <array>

// What the log says of one bookmark: how often and when it was practised.
struct PracticeHistory {
    int sessions = 0;
    int passes = 0;
    int daysPractised = 0; // distinct days a session of it began
    QDate lastDay;         // none: never practised

    bool operator==(const PracticeHistory&) const = default;
};

// When a move comes back: spaced practice. A move is due again once its
// interval has run out since the last day it was practised; the interval
// grows with each distinct day it was practised and with its mastery level.
//
//   step     = days practised - 1 + level (none or a: 0, b: 1, c: 2, d: 3),
//              at most the last interval's
//   interval = 1, 3, 7, 14, 30 days for step 0, 1, 2, 3, 4
//   due      = today >= last day practised + interval; never practised: due
namespace PracticeSpacing {

inline constexpr std::array<int, 5> IntervalDays{1, 3, 7, 14, 30};

// What the level adds to the step: "" and "a" 0, "b" 1, "c" 2, "d" 3; letter
// case and spaces ignored, anything else 0.
int levelStep(const QString& learn);
// The interval after `daysPractised` days (at least 1) at level `learn`.
int intervalDays(int daysPractised, const QString& learn);
bool isDue(const PracticeHistory& history, const QString& learn, QDate today);

// The history of the bookmark named `name` in `category`, from the entries
// of the log and of the session under way.
PracticeHistory historyOf(const QList<PracticeEntry>& entries, const QString& category, const QString& name);
// "Last practised 9 Dec 2026, 3 sessions, 41 passes", or "Not practised
// yet".
QString describe(const PracticeHistory& history);

} // namespace PracticeSpacing
