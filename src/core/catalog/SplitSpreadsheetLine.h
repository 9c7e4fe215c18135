#pragma once

#include <QChar>
#include <QString>
#include <QStringList>
#include <QStringView>

// One physical line of a spreadsheet catalog file, split into its fields.
struct SpreadsheetLine {
    QStringList fields;
    // The line ended inside a quoted field: the following lines continue
    // the last field (a description of several lines).
    bool endsInsideQuotes = false;
};

// Splits one physical line at `separator`, scanning left to right.
//
// Outside quotes:
//  - a double quote that is the line's last character gives an empty field
//    that continues on the next line;
//  - a double quote opens a quoted field (the quote is part of its raw text);
//  - the separator ends an unquoted field; the line's last character ends the
//    last one and belongs to it, even when it is the separator.
// Inside quotes:
//  - two adjacent double quotes are skipped as a pair;
//  - a double quote followed by anything else closes the field; the character
//    after it (the separator) is skipped;
//  - a closing quote as the line's last character ends the last field;
//  - the end of the line reached in any other way ends the field inside its
//    quotes: a double quote is added to its raw text unless it already ends
//    with the second quote of a pair.
// Then every field longer than one character that begins and ends with a
// double quote loses them: fields 7 and 8 (file name and folder) lose three
// at each end when they have them, any other field one. Last, in fields 1,
// 2 and 9, and in fields 3 to 6 when they were quoted, each pair of double
// quotes becomes one.
SpreadsheetLine SplitSpreadsheetLine(QStringView line, QChar separator = u',');

// A continuation line of a field that spans lines: whether it ends the field
// (the run of double quotes at its end has odd length), and its text with
// each pair of double quotes made one and, when it ends the field, the
// closing quote removed.
struct SpreadsheetContinuation {
    QString text;
    bool endsField = false;
};
SpreadsheetContinuation ReadSpreadsheetContinuation(QStringView line);

// Writes a field as the splitting above reads it back: a double quote, the
// text with every double quote doubled, a double quote.
void appendQuotedField(QString& out, QStringView text);
