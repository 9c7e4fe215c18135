#pragma once

#include "core/playback/PlayAllView.h"

#include <QString>
#include <functional>

class CatalogModel;

// Playing all bookmarks, or stepping through them, limited to the moves the
// dancer is working on: those whose mastery level is one of a chosen set
// and/or whose rating is at most a bound, and/or whose spacing in the
// practice log has run out (PracticeSpacing.h).
struct PlayAllFilter {
    // The level that stands for an empty "Learn" cell in `levels`.
    static constexpr char16_t NoLevel = u'-';
    // Whether the practice log limits what plays.
    enum class Due {
        Any,   // practised or not
        Today, // only the bookmarks due today
    };
    // Whether bookmark row `row` is due today; an empty function takes
    // every row as due (nothing practised yet).
    using DueRows = std::function<bool(int row)>;

    bool on = false;
    QString levels;     // letters among "abcd" and NoLevel; empty: any level
    int maxRating = -1; // 0 to 10; -1: any rating
    Due due = Due::Any;

    // The due choice as extras.txt keeps it: "any" or "today"; any other
    // text is "any".
    static QString dueText(Due due);
    static Due dueFromText(const QString& text);

    // The levels of `text` this filter knows, each once, in the order
    // "abcd" then NoLevel; letter case ignored.
    static QString knownLevels(const QString& text);

    // Whether the filter limits anything.
    bool active() const { return on && (!levels.isEmpty() || maxRating >= 0 || due == Due::Today); }
    // Whether a bookmark with these "Learn" and "Rating" texts, due today
    // or not, plays. An empty rating is no number, so it fails a rating
    // bound.
    bool passes(const QString& learn, const QString& rating, bool dueToday = true) const;
    // Whether bookmark row `row` of the catalog plays; `dueRows` tells
    // which rows are due today.
    bool passesRow(const CatalogModel& model, int row, const DueRows& dueRows = {}) const;
    // How many bookmark rows play.
    int passingCount(const CatalogModel& model, const DueRows& dueRows = {}) const;
    // What the filter's bar counts: the bookmarks that play of all of them
    // (none while no catalog is open).
    struct Count {
        int passing = 0;
        int total = 0;
        bool operator==(const Count&) const = default;
    };
    Count count(const CatalogModel& model, bool catalogOpen, const DueRows& dueRows = {}) const;
    // The filter in words: "levels b, c; rating at most 5; due today".
    QString describe() const;

    bool operator==(const PlayAllFilter&) const = default;
};

// Stepping through the rows that pass (all rows when the filter is off), as
// play all and the previous/current/next keys do.
namespace PlayAllWalk {

enum class Stop {
    None,      // play `row`
    AtFirst,   // nothing before: "Already at first bookmark."
    AtLast,    // nothing after: "Already at last bookmark." or play all ends
    NoneMatch, // no row passes at all
};
struct Step {
    int row = -1;
    Stop stop = Stop::None;
    bool operator==(const Step&) const = default;
};

using Passes = std::function<bool(int row)>;

// From row `row` of rows 1 to `last`, to the previous, current or next row.
// Previous with nothing before replays the current row while all bookmarks
// play; current plays the row itself when it passes, else the nearest
// passing row after it, else before it.
Step step(int row, int last, PlayAllView::Step direction, bool playingAll, const Passes& passes);
// The row play all starts at: the first passing row from `row` down; -1
// for none.
int firstFrom(int row, int last, const Passes& passes);

} // namespace PlayAllWalk
