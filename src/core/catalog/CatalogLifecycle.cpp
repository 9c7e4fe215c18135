#include "core/catalog/CatalogLifecycle.h"
#include "core/catalog/CatalogLifecycleParts.h"

#include "core/base/Prompt.h"
#include "core/catalog/BookmarkChecks.h"
#include "core/catalog/CatalogDocument.h"
#include "core/catalog/CatalogFileNames.h"
#include "core/catalog/CatalogFileWatch.h"
#include "core/catalog/CatalogFiles.h"
#include "core/catalog/CatalogGridController.h"
#include "core/catalog/CatalogGridView.h"
#include "core/catalog/CatalogLock.h"
#include "core/catalog/CatalogView.h"
#include "core/catalog/CatalogWindowView.h"
#include "core/catalog/ClipImport.h"
#include "core/catalog/PendingEdits.h"
#include "core/catalog/PlayAllSession.h"
#include "core/catalog/Relinking.h"
#include "core/playback/ClipLoader.h"

#include <QFileInfo>

using namespace BookmarkColumn;
using namespace CatalogLifecycleParts;

CatalogLifecycle::CatalogLifecycle(CatalogDocument& document, CatalogGridController& gridRules, CatalogGridView& grid,
                                   CatalogWindowView& window, PendingEdits& edits, PlayAllSession& playing,
                                   Keeping keeping)
    : m_document(document), m_gridRules(gridRules), m_grid(grid), m_window(window), m_edits(edits), m_playing(playing),
      m_keeping(keeping)
{
    m_readingFinished = QObject::connect(&document, &CatalogDocument::readingFinished, [this] { finishReading(); });
}

CatalogLifecycle::~CatalogLifecycle()
{
    QObject::disconnect(m_readingFinished);
}

void CatalogLifecycle::ResetBookmarksGrid()
{
    BookmarksGridColumns columns = m_main ? m_main->gridColumns() : BookmarksGridColumns{};
    // The widths the user gave the columns last.
    m_grid.rememberedWidths(columns);
    ResetBookmarksGrid(columns);
}

void CatalogLifecycle::ResetBookmarksGrid(const BookmarksGridColumns& columns)
{
    m_document.ResetBookmarksGrid(columns);
    m_grid.applyColumns(columns);
    m_window.showRepeatsButton(columns.showCategory);
    m_window.showSpacing(m_document.SpacingStyle());
    m_grid.placeCursor(Category, 1);
    m_window.showDescription({});
}

void CatalogLifecycle::ResetInitialCatalogDirectory(const QString& folder)
{
    m_openFolder = folder;
    m_saveFolder = folder;
}

void CatalogLifecycle::NewButtonClick()
{
    CatalogDocument& d = m_document;
    ResetBookmarksGrid();
    if (m_main)
        m_main->ShowBookmarkingInfo();
    d.setCatalogMode(CatalogDocument::Mode::New);
    d.setCatalogFileName({});
    d.setCatalogModified(false);
    d.setPlayingBookmark(-1);
    m_window.showWindow();
    m_window.showGrid(false); // the caller fills the first row and shows it
    m_window.showSpacing(d.SpacingStyle());
    if (m_main)
        m_main->setLoopListItems({}, -1);
}

bool CatalogLifecycle::askToSaveChanges(Caller caller)
{
    const auto outcome =
        UnsavedChanges::settle(m_document.CatalogModified(), [this] { return DoSave(Caller::CatalogWindow); });
    if (UnsavedChanges::mayLeave(outcome))
        return true;
    if (caller == Caller::CatalogWindow)
        m_grid.focusGrid();
    return false;
}

bool CatalogLifecycle::OpenButtonClick(Caller caller)
{
    CatalogDocument& d = m_document;
    m_playing.TurnOffPlayAllBookmarks();
    if (!m_edits.takeIn() || !askToSaveChanges(Caller::CatalogWindow))
        return false;
    auto focusAfterFailure = [this, caller] {
        if (caller == Caller::CatalogWindow)
            m_grid.focusGrid();
    };
    const QString path = prompt().openFileName(QStringLiteral("Open Video Catalog"), m_openFolder, catalogFilter());
    if (path.isEmpty()) {
        focusAfterFailure();
        return false;
    }
    if (!QFileInfo::exists(path)) {
        prompt().message(QStringLiteral("The file you attempted to open, ") + path +
                             QStringLiteral(", does not exist.\nPlease try again."),
                         Prompt::Icon::Warning);
        focusAfterFailure();
        return false;
    }
    // A file that cannot be read at all leaves the open catalog as it was.
    const std::optional<CatalogFile> file = loadCatalogFileOrSay(path);
    if (!file || !mayOpenHere(path)) {
        focusAfterFailure();
        return false;
    }
    m_openFolder = folderOf(path);
    m_lastOpenPath = path;
    d.setPlayingBookmark(-1);
    if (offerRecoveryOf(path) == Recovered::No) {
        readCatalogFile(*file);
        d.StoreCopyCategoryColumns();
        d.RefreshHideRepeats();
        tieToFile(path);
    }
    ValidateBookmarks();
    m_window.bringToFront();
    m_gridRules.switchSortingOff(QStringLiteral("sorting is OFF"));
    m_gridRules.rebuildLoopList();
    m_grid.focusGrid();
    return true;
}

void CatalogLifecycle::openCatalogArgument(const QString& path)
{
    CatalogDocument& d = m_document;
    const std::optional<CatalogFile> file = loadCatalogFileOrSay(path);
    if (!file || !mayOpenHere(path))
        return;
    m_lastOpenPath = path;
    if (offerRecoveryOf(path) == Recovered::No) {
        readCatalogFile(*file);
        tieToFile(path);
    }
    ValidateBookmarks();
    m_grid.focusGrid();
    d.StoreCopyCategoryColumns();
    d.RefreshHideRepeats();
    m_gridRules.rebuildLoopList();
}

