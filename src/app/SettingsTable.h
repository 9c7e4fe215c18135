#pragma once

#include "app/Settings.h"

#include <QString>
#include <climits>
#include <variant>
#include <vector>

// The one table of settings: for each line of config.txt, in the file's
// order, its key, the kind of value it holds (which says how the line is read
// and written) and the member of Settings that holds it. The member's
// initializer is the setting's default. The file reader and writer walk this
// table, and so does the binding of settings to the windows' controls
// (SettingsBinding), which checks that every row has a home.
namespace settings {

enum class Kind {
    Flag,         // "1" on, anything else off
    OnUnlessZero, // "0" off, anything else on
    Index,        // position in a drop-down list
    Integer,      // decimal whole number within [min, max]
    Key,          // one character
    Text,         // any text, written quoted
};

using Member = std::variant<bool Settings::*, int Settings::*, QString Settings::*>;
using Choices = const QStringList& (*)();

struct Row {
    const char* key = nullptr; // with its colon
    Kind kind = Kind::Flag;
    Member member{};
    Choices choices = nullptr; // Index: the drop-down list
    int min = INT_MIN;         // Integer: the range read from the file
    int max = INT_MAX;
    bool gapBefore = false; // the writer puts an empty line before this row

    QString keyText() const { return QString::fromLatin1(key); }
};

// All rows, in the order they are written.
const std::vector<Row>& rows();

// The row of a member; nullptr for a member no row holds.
const Row* rowOf(const Member& member);

} // namespace settings
