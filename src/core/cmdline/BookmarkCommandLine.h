#pragma once

#include <QString>
#include <QStringList>

// The Bookmark Command Line: one line of exactly four arguments (start time,
// end time, clip file name, clip folder) that carries a bookmark as text.
//
//   00:01:05   00:01:29   "videoclip 1.mpg"   "/home/me/Video Clips/"
//
// A time may carry milliseconds ("00:01:05.250"); a whole second is always
// written without them, so a line of whole seconds reads as it always has.
//
// The clip is the folder followed directly by the file name, so the folder
// must end with "/". This file holds the checks, the canonical form and the
// messages; the entry window shows the messages and plays the result.

// What went wrong with a line, in the order the checks run.
enum class CommandLineError {
    None,
    Empty,                  // the box holds no text at all
    WrongArgumentCount,     // not exactly four arguments
    BadStartTime,           // not "hh:mm:ss" or "hh:mm:ss.mmm" (the no-time mark is no start)
    BadEndTime,             // neither "hh:mm:ss", "hh:mm:ss.mmm" nor "--:--:--"
    FolderWithoutSeparator, // the folder does not end with "/"
    FolderMissing,          // the folder does not exist
    FileMissing,            // folder + file name is no existing file
};

struct CommandLineCheck {
    CommandLineError error = CommandLineError::None;
    // The line as it stands after the checks: the input, the input without
    // its line breaks, or its canonical form once a one-digit hour was
    // widened (also when a later check fails).
    QString text;
    QStringList arguments;  // the four arguments when error is None
    bool rewritten = false; // text differs from the input

    bool ok() const { return error == CommandLineError::None; }
    QString clipPath() const;    // folder followed by file name
    QString startDigits() const; // "hhmmss" (or "hhmmssmmm") of the start time
    QString endDigits() const;   // the same, or empty for "--:--:--"
};

// Start time, three spaces, end time, three spaces, then file name and folder
// each in double quotes with three spaces between them. Expects four
// arguments; missing ones count as empty.
QString canonicalCommandLine(const QStringList& arguments);

// True for exactly seven characters digit ":" digit digit ":" digit digit,
// the one short form that is widened by putting "0" in front.
bool isOneDigitHourTime(const QString& argument);

// The line as it is meant: line breaks and the blanks around the line are not
// part of it (a line copied from a chat or an e-mail brings its line break
// along), and a line break inside it, where a mail program wrapped it,
// stands for a blank.
QString cleanCommandLineText(const QString& text);

// Runs every check on a line, widening a one-digit start or end hour first.
// A line that held line breaks is checked, and given back in `text`,
// without them (cleanCommandLineText).
// Looks at the file system for the folder and the clip; touches nothing.
CommandLineCheck checkBookmarkCommandLine(const QString& text);

// The text the user is shown for an error (lines joined with "\n"); empty
// for CommandLineError::None.
QString commandLineErrorMessage(CommandLineError error);
