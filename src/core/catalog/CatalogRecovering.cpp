// The catalog as a document, brought back: the unsaved changes a run left
// behind, and a file another program changed while the catalog was open.
#include "core/catalog/CatalogLifecycle.h"
#include "core/catalog/CatalogLifecycleParts.h"

#include "core/base/Prompt.h"
#include "core/catalog/CatalogDocument.h"
#include "core/catalog/CatalogFileWatch.h"
#include "core/catalog/CatalogGridController.h"
#include "core/catalog/CatalogGridView.h"
#include "core/catalog/CatalogLock.h"
#include "core/catalog/CatalogView.h"
#include "core/catalog/CatalogWindowView.h"
#include "core/catalog/PlayAllSession.h"
#include "core/catalog/RecoveryWriter.h"

#include <QFileInfo>
#include <QLocale>

using namespace BookmarkColumn;

namespace {

QString catalogNamed(const QString& path)
{
    if (path.isEmpty())
        return QStringLiteral("a new video catalog that was never saved");
    const QFileInfo file(path);
    return QStringLiteral("the video catalog \"%1\" (in folder %2/)").arg(file.fileName(), file.absolutePath());
}

QString recoveryQuestion(const RecoverySnapshot& s)
{
    const QDateTime when = s.lastChange;
    return QStringLiteral("Tempoloop did not end properly, and %1 had changes that were not saved. "
                          "They were last changed on %2 at %3.\n\n"
                          "Bring the changes back?\n\n"
                          "Yes: the catalog opens with them, marked modified; nothing is saved until you save it.\n"
                          "No: the changes are thrown away.\n"
                          "Cancel: you are asked again next time.")
        .arg(catalogNamed(s.catalogPath), when.toString(QStringLiteral("yyyy-MM-dd")),
             when.toString(QStringLiteral("HH:mm:ss")));
}

} // namespace

Prompt::Answer CatalogLifecycle::askToRecover(const RecoveryStore::LeftOver& leftOver)
{
    return prompt().askYesNoCancel(recoveryQuestion(leftOver.snapshot), Prompt::Icon::Warning,
                                   QStringLiteral("Recover Video Catalog"));
}

CatalogLifecycle::Recovered CatalogLifecycle::offerRecoveryOf(const QString& path)
{
    const QList<RecoveryStore::LeftOver> found = m_keeping.recoveries.leftOversOf(path);
    if (found.isEmpty())
        return Recovered::No;
    const Prompt::Answer answer = askToRecover(found.first());
    if (answer == Prompt::Answer::Cancel)
        return Recovered::No;
    if (answer == Prompt::Answer::Yes)
        restore(found.first().snapshot);
    // Older ones of the same catalog are older still: they go with it.
    for (const RecoveryStore::LeftOver& old : found)
        RecoveryStore::removeLeftOver(old);
    return answer == Prompt::Answer::Yes ? Recovered::Yes : Recovered::No;
}

void CatalogLifecycle::offerLeftRecoveries()
{
    if (m_document.CatalogMode() != CatalogDocument::Mode::Closed)
        return;
    for (const RecoveryStore::LeftOver& leftOver : m_keeping.recoveries.leftOvers()) {
        const QString path = leftOver.snapshot.catalogPath;
        switch (askToRecover(leftOver)) {
        case Prompt::Answer::Yes:
            if (!path.isEmpty() && !mayOpenHere(path))
                return;
            restore(leftOver.snapshot);
            RecoveryStore::removeLeftOver(leftOver);
            m_lastOpenPath = path;
            ValidateBookmarks();
            m_grid.focusGrid();
            return;
        case Prompt::Answer::No:
            RecoveryStore::removeLeftOver(leftOver);
            break;
        default:
            return;
        }
    }
}

void CatalogLifecycle::restore(const RecoverySnapshot& snapshot)
{
    CatalogDocument& d = m_document;
    m_playing.TurnOffPlayAllBookmarks();
    d.setPlayingBookmark(-1);
    ResetBookmarksGrid();
    d.model()->load(snapshot.catalog);
    d.setBlankFirstRow(false);
    d.setSelectedRow(1);
    d.setListSeparator(snapshot.listSeparator);
    d.setFileState(snapshot.file);
    d.StoreCopyCategoryColumns();
    d.RefreshHideRepeats();
    if (m_main)
        m_main->ShowBookmarkingInfo();
    const bool tied = !snapshot.catalogPath.isEmpty();
    d.setCatalogMode(tied ? CatalogDocument::Mode::OnFile : CatalogDocument::Mode::New);
    d.setCatalogFileName(snapshot.catalogPath);
    if (tied)
        m_keeping.watch.watch(snapshot.catalogPath, snapshot.file.stamp);
    // Brought back, not saved: the changes are the user's to save.
    d.setCatalogModified(true);
    m_window.showWindow();
    m_window.showGrid(true);
    m_window.showSpacing(d.SpacingStyle());
    m_grid.placeCursor(Name, 1);
    m_window.showDescription(d.Cells(Description, 1));
    m_window.bringToFront();
    m_gridRules.switchSortingOff(QStringLiteral("sorting is OFF"));
    m_gridRules.rebuildLoopList();
    // Kept again at once, under this run's name, before the old one goes.
    m_keeping.recovery.writeNow();
}

void CatalogLifecycle::userCameBack()
{
    CatalogDocument& d = m_document;
    if (d.CatalogMode() != CatalogDocument::Mode::OnFile || !m_keeping.watch.hasUntoldChange())
        return;
    m_keeping.watch.markTold();
    const QString path = d.CatalogFileName();
    const QFileInfo file(path);
    const QString named = QStringLiteral("\"%1\" (in folder %2/)").arg(file.fileName(), file.absolutePath());
    if (!file.exists()) {
        prompt().message(QStringLiteral("The video catalog file %1 was removed or renamed by another program.\n\n"
                                        "Saving the catalog writes it again.")
                             .arg(named),
                         Prompt::Icon::Warning, QStringLiteral("Video Catalog Changed on Disk"));
        return;
    }
    QString question =
        QStringLiteral("The video catalog file %1 was changed by another program after it was opened here.\n\n"
                       "Reload it?")
            .arg(named);
    if (d.CatalogModified())
        question += QStringLiteral(" The changes made here since the last save would be lost.");
    question += QStringLiteral("\n\nKeep: this window's catalog stays as it is, and saving asks before it writes "
                               "over the other program's changes.");
    const int answer = prompt().askChoice(question, {QStringLiteral("Reload"), QStringLiteral("Keep")},
                                          Prompt::Icon::Warning, QStringLiteral("Video Catalog Changed on Disk"));
    if (answer == 0)
        reload();
}
