#include "core/practice/PracticeSpacing.h"

#include <QLocale>
#include <QSet>
#include <algorithm>

namespace PracticeSpacing {

int levelStep(const QString& learn)
{
    const QString level = learn.trimmed().toLower();
    if (level.size() != 1)
        return 0;
    const qsizetype index = QStringLiteral("abcd").indexOf(level.at(0));
    return index < 0 ? 0 : int(index);
}

int intervalDays(int daysPractised, const QString& learn)
{
    const int last = int(IntervalDays.size()) - 1;
    const int step = std::clamp(std::max(daysPractised, 1) - 1 + levelStep(learn), 0, last);
    return IntervalDays[size_t(step)];
}

bool isDue(const PracticeHistory& history, const QString& learn, QDate today)
{
    if (history.daysPractised == 0 || !history.lastDay.isValid())
        return true;
    return today >= history.lastDay.addDays(intervalDays(history.daysPractised, learn));
}

PracticeHistory historyOf(const QList<PracticeEntry>& entries, const QString& category, const QString& name)
{
    PracticeHistory history;
    QSet<QDate> days;
    for (const PracticeEntry& entry : entries) {
        if (entry.category != category || entry.name != name || entry.passes <= 0)
            continue;
        ++history.sessions;
        history.passes += entry.passes;
        const QDate day = entry.began.date();
        days.insert(day);
        if (!history.lastDay.isValid() || day > history.lastDay)
            history.lastDay = day;
    }
    history.daysPractised = int(days.size());
    return history;
}

QString describe(const PracticeHistory& history)
{
    if (history.sessions == 0)
        return QStringLiteral("Not practised yet");
    return QStringLiteral("Last practised %1, %2 %3, %4 %5")
        .arg(QLocale::c().toString(history.lastDay, QStringLiteral("d MMM yyyy")))
        .arg(history.sessions)
        .arg(history.sessions == 1 ? QStringLiteral("session") : QStringLiteral("sessions"))
        .arg(history.passes)
        .arg(history.passes == 1 ? QStringLiteral("pass") : QStringLiteral("passes"));
}

} // namespace PracticeSpacing
