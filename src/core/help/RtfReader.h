#pragma once

#include "core/help/RtfDocument.h"

#include <QByteArray>

// Reads the part of the rich text format that the help documents use, as
// word processors write it:
//  - groups { } with their formatting pushed and popped;
//  - \par (also \sect, \page) ends a paragraph, \line breaks a line, \tab;
//  - \b \b0, \i \i0, \fs<half-points>, \plain; \ql \qc \qr \qj, \pard;
//  - \cf<n> with the colours of \colortbl (entry 0, or an empty entry, is
//    the default colour);
//  - \'hh in the Windows-1252 code page, \uN with \ucN fallback characters,
//    \\ \{ \}, \~, \_, \bullet, \emdash, \endash and the typographic quotes;
//  - bulleted lists as word processors write them: a paragraph that holds a
//    {\pntext ...} or {\listtext ...} group (the bullet and its tab) is a
//    list item, and the group's own text is dropped. So
//        {\pntext\'b7\tab}Open a clip\par
//    is one list item "Open a clip".
// The font table, style sheet, pictures, headers, footers and every
// {\* ...} destination are skipped; other unknown control words are ignored
// and their group's text is kept. Bytes outside any recognised syntax are
// taken as text. Never fails: broken or truncated input gives whatever text
// could be read, in time linear in its length.
RtfDocument readRtf(const QByteArray& rtf);
