#pragma once

#include <QString>
#include <QStringList>

// Sorting the program's start-up arguments (those after the program name)
// into what start-up does with them. No file is touched here.

enum class ArgumentKind {
    None,                // no argument: a plain start
    Catalog,             // one ".tvc" or ".csv" argument, any letter case
    Clip,                // one argument with a clip extension, any letter case
    Unrecognized,        // one argument of neither kind: report and exit
    BookmarkCommandLine, // exactly four arguments
    WrongCount,          // any other count: report and start plainly
};

inline constexpr const char* kUnrecognizedFileTypeMessage = "Unrecognized file type. Exiting ....";

// The text from the last "." to the end, the dot included, provided no "/" or
// ":" follows that dot; otherwise (and without any dot) the empty text.
// "clip.MPG" -> ".MPG", "/a.b/clip" -> "".
QString argumentExtension(const QString& argument);

// True when the extension, upper-cased, is one of the clip extensions.
bool isClipArgument(const QString& argument);

// True for a ".tvc" or ".csv" extension, in any letter case (CatalogFormat.h).
bool isCatalogArgument(const QString& argument);
// True for a catalog argument in the spreadsheet format (".csv").
bool isSpreadsheetCatalogArgument(const QString& argument);

ArgumentKind classifyArguments(const QStringList& arguments);

// The message for a wrong argument count, its lines joined with "\n".
QString wrongArgumentCountMessage(qsizetype count);

// The bookmark command line made of four arguments: start and end time bare,
// file name and folder in double quotes, one blank between each:
//   a1 a2 "a3" "a4"
// Expects four arguments; missing ones count as empty text.
QString composeCommandLineText(const QStringList& arguments);

// A clip or catalog named on the command line relative to the folder the
// program was started in, as a shell passes it, made a full path.
QString absoluteArgument(const QString& argument, const QString& startFolder);

// What start-up does with its arguments.
struct StartupAction {
    enum class Open {
        Nothing,
        Catalog,     // `text`: its full path; checked for missing clips
        Clip,        // `text`: its full path; opened and played
        CommandLine, // `text`: the Bookmark Command Line, played
    };
    Open open = Open::Nothing;
    QString text;
    // Told to the user first.
    QString message;
    // The catalog window is hidden and the keys are commands ("player
    // controls active"); a catalog argument leaves both to the catalog.
    bool playerControlsActive = true;
    // An argument of no known kind ends the program (after its message).
    enum class Then { Run, Exit };
    Then then = Then::Run;
};
StartupAction startupAction(const QStringList& arguments, const QString& startFolder);
