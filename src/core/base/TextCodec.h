#pragma once

#include <QByteArray>
#include <QString>

// Text files of the program (settings, catalogs, command lines) are read
// through decodeText() and written through encodeText().
//
// Files written by this program are UTF-8. Older files, or files made by
// hand on a Western Windows system, are in the Windows-1252 code page; a
// file that is not valid UTF-8 is taken as such.

// Valid UTF-8 is decoded as UTF-8, and so is anything that starts with the
// UTF-8 byte order mark (the mark is dropped; a broken sequence after it
// becomes U+FFFD). Anything else is decoded as Windows-1252, byte by byte. The five bytes that
// code page leaves unassigned (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the C1
// control characters of the same value, as Windows does. Never fails.
QString decodeText(const QByteArray& bytes);

// UTF-8, without a byte order mark.
QByteArray encodeText(const QString& text);

// Windows-1252 alone, for callers that know their bytes are in that code
// page.
QString decodeWindows1252(const QByteArray& bytes);