void CatalogLifecycle::tieToFile(const QString& path)
{
    CatalogDocument& d = m_document;
    if (m_main)
        m_main->ShowBookmarkingInfo();
    d.setCatalogMode(CatalogDocument::Mode::OnFile);
    d.setCatalogFileName(path);
    d.setCatalogModified(false);
    m_keeping.watch.watch(path, d.fileState().stamp);
    m_window.showWindow();
    m_window.showGrid(true);
}

bool CatalogLifecycle::mayOpenHere(const QString& path)
{
    if (m_keeping.lock.take(path) == CatalogLock::Taken::Here)
        return true;
    const QFileInfo file(path);
    const QString question =
        QStringLiteral("The video catalog \"%1\" (in folder %2/) is open in another Tempoloop window.\n\n"
                       "Whichever window saves it last writes over what the other saved.\n\n"
                       "Open it here all the same?")
            .arg(file.fileName(), file.absolutePath());
    if (prompt().askYesNo(question, Prompt::Icon::Warning, QStringLiteral("Video Catalog Already Open")) !=
        Prompt::Answer::Yes)
        return false;
    // Opened here without the lock, which stays the other program's.
    m_keeping.lock.release();
    return true;
}

// The file is loaded whole before anything changes: one that cannot be
// read says why, and nothing of the open catalog is touched.
std::optional<CatalogFile> CatalogLifecycle::loadCatalogFileOrSay(const QString& path)
{
    if (const QString catalog = CatalogCompanions::catalogOf(path); !catalog.isEmpty()) {
        prompt().message(companionMessage(path, catalog), Prompt::Icon::Warning);
        return std::nullopt;
    }
    CatalogFile file = loadCatalogFile(path);
    if (file.access == CatalogFileAccess::Refused) {
        prompt().message(file.refusal, Prompt::Icon::Warning);
        return std::nullopt;
    }
    return file;
}

void CatalogLifecycle::readCatalogFile(const CatalogFile& file)
{
    // The grid takes the options window's columns before a file is read
    // into it.
    ResetBookmarksGrid();
    m_document.ReadCatalogFile(file);
    // Whatever the reader managed, the pane shows the selected row's own
    // description, so that nothing of another row is taken in for it.
    m_window.showDescription(m_document.Cells(Description, m_document.SelectedRow()));
}

void CatalogLifecycle::finishReading()
{
    m_window.showSpacing(m_document.SpacingStyle());
    m_grid.placeCursor(Name, 1);
    m_window.showDescription(m_document.Cells(Description, 1));
}

void CatalogLifecycle::CloseButtonClick(Caller caller)
{
    CatalogDocument& d = m_document;
    m_playing.TurnOffPlayAllBookmarks();
    if (!m_edits.takeIn() || !askToSaveChanges(caller))
        return;
    if (m_main)
        m_main->HideBookmarkingInfo();
    d.setCatalogMode(CatalogDocument::Mode::Closed);
    d.setCatalogModified(false);
    d.setCatalogFileName({});
    d.setPlayingBookmark(-1);
    m_keeping.watch.stop();
    m_keeping.lock.release();
    m_window.hideWindow();
    m_gridRules.switchSortingOff(QStringLiteral("turn on sorting"));
    if (m_main)
        m_main->setLoopListItems({}, -1);
}

void CatalogLifecycle::hideCatalogButtonClick()
{
    if (m_document.PlayingAll())
        m_window.focusSink();
    else
        m_grid.focusGrid();
    m_window.hideWindow();
}

void CatalogLifecycle::ValidateBookmarks()
{
    const QString folder = m_main ? m_main->defaultVideoDirectory() : QString();
    Relinking::ValidateBookmarks(m_document, {[this](int column, int row) { m_grid.placeCursor(column, row); }, folder,
                                              ClipLoader::clipFilter()});
}

bool CatalogLifecycle::ImportMultipleClips(const QStringList* dropped)
{
    CatalogDocument& d = m_document;
    // The rows do not grow under a running sequence.
    if (d.PlayingAll())
        return true;
    QStringList paths;
    if (dropped) {
        paths = *dropped;
    } else {
        const QString folder = m_main ? m_main->defaultVideoDirectory() : QString();
        paths = prompt().openFileNames({}, folder, ClipLoader::clipFilter());
        if (paths.isEmpty())
            return false;
        if (d.CatalogMode() == CatalogDocument::Mode::Closed)
            NewButtonClick();
        m_window.showGrid(true);
    }
    const int firstRow = d.BlankFirstRow() ? 1 : d.RowCount();
    const QStringList names = ClipImport::appendBookmarks(d, paths);
    if (names.isEmpty())
        return true;
    if (m_main)
        for (const QString& name : names)
            m_main->addLoopListItem(name);
    m_grid.placeCursor(Category, d.RowCount() - 1);
    m_grid.focusGrid();
    QList<int> rows;
    for (int row = firstRow; row < d.RowCount(); ++row)
        rows.append(row);
    if (const QString warning = BookmarkChecks::unstorableClipWarning(d, rows); !warning.isEmpty())
        prompt().message(warning, Prompt::Icon::Warning);
    return true;
}

void CatalogLifecycle::showGrid()
{
    m_window.showGrid(true);
}

void CatalogLifecycle::showCell(int column, int row)
{
    m_grid.placeCursor(column, row);
    m_grid.focusGrid();
}

void CatalogLifecycle::rebuildBookmarkList()
{
    m_gridRules.rebuildLoopList();
}

BookmarksGridColumns CatalogLifecycle::optionColumns() const
{
    return m_main ? m_main->gridColumns() : BookmarksGridColumns{};
}
