#include "core/base/Arguments.h"

#include "core/base/CatalogFormat.h"
#include "core/base/FolderClipList.h"

#include <QDir>

QString argumentExtension(const QString& argument)
{
    const qsizetype dot = argument.lastIndexOf(u'.');
    if (dot < 0)
        return {};
    const QString extension = argument.mid(dot);
    if (extension.contains(u'/') || extension.contains(u':'))
        return {};
    return extension;
}

bool isClipArgument(const QString& argument)
{
    const QString extension = argumentExtension(argument);
    return !extension.isEmpty() && FolderClipList::clipExtensions().contains(extension.toUpper());
}

bool isCatalogArgument(const QString& argument)
{
    return catalogFormatOf(argument) != CatalogFormat::None;
}

bool isSpreadsheetCatalogArgument(const QString& argument)
{
    return catalogFormatOf(argument) == CatalogFormat::Spreadsheet;
}

ArgumentKind classifyArguments(const QStringList& arguments)
{
    switch (arguments.size()) {
    case 0:
        return ArgumentKind::None;
    case 1:
        if (isCatalogArgument(arguments.first()))
            return ArgumentKind::Catalog;
        if (isClipArgument(arguments.first()))
            return ArgumentKind::Clip;
        return ArgumentKind::Unrecognized;
    case 4:
        return ArgumentKind::BookmarkCommandLine;
    default:
        return ArgumentKind::WrongCount;
    }
}

QString wrongArgumentCountMessage(qsizetype count)
{
    const QStringList lines{
        QStringLiteral("You have passed in ") + QString::number(count) + QStringLiteral(" arguments into Tempoloop."),
        QString(),
        QStringLiteral("There should be either:"),
        QStringLiteral("0 arguments (starting Tempoloop normally),"),
        QStringLiteral("1 argument (starting Tempoloop with either a video file or catalog file),"),
        QStringLiteral("or exactly 4 arguments (starting Tempoloop with playing a \"Bookmark Command Line.\")"),
        QString(),
        QStringLiteral("See the user manual for more details."),
        QString(),
        QStringLiteral("Tempoloop has just opened up normally now, ignoring all the input arguments."),
    };
    return lines.join(u'\n');
}

QString composeCommandLineText(const QStringList& arguments)
{
    const auto at = [&](qsizetype i) { return arguments.value(i); };
    return at(0) + u' ' + at(1) + QStringLiteral(" \"") + at(2) + QStringLiteral("\" \"") + at(3) + u'"';
}

StartupAction startupAction(const QStringList& arguments, const QString& startFolder)
{
    StartupAction action;
    switch (classifyArguments(arguments)) {
    case ArgumentKind::None:
        break;
    case ArgumentKind::Catalog:
        action.open = StartupAction::Open::Catalog;
        action.text = absoluteArgument(arguments.first(), startFolder);
        action.playerControlsActive = false;
        break;
    case ArgumentKind::Clip:
        action.open = StartupAction::Open::Clip;
        action.text = absoluteArgument(arguments.first(), startFolder);
        break;
    case ArgumentKind::Unrecognized:
        action.message = QString::fromLatin1(kUnrecognizedFileTypeMessage);
        action.playerControlsActive = false;
        action.then = StartupAction::Then::Exit;
        break;
    case ArgumentKind::BookmarkCommandLine:
        action.open = StartupAction::Open::CommandLine;
        action.text = composeCommandLineText(arguments);
        break;
    case ArgumentKind::WrongCount:
        action.message = wrongArgumentCountMessage(arguments.size());
        break;
    }
    return action;
}

QString absoluteArgument(const QString& argument, const QString& startFolder)
{
    if (argument.isEmpty())
        return argument;
    return QDir::cleanPath(QDir(startFolder).absoluteFilePath(argument));
}
