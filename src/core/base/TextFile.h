#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Whole-file helpers shared by the settings file and the catalog files.

// Splits text into lines. Lines end with CR LF, LF or CR. A break at the very
// end does not start another line, so "a\r\n" is one line and "" none.
QStringList splitLines(const QString& text);

// Replaces the file at `path` with `bytes`, atomically: the bytes go to a
// temporary file beside it, which then takes the file's place. On failure the
// previous file is left whole, false is returned and *reason (if given) says
// why.
bool saveFileAtomically(const QString& path, const QByteArray& bytes, QString* reason = nullptr);
