#include "core/cmdline/BookmarkCommandLine.h"

#include "core/base/FileProbe.h"
#include "core/base/SplitArguments.h"
#include "core/base/TimeCode.h"

namespace {

const QString kSeparator = QStringLiteral("   ");

QString argumentAt(const QStringList& arguments, qsizetype i)
{
    return i < arguments.size() ? arguments.at(i) : QString();
}

// Puts "0" in front of argument `index` and returns the canonical line.
QString widened(QStringList arguments, qsizetype index)
{
    arguments[index].prepend(QLatin1Char('0'));
    return canonicalCommandLine(arguments);
}

} // namespace

QString CommandLineCheck::clipPath() const
{
    return argumentAt(arguments, 3) + argumentAt(arguments, 2);
}

QString CommandLineCheck::startDigits() const
{
    return removeColonsFromString(argumentAt(arguments, 0));
}

QString CommandLineCheck::endDigits() const
{
    return removeColonsFromString(argumentAt(arguments, 1));
}

QString canonicalCommandLine(const QStringList& arguments)
{
    const QChar quote = QLatin1Char('"');
    return argumentAt(arguments, 0) + kSeparator + argumentAt(arguments, 1) + kSeparator + quote +
           argumentAt(arguments, 2) + quote + kSeparator + quote + argumentAt(arguments, 3) + quote;
}

bool isOneDigitHourTime(const QString& argument)
{
    if (argument.size() != 7)
        return false;
    for (qsizetype i = 0; i < 7; ++i) {
        const QChar c = argument.at(i);
        const bool wanted =
            (i == 1 || i == 4) ? c == QLatin1Char(':') : (c >= QLatin1Char('0') && c <= QLatin1Char('9'));
        if (!wanted)
            return false;
    }
    return true;
}

QString cleanCommandLineText(const QString& text)
{
    QString line = text.trimmed();
    if (!line.contains(u'\r') && !line.contains(u'\n'))
        return line;
    line.replace(QLatin1String("\r\n"), QLatin1String(" "));
    line.replace(u'\r', u' ');
    line.replace(u'\n', u' ');
    return line;
}

CommandLineCheck checkBookmarkCommandLine(const QString& text)
{
    CommandLineCheck check;
    check.text = text;
    auto fail = [&check](CommandLineError error) {
        check.error = error;
        return check;
    };

    if (text.isEmpty())
        return fail(CommandLineError::Empty);
    // Blanks around the line separate nothing; line breaks are taken out of
    // the box's text too, so that it shows what was checked.
    const QString line = cleanCommandLineText(text);
    if (text.contains(u'\r') || text.contains(u'\n')) {
        check.text = line;
        check.rewritten = true;
    }
    QStringList arguments = SplitArguments(line);
    if (arguments.size() != 4)
        return fail(CommandLineError::WrongArgumentCount);

    // A one-digit hour is widened by rewriting the line and reading it again.
    // An argument that itself holds a double quote can split differently the
    // second time, so the count is checked again after each rewrite.
    for (qsizetype index : {0, 1}) {
        if (!isOneDigitHourTime(arguments.at(index)))
            continue;
        check.text = widened(arguments, index);
        check.rewritten = true;
        arguments = SplitArguments(check.text);
        if (arguments.size() != 4)
            return fail(CommandLineError::WrongArgumentCount);
    }

    const QString noTime = QString::fromLatin1(kNoTimeMark);
    const QString& start = arguments.at(0);
    const QString& end = arguments.at(1);
    const QString& fileName = arguments.at(2);
    const QString& folder = arguments.at(3);

    if (start == noTime || !validatePreciseTimeCode(start))
        return fail(CommandLineError::BadStartTime);
    if (end != noTime && !validatePreciseTimeCode(end))
        return fail(CommandLineError::BadEndTime);
    if (!folder.endsWith(QLatin1Char('/')))
        return fail(CommandLineError::FolderWithoutSeparator);
    // A folder that does not answer in time reads as missing.
    if (!FileProbe::isFolder(folder))
        return fail(CommandLineError::FolderMissing);
    if (!FileProbe::isFile(folder + fileName))
        return fail(CommandLineError::FileMissing);

    check.arguments = arguments;
    return check;
}

QString commandLineErrorMessage(CommandLineError error)
{
    switch (error) {
    case CommandLineError::None:
        return {};
    case CommandLineError::Empty:
        return QStringLiteral("The \"Command Line Entry Box\" must contain some text.");
    case CommandLineError::WrongArgumentCount:
        return QStringLiteral(
            "The Command Line Entry Box must contain a \"Bookmark Command Line\", which contains exactly four\n"
            "arguments (set of characters separated by spaces):\n\n"
            "    The first argument must be a timecode (\"Start Time\") in the format \"hh:mm:ss\"\n\n"
            "    The second argument must be a timecode (\"End Time\") in the format \"hh:mm:ss\" or read exactly "
            "\"--:--:--\".\n\n"
            "    The third argument must be the \"Filename\" of the video file.\n\n"
            "    The fourth argument must be the full address of the \"Folder\" where the video file exists with a "
            "\"/\" as the last character.\n\n"
            "If either the \"Filename\" or \"Folder\" contains any spaces, they must be surrounded by quotes(\").\n\n"
            "An example of a valid line would be like:\n"
            "00:01:05   00:01:29   \"videoclip 1.mpg\"   \"/home/user/Video Clips/\"");
    case CommandLineError::BadStartTime:
        return QStringLiteral("The first argument, \"Start Time\", is not in a valid format.\n"
                              "It must be in the format \"hh:mm:ss\".\nPlease fix, and try again.");
    case CommandLineError::BadEndTime:
        return QStringLiteral("The second argument, \"End Time\", is not in a valid format.\n"
                              "It must be in the format \"hh:mm:ss\" or be exactly \"--:--:--\".\n"
                              "Please fix, and try again.");
    case CommandLineError::FolderWithoutSeparator:
        return QStringLiteral(
            "The \"Folder\" (the fourth argument) must end with a \"/\".\nPlease fix, and try again.");
    case CommandLineError::FolderMissing:
        return QStringLiteral("The \"Folder\" (the fourth argument) does not exist.\nPlease fix, and try again.");
    case CommandLineError::FileMissing:
        return QStringLiteral("The \"Filename\" (the third argument) does not exist.\nPlease fix, and try again.");
    }
    return {};
}
