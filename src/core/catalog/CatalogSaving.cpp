// The catalog as a document, its saving: save, save as, and what stands
// before writing over a file.
#include "core/catalog/CatalogLifecycle.h"
#include "core/catalog/CatalogLifecycleParts.h"

#include "core/base/Prompt.h"
#include "core/catalog/BookmarkChecks.h"
#include "core/catalog/CatalogDocument.h"
#include "core/catalog/CatalogFileNames.h"
#include "core/catalog/CatalogFileWatch.h"
#include "core/catalog/CatalogGridController.h"
#include "core/catalog/CatalogGridView.h"
#include "core/catalog/CatalogLock.h"
#include "core/catalog/OverwriteChecks.h"
#include "core/catalog/PendingEdits.h"
#include "core/catalog/PlayAllSession.h"
#include "core/catalog/RecoveryWriter.h"

#include <QFileInfo>

using namespace CatalogLifecycleParts;
using OverwriteChecks::Verdict;

bool CatalogLifecycle::DoSave(Caller caller)
{
    CatalogDocument& d = m_document;
    if (!m_edits.takeIn())
        return false;
    if (d.CatalogMode() == CatalogDocument::Mode::New)
        return DoSaveAs(caller);
    const QString path = d.CatalogFileName();
    switch (OverwriteChecks::beforeWriting(d, path, OverwriteChecks::Offer::WithSaveAs)) {
    case Verdict::Write:
        return finishSave(write(path), caller);
    case Verdict::SaveAs:
        return DoSaveAs(caller);
    case Verdict::Reload:
        reload();
        break;
    case Verdict::Stop:
        break;
    }
    return finishSave(false, caller);
}

bool CatalogLifecycle::write(const QString& path)
{
    // The file formats cannot hold every clip path; the user hears which
    // bookmark stands in the way by the number the grid shows.
    if (const QString refused = BookmarkChecks::unstorableClipMessage(m_document); !refused.isEmpty()) {
        prompt().message(refused, Prompt::Icon::Warning);
        return false;
    }
    if (!m_document.WriteCatalogFile(path))
        return false;
    // The file as this program wrote it is the one to compare with from now.
    m_keeping.watch.keep(m_document.fileState().stamp);
    return true;
}

bool CatalogLifecycle::finishSave(bool saved, Caller caller)
{
    if (saved)
        m_document.setCatalogModified(false);
    if (caller == Caller::CatalogWindow)
        m_grid.focusGrid();
    return saved;
}

bool CatalogLifecycle::DoSaveAs(Caller caller)
{
    CatalogDocument& d = m_document;
    if (!m_edits.takeIn())
        return false;
    const QString chosen =
        prompt().saveFileName(QStringLiteral("Save Video Catalog As..."), m_saveFolder, catalogFilter());
    QString path = catalogSaveFileName(chosen);
    bool saved = false;
    // The practice log beside a catalog is no catalog to save over.
    if (const QString catalog = CatalogCompanions::catalogOf(path); !catalog.isEmpty()) {
        prompt().message(companionMessage(path, catalog), Prompt::Icon::Warning);
        path.clear();
    }
    // The dialog asked about replacing the name as chosen; the name saved to
    // is another file, which may exist too.
    if (path != chosen && QFileInfo::exists(path) &&
        prompt().askYesNo(
            QStringLiteral("%1 already exists.\nDo you want to replace it?").arg(QFileInfo(path).fileName()),
            Prompt::Icon::Warning, QStringLiteral("Save Video Catalog As...")) != Prompt::Answer::Yes)
        path.clear();
    // Saved as its own file, the catalog is saved over it.
    if (!path.isEmpty() && d.CatalogMode() == CatalogDocument::Mode::OnFile && path == d.CatalogFileName()) {
        switch (OverwriteChecks::beforeWriting(d, path, OverwriteChecks::Offer::WithoutSaveAs)) {
        case Verdict::Write:
            break;
        case Verdict::Reload:
            reload();
            return finishSave(false, caller);
        case Verdict::SaveAs:
        case Verdict::Stop:
            return finishSave(false, caller);
        }
    }
    if (!path.isEmpty())
        saved = write(path);
    if (saved) {
        const QString before = d.CatalogFileName();
        const bool otherFile = path != before;
        d.setCatalogMode(CatalogDocument::Mode::OnFile);
        d.setCatalogFileName(path);
        if (otherFile) {
            m_keeping.lock.take(path);
            m_keeping.watch.watch(path, d.fileState().stamp);
            for (CatalogCompanion* companion : m_companions)
                companion->catalogSavedAs(before, path);
        }
    }
    return finishSave(saved, caller);
}

void CatalogLifecycle::reload()
{
    CatalogDocument& d = m_document;
    const QString path = d.CatalogFileName();
    const std::optional<CatalogFile> file = loadCatalogFileOrSay(path);
    if (!file)
        return;
    m_playing.TurnOffPlayAllBookmarks();
    d.setPlayingBookmark(-1);
    readCatalogFile(*file);
    d.StoreCopyCategoryColumns();
    d.RefreshHideRepeats();
    tieToFile(path);
    m_gridRules.switchSortingOff(QStringLiteral("sorting is OFF"));
    m_gridRules.rebuildLoopList();
    m_grid.focusGrid();
}

UnsavedChanges::Outcome CatalogLifecycle::settleBeforeEnding()
{
    if (!m_edits.takeIn())
        return UnsavedChanges::Outcome::Stay;
    const auto outcome = UnsavedChanges::settle(m_document.CatalogModified(), [this] { return DoSave(); });
    // Saved, unchanged or given up: nothing is left to bring back.
    if (UnsavedChanges::mayLeave(outcome))
        m_keeping.recovery.discard();
    return outcome;
}
