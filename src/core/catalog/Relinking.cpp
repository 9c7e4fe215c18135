#include "core/catalog/Relinking.h"

#include "core/base/FileProbe.h"
#include "core/base/Prompt.h"
#include "core/catalog/BookmarksGridColumns.h"
#include "core/catalog/CatalogDocument.h"

using namespace BookmarkColumn;

namespace Relinking {

ClipLocation locationOf(const QString& path)
{
    const int slash = int(path.lastIndexOf(u'/'));
    return {path.mid(slash + 1), path.left(slash + 1)};
}

bool clipExists(const ClipLocation& clip)
{
    return FileProbe::isFile(clip.path());
}

std::optional<ClipLocation> RelinkRun::automaticRelink(const ClipLocation& missing) const
{
    if (m_sameClip && missing == m_from)
        return m_to;
    if (m_sameFolder && missing.folder == m_from.folder) {
        const ClipLocation moved{missing.fileName, m_to.folder};
        if (clipExists(moved))
            return moved;
    }
    return std::nullopt;
}

RelinkRun::FollowUp RelinkRun::relink(const ClipLocation& from, const ClipLocation& to)
{
    m_from = from;
    m_to = to;
    const FileProbe::Facts file = FileProbe::facts(to.path());
    if (file.kind == FileProbe::Kind::File)
        m_sizes.insert(to.fileName.toLower(), file.size);
    if (from.fileName != to.fileName)
        return FollowUp::SameClip;
    if (from.folder != to.folder)
        return FollowUp::SameFolder;
    return FollowUp::None;
}

RelinkRun::FollowUp RelinkRun::relinkFound(const ClipLocation& from, const ClipLocation& to)
{
    relink(from, to);
    m_sameClip = true;
    return from.folder != to.folder ? FollowUp::SameFolder : FollowUp::None;
}

std::optional<qint64> RelinkRun::knownSize(const QString& fileName) const
{
    const auto it = m_sizes.constFind(fileName.toLower());
    if (it == m_sizes.cend())
        return std::nullopt;
    return *it;
}

void RelinkRun::accept(FollowUp followUp)
{
    if (followUp == FollowUp::SameClip)
        m_sameClip = true;
    else if (followUp == FollowUp::SameFolder)
        m_sameFolder = true;
}

QString openingQuestion()
{
    return QStringLiteral(
        "Some of your bookmarks refer to a file(s) that appear to be missing.\r\n\r\nThis may be because at some "
        "point the file(s) was either renamed or moved to another location (folder).\r\n\r\nDo you want to try to "
        "find this file(s)?\r\nAfter you find it, Tempoloop can automatically update your video catalog with the new "
        "filename and location.");
}

QString missingBookmarkMessage(const QString& number, const QString& name, const ClipLocation& clip)
{
    return QStringLiteral("Bookmark #") + number + QStringLiteral(", with name, \"") + name +
           QStringLiteral("\" appears to be missing.\r\nIt was in a file called \"") + clip.fileName +
           QStringLiteral("\" in the location \"") + clip.folder +
           QStringLiteral("\"\r\n\r\nIt may have been moved to another folder, or its filename might have been "
                          "changed.\r\n\r\nPlease identify this file.  Click 'OK' to proceed.");
}

QString confirmationQuestion(const ClipLocation& chosen)
{
    return QStringLiteral("You picked the file: \"") + chosen.fileName + QStringLiteral("\"\r\nin the folder: \"") +
           chosen.folder +
           QStringLiteral("\"\r\n\r\nIs this the correct filename and folder location for this bookmark?");
}

QString sameClipQuestion(const ClipLocation& from, const ClipLocation& to)
{
    return QStringLiteral("Tempoloop has updated your bookmark successfully.\r\n\r\nWould you like Tempoloop to "
                          "update the file from:\r\n") +
           from.fileName + QStringLiteral(", located in: ") + from.folder + QStringLiteral("\r\nto:\r\n") +
           to.fileName + QStringLiteral(", located in: ") + to.folder +
           QStringLiteral("\r\n\r\neverywhere else it is referenced in your video catalog?");
}

QString sameFolderQuestion(const ClipLocation& from, const ClipLocation& to)
{
    return QStringLiteral("Tempoloop has updated your bookmark successfully.\r\n\r\nOther files referenced in this "
                          "video catalog might also have been moved from the folder:\r\n") +
           from.folder + QStringLiteral("\r\nto:\r\n") + to.folder +
           QStringLiteral("\r\n\r\nWould you like Tempoloop to update the folder location of all missing bookmarks "
                          "in this video catalog that appear to reference files in the new folder \"") +
           to.folder + QStringLiteral("\"?");
}

QString notRelinkedMessage()
{
    return QStringLiteral("OK, but this bookmark will not play as is.\r\nYou will have to manually update this "
                          "bookmark yourself.");
}

namespace {

ClipLocation rowClip(const CatalogDocument& d, int row)
{
    return {d.Cells(Filename, row), d.Cells(Folder, row)};
}

void writeRowClip(CatalogDocument& d, int row, const ClipLocation& clip)
{
    d.setCells(Filename, row, clip.fileName);
    d.setCells(Folder, row, clip.folder);
    d.setCatalogModified(true);
}

struct Answered {
    ClipLocation clip;
    bool found = false; // by searching
};

// Asks the user for the clip's new place, picked by hand or found by a
// search; nullopt when any step is refused.
std::optional<Answered> askForClip(const CatalogDocument& d, int row, const Dialogue& dialogue, const RelinkRun& run)
{
    Prompt& p = prompt();
    const ClipLocation missing = rowClip(d, row);
    const QString text = missingBookmarkMessage(d.Cells(Number, row), d.Cells(Name, row), missing);
    Prompt::Answer answer;
    while ((answer = p.askOkCancelOr(text, searchButtonCaption(), Prompt::Icon::Warning)) == Prompt::Answer::Other)
        if (const auto found = searchForClip(missing, dialogue, run))
            return Answered{*found, true};
    if (answer != Prompt::Answer::Ok)
        return std::nullopt;
    const QString path = p.openFileName(QStringLiteral("Open"), dialogue.dialogFolder, dialogue.filter);
    if (path.isEmpty())
        return std::nullopt;
    const ClipLocation chosen = locationOf(path);
    if (p.askYesNo(confirmationQuestion(chosen)) != Prompt::Answer::Yes)
        return std::nullopt;
    return Answered{chosen};
}

} // namespace

QHash<QString, bool> clipsThere(const QList<ClipLocation>& clips)
{
    // Each folder is asked about once, each on a worker of its own, and the
    // files of those that are there all at once: a catalog names few
    // folders, and a folder that does not answer (a share gone away) costs
    // one wait, its clips reading as missing, while the others answer.
    QStringList folders;
    QHash<QString, qsizetype> folderAt;
    for (const ClipLocation& clip : clips)
        if (!folderAt.contains(clip.folder)) {
            folderAt.insert(clip.folder, folders.size());
            folders.append(clip.folder);
        }
    const QList<FileProbe::Facts> folderFacts = FileProbe::facts(folders, FileProbe::Workers::EachOwn);
    QHash<QString, bool> there;
    QStringList files;
    for (const ClipLocation& clip : clips) {
        const QString path = clip.path();
        if (there.contains(path))
            continue;
        there.insert(path, false);
        if (folderFacts.at(folderAt.value(clip.folder)).kind == FileProbe::Kind::Folder)
            files.append(path);
    }
    const QList<FileProbe::Facts> fileFacts = FileProbe::facts(files);
    for (qsizetype i = 0; i < files.size(); ++i)
        there.insert(files.at(i), fileFacts.at(i).kind == FileProbe::Kind::File);
    return there;
}

void ValidateBookmarks(CatalogDocument& d, const Dialogue& dialogue)
{
    RelinkRun run;
    bool askedToFind = false;
    const int lastRow = d.RowCount() - 1;
    QList<ClipLocation> clips;
    for (int row = 1; row <= lastRow; ++row)
        clips.append(rowClip(d, row));
    const QHash<QString, bool> there = clipsThere(clips);
    for (int row = 1; row <= lastRow; ++row) {
        const ClipLocation clip = rowClip(d, row);
        // A blank row (an empty catalog's placeholder) refers to no clip.
        if ((clip.fileName.isEmpty() && clip.folder.isEmpty()) || there.value(clip.path()))
            continue;
        if (const auto moved = run.automaticRelink(clip)) {
            writeRowClip(d, row, *moved);
            continue;
        }
        if (dialogue.placeCursor)
            dialogue.placeCursor(Filename, row);
        if (!askedToFind) {
            if (prompt().askYesNo(openingQuestion(), Prompt::Icon::Warning) != Prompt::Answer::Yes)
                return;
            askedToFind = true;
        }
        const auto answered = askForClip(d, row, dialogue, run);
        if (!answered) {
            prompt().message(notRelinkedMessage(), Prompt::Icon::Information);
            continue;
        }
        const ClipLocation& chosen = answered->clip;
        const RelinkRun::FollowUp followUp = answered->found ? run.relinkFound(clip, chosen) : run.relink(clip, chosen);
        writeRowClip(d, row, chosen);
        if (row == lastRow || followUp == RelinkRun::FollowUp::None)
            continue;
        const QString question = followUp == RelinkRun::FollowUp::SameClip ? sameClipQuestion(clip, chosen)
                                                                           : sameFolderQuestion(clip, chosen);
        if (prompt().askYesNo(question) == Prompt::Answer::Yes)
            run.accept(followUp);
    }
}

} // namespace Relinking
