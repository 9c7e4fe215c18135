#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// Text files of the program (settings, catalogs, command lines) are read
// through decodeText() and written through encodeText().
//
// Files written by this program are UTF-8. Older files, or files made by
// hand on a Western Windows system, are in the Windows-1252 code page. A
// file can hold both: a UTF-8 catalog that another program added a line to
// in the old code page. So text is decoded line by line: a line that is
// valid UTF-8 is read as UTF-8, any other line as Windows-1252. Nothing is
// decoded twice, so a save writes back the letters the file showed.

struct DecodedText {
    QString text;
    // The lines, numbered from 1 as splitLines() counts them, that were not
    // valid UTF-8 and were read as Windows-1252. Empty for a UTF-8 file.
    QList<int> windows1252Lines;
    // Some line holds UTF-8 beyond ASCII, or the file starts with the UTF-8
    // byte order mark: the file is (partly) UTF-8. Lines read as
    // Windows-1252 in such a file are the ones to doubt; in a file without
    // any, they are simply an older file's.
    bool utf8Text = false;
};

// A UTF-8 byte order mark at the start is dropped. Line breaks (CR LF, LF
// or CR) are kept as they are. In a line read as Windows-1252 the five bytes
// that code page leaves unassigned (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the
// C1 control characters of the same value, as Windows does. Never fails.
DecodedText decodeTextLines(const QByteArray& bytes);
// The text alone.
QString decodeText(const QByteArray& bytes);

// UTF-8, without a byte order mark.
QByteArray encodeText(const QString& text);

// Windows-1252 alone, for callers that know their bytes are in that code
// page.
QString decodeWindows1252(const QByteArray& bytes);
