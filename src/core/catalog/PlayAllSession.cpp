#include "core/catalog/PlayAllSession.h"

#include "core/base/Prompt.h"
#include "core/base/TimeCode.h"
#include "core/catalog/BookmarkChecks.h"
#include "core/catalog/BookmarkPlayView.h"
#include "core/catalog/BookmarkViews.h"
#include "core/catalog/CatalogDocument.h"
#include "core/catalog/CatalogGridController.h"
#include "core/catalog/CatalogGridView.h"
#include "core/catalog/CatalogView.h"
#include "core/catalog/CatalogWindowView.h"
#include "core/catalog/PendingEdits.h"
#include "core/playback/StoredLoopView.h"
#include "core/practice/PracticeTracker.h"

#include <algorithm>

using namespace BookmarkColumn;

namespace {

// The rows that play all and stepping go to: those the filter lets play
// while it is on, else every row.
PlayAllWalk::Passes rowsThatPlay(const CatalogDocument& d)
{
    return [&d](int row) {
        return !d.playAllFilter().active() || d.playAllFilter().passesRow(*d.model(), row, d.dueRows());
    };
}

QString noBookmarkPlaysMessage(const PlayAllFilter& filter)
{
    return QStringLiteral("No bookmark matches the play all filter (%1).\r\nChange the filter or turn it off.")
        .arg(filter.describe());
}

} // namespace

PlayAllSession::PlayAllSession(CatalogDocument& document, CatalogGridController& gridRules, CatalogGridView& grid,
                               CatalogWindowView& window, PendingEdits& edits)
    : m_document(document), m_gridRules(gridRules), m_grid(grid), m_window(window), m_edits(edits)
{
}

bool PlayAllSession::PlayingAll() const
{
    return m_document.PlayingAll();
}

void PlayAllSession::playSelectedBookmarkButtonClick(int row)
{
    const CatalogDocument& d = m_document;
    const QString message = BookmarkChecks::playMessage(d, row);
    if (!message.isEmpty()) {
        // During play all the sequence waits here: the loop that ended must
        // not play on past its end.
        if (d.PlayingAll() && m_playView)
            m_playView->stopPlayAllPlayback();
        prompt().message(message, Prompt::Icon::Warning);
        return;
    }
    if (!m_player)
        return;
    const QString clip = BookmarkChecks::clipPath(d, row);
    if ((!m_main || clip != m_main->openClipPath()) && !m_player->StartVideoClip(clip))
        return;
    if (m_main)
        m_main->setRunningDescription(d.Cells(Description, row));
    // A bookmark plays as it was looked at: zoomed as it was kept, else
    // the whole picture.
    std::optional<ZoomView> zoom;
    if (m_views)
        zoom = m_views->zoomOfRow(row);
    if (m_practice)
        m_practice->bookmarkStarting(row);
    m_player->playStoredLoop(removeColonsFromString(d.Cells(StartTime, row)),
                             removeColonsFromString(d.Cells(EndTime, row)), zoom);
}

void PlayAllSession::playFromGrid(Asker asker, Gesture gesture)
{
    CatalogDocument& d = m_document;
    const int row = d.SelectedRow();
    // A loop the main window refuses ends play all on the way: what follows
    // a play from the grid itself is decided by how it started.
    const bool wasPlayingAll = d.PlayingAll();
    d.setPlayCellGreen(false);
    // Marks the row even when its checks fail below.
    d.setPlayingBookmark(row);
    m_grid.refreshCells();
    playSelectedBookmarkButtonClick(row);
    if (m_main)
        m_main->selectLoopListItem(row - 1);
    if (wasPlayingAll || asker == Asker::Elsewhere)
        return;
    m_grid.focusGrid();
    if (m_playView)
        m_playView->applyPlayClickBehavior(gesture == Gesture::DoubleClick);
}

