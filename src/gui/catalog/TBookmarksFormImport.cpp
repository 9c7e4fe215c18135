// Repairing and growing the catalog from the file system: the missing-clip
// check after a catalog is opened, and importing clip files as bookmarks
// through the multi-select dialog or by dropping them onto this window.
#include "gui/catalog/TBookmarksForm.h"

#include "core/base/Prompt.h"
#include "core/catalog/CatalogDocument.h"
#include "core/catalog/CatalogView.h"
#include "core/catalog/ClipImport.h"
#include "core/catalog/Relinking.h"
#include "core/playback/ClipLoader.h"
#include "gui/catalog/TBookmarksGrid.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

using namespace BookmarkColumn;

void TBookmarksForm::ValidateBookmarks()
{
    const QString folder = m_host ? m_host->defaultVideoDirectory() : QString();
    Relinking::ValidateBookmarks(*m_document, {[this](int column, int row) { BookmarksGrid->placeCursor(column, row); },
                                               folder, ClipLoader::clipFilter()});
}

bool TBookmarksForm::ImportMultipleClips(const QStringList* dropped)
{
    CatalogDocument& d = *m_document;
    QStringList paths;
    if (dropped) {
        paths = *dropped;
    } else {
        const QString folder = m_host ? m_host->defaultVideoDirectory() : QString();
        paths = prompt().openFileNames({}, folder, ClipLoader::clipFilter());
        if (paths.isEmpty())
            return false;
        if (d.CatalogMode() == 0)
            NewButtonClick();
        BookmarksGrid->show();
    }
    const QStringList names = ClipImport::appendBookmarks(d, paths);
    if (names.isEmpty())
        return true;
    if (m_host)
        for (const QString& name : names)
            m_host->addLoopListItem(name);
    BookmarksGrid->placeCursor(Category, d.RowCount() - 1);
    BookmarksGrid->setFocus(Qt::OtherFocusReason);
    return true;
}

void TBookmarksForm::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TBookmarksForm::dropEvent(QDropEvent* event)
{
    // Drops arrive only while a catalog is shown; play-all ignores them.
    if (m_document->CatalogMode() == 0 || m_document->PlayingAll())
        return;
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile())
            paths << url.toLocalFile();
    if (paths.isEmpty())
        return;
    event->acceptProposedAction();
    ImportMultipleClips(&paths);
}
