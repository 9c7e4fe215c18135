#include "core/catalog/OverwriteChecks.h"

#include "core/base/FileStamp.h"
#include "core/base/Prompt.h"
#include "core/catalog/CatalogDocument.h"

#include <QFileInfo>

namespace OverwriteChecks {

namespace {

const QString kSaveAs = QStringLiteral("Save As...");

QString named(const QString& path)
{
    const QFileInfo info(path);
    return QStringLiteral("\"%1\" (in folder %2/)").arg(info.fileName(), info.absolutePath());
}

Verdict askChangedOnDisk(const QString& path, Offer offer)
{
    QStringList choices{QStringLiteral("Overwrite"), QStringLiteral("Reload")};
    if (offer == Offer::WithSaveAs)
        choices << kSaveAs;
    choices << QStringLiteral("Cancel");
    const int answer = prompt().askChoice(changedOnDiskQuestion(path), choices, Prompt::Icon::Warning,
                                          QStringLiteral("Video Catalog Changed on Disk"));
    switch (answer) {
    case 0:
        return Verdict::Write;
    case 1:
        return Verdict::Reload;
    case 2:
        return offer == Offer::WithSaveAs ? Verdict::SaveAs : Verdict::Stop;
    default:
        return Verdict::Stop;
    }
}

Verdict askNotReadWhole(const QString& path, const QString& unread, Offer offer)
{
    QStringList choices{QStringLiteral("Yes")};
    if (offer == Offer::WithSaveAs)
        choices << kSaveAs;
    choices << QStringLiteral("No");
    const int answer = prompt().askChoice(notReadWholeQuestion(path, unread), choices, Prompt::Icon::Warning,
                                          QStringLiteral("Save Video Catalog"));
    if (answer == 0)
        return Verdict::Write;
    if (answer == 1 && offer == Offer::WithSaveAs)
        return Verdict::SaveAs;
    return Verdict::Stop;
}

} // namespace

QString changedOnDiskQuestion(const QString& path)
{
    return QStringLiteral("The video catalog file %1 was changed by another program after it was opened here.\n\n"
                          "Overwrite: save this window's catalog over it; the other program's changes are lost.\n"
                          "Reload: read the file again; the changes made here since the last save are lost.")
               .arg(named(path)) +
           QStringLiteral("\nSave As...: save this window's catalog under another name, and keep both.");
}

QString notReadWholeQuestion(const QString& path, const QString& unread)
{
    const QString what = unread.isEmpty() ? QStringLiteral("It holds no catalog that could be read.") : unread;
    return QStringLiteral("The video catalog file %1 could not be read whole when it was opened:\n\n%2\n\n"
                          "Saving over it keeps only what was read, and the rest of the file is lost. "
                          "No leaves the file as it is.\n\nSave over it all the same?")
        .arg(named(path), what);
}

Verdict beforeWriting(const CatalogDocument& document, const QString& path, Offer offer)
{
    const CatalogFileState& kept = document.fileState();
    const FileStamp now = FileStamp::of(path);
    // A file removed since holds nothing to lose. One changed since is
    // another file than the one read: whether it was read whole no longer
    // counts once the user chose to write over it.
    if (now.exists && now != kept.stamp)
        return askChangedOnDisk(path, offer);
    if (now.exists && kept.read == FileRead::Partly)
        return askNotReadWhole(path, kept.unread, offer);
    return Verdict::Write;
}

} // namespace OverwriteChecks
