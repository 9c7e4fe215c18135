#pragma once

#include <QString>
#include <QStringList>

// Splits one line into its arguments. Spaces and tabs separate arguments; a
// double-quoted stretch is one argument and may hold spaces and tabs.
//
//  - A quote opens a quoted argument running to the next quote; neither quote
//    belongs to it and there is no escape. "" is an empty argument.
//  - Any other character opens an unquoted argument running to the next space
//    or tab or the end of the line.
//  - A quote met inside an unquoted argument drops the characters gathered so
//    far and opens a quoted argument.
//  - A quoted argument without its closing quote is dropped together with the
//    rest of the line.
//  - The character right after a closing quote is looked at at once: a space or
//    tab separates; any other character, a quote included, is the first
//    character of an unquoted argument ("a""b c gives a, "b and c).
//
// Settings lines, catalog location lines and bookmark command lines all go
// through here. Never fails; a blank line gives an empty list.
QStringList SplitArguments(const QString& line);
