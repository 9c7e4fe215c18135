#include "core/catalog/PlayAllFilter.h"

#include "core/catalog/BookmarksGridColumns.h"
#include "core/catalog/CatalogModel.h"

#include <QStringList>
#include <algorithm>

QString PlayAllFilter::knownLevels(const QString& text)
{
    QString levels;
    for (QChar key : QStringLiteral("abcd") + QChar(NoLevel))
        if (text.contains(key, Qt::CaseInsensitive))
            levels += key;
    return levels;
}

QString PlayAllFilter::dueText(Due due)
{
    return due == Due::Today ? QStringLiteral("today") : QStringLiteral("any");
}

PlayAllFilter::Due PlayAllFilter::dueFromText(const QString& text)
{
    return text.trimmed().compare(QStringLiteral("today"), Qt::CaseInsensitive) == 0 ? Due::Today : Due::Any;
}

bool PlayAllFilter::passes(const QString& learn, const QString& rating, bool dueToday) const
{
    if (!on)
        return true;
    if (due == Due::Today && !dueToday)
        return false;
    if (!levels.isEmpty()) {
        const QString level = learn.trimmed();
        const QChar key = level.isEmpty() ? QChar(NoLevel) : level.at(0).toLower();
        if (level.size() > 1 || !levels.contains(key))
            return false;
    }
    if (maxRating >= 0) {
        bool isNumber = false;
        const int value = rating.trimmed().toInt(&isNumber);
        if (!isNumber || value > maxRating)
            return false;
    }
    return true;
}

bool PlayAllFilter::passesRow(const CatalogModel& model, int row, const DueRows& dueRows) const
{
    // The log is asked only when the answer counts.
    const bool dueToday = !on || due == Due::Any || !dueRows || dueRows(row);
    return passes(model.Cells(BookmarkColumn::Learn, row), model.Cells(BookmarkColumn::Rating, row), dueToday);
}

int PlayAllFilter::passingCount(const CatalogModel& model, const DueRows& dueRows) const
{
    int count = 0;
    for (int row = 1; row < model.RowCount(); ++row)
        count += passesRow(model, row, dueRows) ? 1 : 0;
    return count;
}

PlayAllFilter::Count PlayAllFilter::count(const CatalogModel& model, bool catalogOpen, const DueRows& dueRows) const
{
    const int total = catalogOpen ? model.bookmarkCount() : 0;
    return {total ? passingCount(model, dueRows) : 0, total};
}

QString PlayAllFilter::describe() const
{
    QStringList parts;
    if (!levels.isEmpty()) {
        QStringList names;
        for (QChar c : levels)
            names << (c == QChar(NoLevel) ? QStringLiteral("no level") : QString(c));
        parts << QStringLiteral("levels ") + names.join(QStringLiteral(", "));
    }
    if (maxRating >= 0)
        parts << QStringLiteral("rating at most %1").arg(maxRating);
    if (due == Due::Today)
        parts << QStringLiteral("due today");
    return parts.isEmpty() ? QStringLiteral("every bookmark") : parts.join(QStringLiteral("; "));
}

namespace PlayAllWalk {

namespace {

int nextPassing(int from, int last, int by, const Passes& passes)
{
    for (int row = from; row >= 1 && row <= last; row += by)
        if (passes(row))
            return row;
    return -1;
}

} // namespace

Step step(int row, int last, PlayAllView::Step direction, bool playingAll, const Passes& passes)
{
    if (nextPassing(1, last, 1, passes) == -1)
        return {-1, Stop::NoneMatch};
    row = std::clamp(row, 1, last);
    if (direction == PlayAllView::Step::Previous) {
        if (const int before = nextPassing(row - 1, last, -1, passes); before != -1)
            return {before};
        if (!playingAll)
            return {-1, Stop::AtFirst};
        // Play all replays the first of its rows.
        return {nextPassing(row, last, 1, passes)};
    }
    if (direction == PlayAllView::Step::Next) {
        const int after = nextPassing(row + 1, last, 1, passes);
        return after == -1 ? Step{-1, Stop::AtLast} : Step{after};
    }
    const int here = nextPassing(row, last, 1, passes);
    return {here != -1 ? here : nextPassing(row - 1, last, -1, passes)};
}

int firstFrom(int row, int last, const Passes& passes)
{
    return nextPassing(std::max(row, 1), last, 1, passes);
}

} // namespace PlayAllWalk
