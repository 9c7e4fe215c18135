#pragma once

#include "core/settings/Settings.h"

#include <QString>
#include <climits>
#include <variant>
#include <vector>

// The tables of settings: for each line of a settings file, in the file's
// order, its key, the kind of value it holds (which says how the line is read
// and written) and the member of the settings struct that holds it. The
// member's initializer is the setting's default. The file reader and writer
// walk a table, and so does the binding of settings to the windows' controls
// (ConfigBindings), which checks that every row has a home.
//
// A table is tied to its struct by a specialisation of tableOf<>(): the
// config.txt table to Settings (here), the extras.txt table to Extras
// (core/settings/ExtrasTable.h).
namespace settings {

enum class Kind {
    Flag,         // "1" on, anything else off
    OnUnlessZero, // "0" off, anything else on
    Index,        // position in a drop-down list
    Integer,      // decimal whole number within [min, max]
    Key,          // one character
    Text,         // any text, written quoted
};

template <class S> using MemberOf = std::variant<bool S::*, int S::*, QString S::*>;
using Choices = const QStringList& (*)();

template <class S> struct RowOf {
    const char* key = nullptr; // with its colon
    Kind kind = Kind::Flag;
    MemberOf<S> member{};
    Choices choices = nullptr; // Index: the drop-down list
    int min = INT_MIN;         // Integer: the range read from the file
    int max = INT_MAX;
    bool gapBefore = false; // the writer puts an empty line before this row

    QString keyText() const { return QString::fromLatin1(key); }
};

// The rows of struct S, in the order they are written.
template <class S> const std::vector<RowOf<S>>& tableOf();

// The row of a member; nullptr for a member no row holds.
template <class S> const RowOf<S>* rowOf(const MemberOf<S>& member)
{
    for (const RowOf<S>& row : tableOf<S>())
        if (row.member == member)
            return &row;
    return nullptr;
}

// Row makers for the tables.
template <class S> RowOf<S> flag(const char* key, bool S::*m)
{
    return {key, Kind::Flag, m};
}
template <class S> RowOf<S> index(const char* key, int S::*m, Choices c)
{
    return {key, Kind::Index, m, c};
}
template <class S> RowOf<S> integer(const char* key, int S::*m, int min = INT_MIN, int max = INT_MAX)
{
    return {key, Kind::Integer, m, nullptr, min, max};
}
template <class S> RowOf<S> keyBox(const char* key, QString S::*m)
{
    return {key, Kind::Key, m};
}
template <class S> RowOf<S> text(const char* key, QString S::*m)
{
    return {key, Kind::Text, m};
}
// The first row of a group: an empty line stands before it.
template <class S> RowOf<S> group(RowOf<S> row)
{
    row.gapBefore = true;
    return row;
}

// config.txt
using Member = MemberOf<Settings>;
using Row = RowOf<Settings>;
template <> const std::vector<Row>& tableOf<Settings>();

// All rows of config.txt, in the order they are written.
inline const std::vector<Row>& rows()
{
    return tableOf<Settings>();
}

inline const Row* rowOf(const Member& member)
{
    return rowOf<Settings>(member);
}

} // namespace settings