void PlayAllSession::PlayNextLoop(Step direction, Asker asker)
{
    CatalogDocument& d = m_document;
    if (d.CatalogMode() == CatalogDocument::Mode::Closed)
        return;
    const int last = d.RowCount() - 1;
    const int row = std::clamp(m_grid.cursorRow(), 1, last);
    const bool fullScreen = m_playView && m_playView->playerFullScreen();
    const bool filtered = d.playAllFilter().active();
    const PlayAllWalk::Step step = PlayAllWalk::step(row, last, direction, d.PlayingAll(), rowsThatPlay(d));
    PlayAllWalk::Stop stop = step.stop;
    // Rows can stop passing while all play (a move just practised is no
    // longer due): the sequence then ends as it does after its last row.
    if (stop == PlayAllWalk::Stop::NoneMatch && d.PlayingAll() && direction == Step::Next)
        stop = PlayAllWalk::Stop::AtLast;
    switch (stop) {
    case PlayAllWalk::Stop::None:
        break;
    case PlayAllWalk::Stop::AtFirst:
        m_window.beep();
        if (!fullScreen)
            prompt().message(filtered ? QStringLiteral("Already at the first bookmark that the filter lets play.")
                                      : QStringLiteral("Already at first bookmark."));
        return;
    case PlayAllWalk::Stop::AtLast:
        m_window.beep();
        if (d.PlayingAll()) {
            TurnOffPlayAllBookmarks();
            if (fullScreen)
                m_playView->leavePlayerFullScreen();
            prompt().message(QStringLiteral("Finished playing all bookmarks in sequence."));
            m_grid.focusGrid();
        } else if (!fullScreen) {
            prompt().message(filtered ? QStringLiteral("Already at the last bookmark that the filter lets play.")
                                      : QStringLiteral("Already at last bookmark."));
        }
        return;
    case PlayAllWalk::Stop::NoneMatch:
        m_window.beep();
        if (d.PlayingAll())
            TurnOffPlayAllBookmarks();
        if (fullScreen)
            m_playView->leavePlayerFullScreen();
        prompt().message(noBookmarkPlaysMessage(d.playAllFilter()));
        return;
    }
    m_gridRules.goToCell(Play, step.row);
    playFromGrid(asker, Gesture::DoubleClick);
}

void PlayAllSession::playPreviousBookmark()
{
    PlayNextLoop(Step::Previous, Asker::Elsewhere);
}

void PlayAllSession::playCurrentBookmark()
{
    PlayNextLoop(Step::Current, Asker::Elsewhere);
}

void PlayAllSession::playNextBookmark()
{
    PlayNextLoop(Step::Next, Asker::Elsewhere);
}

void PlayAllSession::playLoopListItem(int item)
{
    CatalogDocument& d = m_document;
    const int row = item + 1;
    if (item < 0 || row >= d.RowCount())
        return;
    // The list marks the "Play" cell too, unlike a play from the grid.
    d.setPlayCellGreen(true);
    m_gridRules.goToCell(m_grid.cursorColumn() > 0 ? m_grid.cursorColumn() : Play, row);
    d.setPlayingBookmark(row);
    m_grid.refreshCells();
    playSelectedBookmarkButtonClick(row);
}

void PlayAllSession::showPlayingAll(bool on)
{
    m_window.showPlayingAll(on);
    if (m_playView)
        m_playView->showPlayingAll(on, m_document.CatalogMode() != CatalogDocument::Mode::Closed);
}

void PlayAllSession::togglePlayAll()
{
    CatalogDocument& d = m_document;
    if (d.PlayingAll()) {
        TurnOffPlayAllBookmarks();
        m_grid.focusGrid();
        return;
    }
    if (d.CatalogMode() == CatalogDocument::Mode::Closed || d.RowCount() < 2)
        return;
    // What was typed into the pane or an open cell belongs to the catalog
    // before the pane and the grid are locked.
    if (!m_edits.takeIn())
        return;
    const int last = d.RowCount() - 1;
    // With the filter on, play all starts at the first row from the cursor
    // down that it lets play.
    const int row = PlayAllWalk::firstFrom(std::clamp(m_grid.cursorRow(), 1, last), last, rowsThatPlay(d));
    if (row == -1) {
        m_window.beep();
        prompt().message(PlayAllWalk::firstFrom(1, last, rowsThatPlay(d)) == -1
                             ? noBookmarkPlaysMessage(d.playAllFilter())
                             : QStringLiteral("No bookmark from the current one down matches the play all filter "
                                              "(%1).")
                                   .arg(d.playAllFilter().describe()));
        return;
    }
    d.setPlayingAll(true);
    showPlayingAll(true);
    d.setSavedGridRow(m_grid.cursorRow());
    d.setSavedGridColumn(m_grid.cursorColumn());
    m_gridRules.goToCell(Play, row);
    playFromGrid(Asker::Elsewhere, Gesture::DoubleClick);
    if (!d.PlayingAll())
        return; // the first loop was refused
    m_window.bringToFront();
    m_window.focusSink();
}

void PlayAllSession::TurnOffPlayAllBookmarks()
{
    CatalogDocument& d = m_document;
    const bool wasOn = d.PlayingAll();
    d.setPlayingAll(false);
    if (!wasOn && d.SavedGridRow() == -1)
        return;
    showPlayingAll(false);
    if (m_playView)
        m_playView->stopPlayAllPlayback();
    const int row = d.SavedGridRow();
    const int column = d.SavedGridColumn();
    d.setSavedGridRow(-1);
    d.setSavedGridColumn(-1);
    if (row < 1 || row >= d.RowCount())
        return;
    const int c = column == -1 ? m_grid.cursorColumn() : column == RowEnd ? Number : column;
    m_gridRules.goToCell(c, row);
}
