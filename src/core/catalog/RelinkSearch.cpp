// The relink dialogue's search: a folder tree searched for the missing
// clip's file name on a worker thread, with a progress box that can stop it.
#include "core/base/Prompt.h"
#include "core/catalog/ClipSearchJob.h"
#include "core/catalog/Relinking.h"

#include <QDir>

namespace Relinking {

QString searchButtonCaption()
{
    return QStringLiteral("Search a Folder...");
}

QString searchFolderCaption(const QString& fileName)
{
    return QStringLiteral("Search for \"%1\" in the folder").arg(fileName);
}

QString notFoundMessage(const QString& fileName, const QString& root, int filesSearched)
{
    return QStringLiteral("No file called \"%1\" was found in \"%2\" or its subfolders (%3 files searched).")
        .arg(fileName, root)
        .arg(filesSearched);
}

QString foundQuestion(const QString& fileName, const QString& root, int matchCount, const ClipLocation& chosen,
                      bool bySize)
{
    QString text = QStringLiteral("Found the file: \"");
    if (matchCount > 1)
        text =
            QStringLiteral(
                "Found %1 files called \"%2\" in \"%3\" and its subfolders.\r\nThe one offered is %4:\r\nthe file: \"")
                .arg(matchCount)
                .arg(fileName, root,
                     bySize ? QStringLiteral("the same size as the \"%1\" you chose before").arg(fileName)
                            : QStringLiteral("the closest to where the clip was"));
    return text + chosen.fileName + QStringLiteral("\"\r\nin the folder: \"") + chosen.folder +
           QStringLiteral("\"\r\n\r\nIs this the correct filename and folder location for this bookmark?\r\n"
                          "(Every bookmark of this clip will be updated.)");
}

std::optional<ClipLocation> searchForClip(const ClipLocation& missing, const Dialogue& dialogue, const RelinkRun& run)
{
    Prompt& p = prompt();
    QString root = p.existingFolder(searchFolderCaption(missing.fileName), dialogue.dialogFolder);
    if (root.isEmpty())
        return std::nullopt;
    root = QDir::cleanPath(root);
    ClipSearchJob job(root, missing.fileName);
    p.showProgress(QStringLiteral("Searching"), job);
    const ClipSearch::Outcome& outcome = job.outcome();
    if (outcome.cancelled)
        return std::nullopt;
    const auto choice = ClipSearch::chooseMatch(outcome.matches, missing.folder, run.knownSize(missing.fileName));
    if (!choice) {
        p.message(notFoundMessage(missing.fileName, root, outcome.filesSearched), Prompt::Icon::Information);
        return std::nullopt;
    }
    const ClipLocation chosen = locationOf(choice->match.path);
    if (p.askYesNo(foundQuestion(missing.fileName, root, int(outcome.matches.size()), chosen, choice->bySize)) !=
        Prompt::Answer::Yes)
        return std::nullopt;
    return chosen;
}

} // namespace Relinking
