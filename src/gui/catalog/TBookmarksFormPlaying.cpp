// The catalog window's bookmark playing: from the grid's "Play" cell, from
// the main window's bookmark list, stepping to the previous, current or next
// bookmark, and playing all bookmarks in sequence with the locks and colours
// that sequence sets and undoes.
#include "gui/catalog/TBookmarksForm.h"

#include "core/base/Prompt.h"
#include "core/catalog/BookmarkPlayView.h"
#include "core/catalog/CatalogDocument.h"
#include "core/catalog/CatalogView.h"
#include "gui/catalog/BookmarksGridLook.h"
#include "gui/catalog/PlayAllFilterBar.h"
#include "gui/catalog/TBookmarksGrid.h"
#include "gui/input/FocusSink.h"
#include "gui/widgets/Colours.h"
#include "gui/widgets/TBlinkLabel.h"
#include "gui/widgets/TColourButton.h"

#include <QApplication>
#include <QPlainTextEdit>

using namespace BookmarkColumn;

namespace {

const QColor kLightViolet(187, 187, 255);
const QColor kOrange(255, 188, 13);
const QColor kLightOrange(255, 223, 138);
const QColor kMediumGrey(160, 160, 164);
constexpr int kBlinkMs = 700;

// The rows that play all and stepping go to: those the filter lets play
// while it is on, else every row.
PlayAllWalk::Passes rowsThatPlay(const CatalogDocument& d)
{
    return [&d](int row) { return !d.playAllFilter().active() || d.playAllFilter().passesRow(*d.model(), row); };
}

QString noBookmarkPlaysMessage(const PlayAllFilter& filter)
{
    return QStringLiteral("No bookmark matches the play all filter (%1).\r\nChange the filter or turn it off.")
        .arg(filter.describe());
}

} // namespace

void TBookmarksForm::playFromGrid(bool fromButton)
{
    CatalogDocument& d = *m_document;
    const int row = d.SelectedRow();
    d.setPlayCellGreen(false);
    // Marks the row even when its checks fail below.
    d.setPlayingBookmark(row);
    BookmarksGrid->viewport()->update();
    playSelectedBookmarkButtonClick(row);
    if (m_host)
        m_host->selectLoopListItem(row - 1);
    if (d.PlayingAll() || fromButton)
        return;
    BookmarksGrid->setFocus(Qt::OtherFocusReason);
    if (m_playHost)
        m_playHost->applyPlayClickBehavior(!m_playFromEnter);
}

void TBookmarksForm::PlayNextLoop(int direction, bool fromButton)
{
    CatalogDocument& d = *m_document;
    if (d.CatalogMode() == 0)
        return;
    const int last = d.RowCount() - 1;
    const int row = std::clamp(BookmarksGrid->Row(), 1, last);
    const bool fullScreen = m_playHost && m_playHost->playerFullScreen();
    const bool filtered = d.playAllFilter().active();
    const PlayAllWalk::Step step = PlayAllWalk::step(row, last, direction, d.PlayingAll(), rowsThatPlay(d));
    switch (step.stop) {
    case PlayAllWalk::Stop::None:
        break;
    case PlayAllWalk::Stop::AtFirst:
        QApplication::beep();
        if (!fullScreen)
            prompt().message(filtered ? QStringLiteral("Already at the first bookmark that the filter lets play.")
                                      : QStringLiteral("Already at first bookmark."));
        return;
    case PlayAllWalk::Stop::AtLast:
        QApplication::beep();
        if (d.PlayingAll()) {
            TurnOffPlayAllBookmarks();
            if (fullScreen)
                m_playHost->leavePlayerFullScreen();
            prompt().message(QStringLiteral("Finished playing all bookmarks in sequence."));
            BookmarksGrid->setFocus(Qt::OtherFocusReason);
        } else if (!fullScreen) {
            prompt().message(filtered ? QStringLiteral("Already at the last bookmark that the filter lets play.")
                                      : QStringLiteral("Already at last bookmark."));
        }
        return;
    case PlayAllWalk::Stop::NoneMatch:
        QApplication::beep();
        if (d.PlayingAll())
            TurnOffPlayAllBookmarks();
        if (fullScreen)
            m_playHost->leavePlayerFullScreen();
        prompt().message(noBookmarkPlaysMessage(d.playAllFilter()));
        return;
    }
    BookmarksGrid->goToCell(Play, step.row);
    realBookmarksGridDblClickCell(step.row, Play, fromButton);
}

void TBookmarksForm::stepBookmark(int direction, QObject* sender)
{
    PlayNextLoop(direction, true);
    focusGridUnlessPlayingAll(sender);
}

void TBookmarksForm::PreviousBookmarkButtonClick(QObject* sender)
{
    stepBookmark(0, sender);
}

void TBookmarksForm::CurrentBookmarkButtonClick(QObject* sender)
{
    stepBookmark(1, sender);
}

void TBookmarksForm::NextBookmarkButtonClick(QObject* sender)
{
    stepBookmark(2, sender);
}

