#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// One bookmark as the catalog files store it: the text of the grid's stored
// columns (category, name, learn, rating, start and end time, file name,
// folder, description). The "#" number, colours and images are the grid's
// own and are not part of it. Unset fields are empty.
struct Bookmark {
    QString category;
    QString name;
    QString learn;       // "", "a", "b", "c" or "d" (a lone space reads as unset)
    QString rating;      // "" or "0" to "10"
    QString startTime;   // "hh:mm:ss"
    QString endTime;     // "hh:mm:ss" or "--:--:--"
    QString fileName;    // without folder
    QString folder;      // ends with the folder separator
    QString description; // lines joined by CR LF

    bool operator==(const Bookmark&) const = default;
};

// A whole catalog as a plain value: the four renamable column titles and the
// bookmarks in row order. The file readers and writers work on this value;
// the catalog model loads it into its rows and gives it back for saving.
struct CatalogData {
    QString categoryHeader = QStringLiteral("Category");
    QString nameHeader = QStringLiteral("Name");
    QString learnHeader = QStringLiteral("Learn");
    QString ratingHeader = QStringLiteral("Rating");
    QList<Bookmark> bookmarks;

    bool operator==(const CatalogData&) const = default;
};

// Whether the file was read. A file that is missing reads as an empty,
// reset grid; one that could not be read at all (not a file, too large, a
// read error) is refused: nothing was read, `message` says why, and the
// catalog open before stays as it was, under its own name.
enum class CatalogFileAccess { Read, Missing, Refused };

// What a reader hands back. The readers never stop half way silently:
// `message` is the text to show the user (empty when none), `bookmarks`
// holds every row read up to the problem.
struct CatalogReadResult {
    CatalogData catalog;
    // True when the reader reached its normal end. Only then are the rows
    // final: the placeholder row is gone (a file with a header and no
    // bookmarks gives one empty bookmark), the cursor goes to row 1 and the
    // spacing style is applied again. False after a message, or when the
    // file was missing or held a single line (an empty, reset grid).
    bool complete = false;
    QString message;
    // Lines of the file (numbered from 1) that could not be read whole: a
    // bookmark's location, marks or line of fields that did not split as
    // they should, or a time that is no time. Their bookmarks keep what
    // could be read, and `message` names the lines.
    QList<int> unreadLines;
    CatalogFileAccess access = CatalogFileAccess::Read;
    // Lines (numbered from 1) of a file that is UTF-8 elsewhere, which were
    // not UTF-8 and were read as Windows-1252; `message` names them, once,
    // so that the user can check their letters. Saving writes them as UTF-8.
    // (A file in that code page throughout is an older catalog, read as
    // such without a word.)
    QList<int> windows1252Lines;
    // The first few of those lines as they read now, for the message.
    QStringList windows1252Texts;
};
