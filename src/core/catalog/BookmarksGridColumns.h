#pragma once

#include <QString>

// Column numbers of the catalog grid. A bookmark is one row of the grid;
// the header texts stand in the grid's horizontal header, so bookmark 1 is
// table row 0.
namespace BookmarkColumn {
enum : int {
    Handle = 0, // drag handle for moving rows
    Number = 1, // "#"
    Category = 2,
    Name = 3,
    Learn = 4,  // mastery level: empty, a, b, c or d
    Rating = 5, // empty or 0 to 10
    Play = 6,
    StartTime = 7,
    EndTime = 8,
    Filename = 9,
    Folder = 10,
    Description = 11,
    CategoryCopy = 12, // the category while repeats are hidden
    RowEnd = 13,       // right end of a whole-row selection
    Spare = 14,
    Count = 15,
};
}

// What a reset of the grid takes from the options window and the settings:
// the four column titles, which optional columns are shown, and the widths
// the user gave the resizable columns.
struct BookmarksGridColumns {
    QString categoryName = QStringLiteral("Category");
    QString nameName = QStringLiteral("Name");
    QString learnName = QStringLiteral("Learn");
    QString ratingName = QStringLiteral("Rating");
    bool showCategory = false;
    bool showLearn = true;
    bool showRating = true;
    bool showFolder = true;
    int categoryWidth = 64;
    int nameWidth = 91;
    int filenameWidth = 186;
};