void TBookmarksForm::playLoopListItem(int item)
{
    CatalogDocument& d = *m_document;
    const int row = item + 1;
    if (item < 0 || row >= d.RowCount())
        return;
    // The list marks the "Play" cell too, unlike a play from the grid.
    d.setPlayCellGreen(true);
    BookmarksGrid->goToCell(BookmarksGrid->Col() > 0 ? BookmarksGrid->Col() : Play, row);
    d.setPlayingBookmark(row);
    BookmarksGrid->viewport()->update();
    playSelectedBookmarkButtonClick(row);
}

void TBookmarksForm::setPlayAllLocks(bool on)
{
    for (QWidget* w : {static_cast<QWidget*>(DescriptionMemo), static_cast<QWidget*>(BookmarksGrid),
                       static_cast<QWidget*>(OpenButton), static_cast<QWidget*>(SaveButton),
                       static_cast<QWidget*>(SaveAsButton), static_cast<QWidget*>(CloseButton),
                       static_cast<QWidget*>(turnOnSorting), static_cast<QWidget*>(PlayAllFilterPanel)})
        w->setEnabled(!on);
    for (QAction* a : {Open1, Save1, SaveAs1, Close1})
        a->setEnabled(!on);
    QPalette palette = BookmarksGrid->palette();
    palette.setColor(QPalette::Base, on ? kMediumGrey : BookmarksGridLook::Cream);
    BookmarksGrid->setPalette(palette);
    // The style sheet of the grid keeps the viewport's own palette.
    BookmarksGrid->viewport()->setPalette(palette);
    PlayingAllLabel->setVisible(on);
    showPlayPanel(on);
    for (TColourButton* b : {PreviousBookmarkButton, CurrentBookmarkButton, NextBookmarkButton})
        b->setColor(on ? kLightViolet : Colours::buttonFace());
    if (on) {
        PlayAll->setText(QStringLiteral("Stop Playing Bookmarks"));
        m_playAllHint = PlayAll->hint();
        PlayAll->setHint(QString());
        PlayAll->setColor(Qt::red);
        PlayAll->setHotColor(QColor(128, 0, 0));
    } else {
        PlayAll->setText(QStringLiteral("Play All Bookmarks"));
        PlayAll->setHint(m_playAllHint);
        PlayAll->setColor(Colours::buttonFace());
        PlayAll->setHotColor(QColor(0, 0, 128));
    }
    if (m_playHost)
        m_playHost->showPlayingAll(on, m_document->CatalogMode() != 0);
}

void TBookmarksForm::showPlayPanel(bool playingAll)
{
    PlayingAllLabel->setBlinkRate(kBlinkMs);
    QWidget* panel = PlayingAllLabel->parentWidget();
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, playingAll ? kOrange : kLightOrange);
    panel->setAutoFillBackground(true);
    panel->setPalette(palette);
}

void TBookmarksForm::PlayAllClick()
{
    CatalogDocument& d = *m_document;
    if (d.PlayingAll()) {
        TurnOffPlayAllBookmarks();
        BookmarksGrid->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (d.CatalogMode() == 0 || d.RowCount() < 2)
        return;
    const int last = d.RowCount() - 1;
    // With the filter on, play all starts at the first row from the cursor
    // down that it lets play.
    const int row = PlayAllWalk::firstFrom(std::clamp(BookmarksGrid->Row(), 1, last), last, rowsThatPlay(d));
    if (row == -1) {
        QApplication::beep();
        prompt().message(PlayAllWalk::firstFrom(1, last, rowsThatPlay(d)) == -1
                             ? noBookmarkPlaysMessage(d.playAllFilter())
                             : QStringLiteral("No bookmark from the current one down matches the play all filter "
                                              "(%1).")
                                   .arg(d.playAllFilter().describe()));
        return;
    }
    d.setPlayingAll(true);
    setPlayAllLocks(true);
    d.setSavedGridRow(BookmarksGrid->Row());
    d.setSavedGridColumn(BookmarksGrid->Col());
    BookmarksGrid->goToCell(Play, row);
    realBookmarksGridDblClickCell(row, Play, false);
    if (!d.PlayingAll())
        return; // the first loop was refused
    show();
    raise();
    activateWindow();
    focusSink->takeFocus();
}

void TBookmarksForm::TurnOffPlayAllBookmarks()
{
    CatalogDocument& d = *m_document;
    const bool wasOn = d.PlayingAll();
    d.setPlayingAll(false);
    if (!wasOn && d.SavedGridRow() == -1)
        return;
    setPlayAllLocks(false);
    if (m_playHost)
        m_playHost->stopPlayAllPlayback();
    const int row = d.SavedGridRow();
    const int column = d.SavedGridColumn();
    d.setSavedGridRow(-1);
    d.setSavedGridColumn(-1);
    if (row < 1 || row >= d.RowCount())
        return;
    const int c = column == -1 ? BookmarksGrid->Col() : column == RowEnd ? Number : column;
    BookmarksGrid->goToCell(c, row);
}
