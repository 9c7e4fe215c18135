// The catalog window's grid handlers: selecting, editing and checking
// cells, moving and deleting rows, sorting, repeat hiding, spacing, column
// names and widths, hints and the description pane.
#include "gui/catalog/TBookmarksForm.h"

#include "core/base/Prompt.h"
#include "core/base/TimeCode.h"
#include "core/catalog/BookmarkChecks.h"
#include "core/catalog/BookmarkPlayView.h"
#include "core/catalog/CatalogDocument.h"
#include "core/catalog/CatalogView.h"
#include "core/playback/StoredLoopView.h"
#include "gui/catalog/BookmarksGridDelegate.h"
#include "gui/catalog/BookmarksGridLook.h"
#include "gui/catalog/TBookmarksGrid.h"
#include "gui/input/FocusSink.h"
#include "gui/widgets/TColourButton.h"

#include <QAction>
#include <QHeaderView>
#include <QPlainTextEdit>

using namespace BookmarkColumn;

namespace {

QString toPane(QString text)
{
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

QString fromPane(QString text)
{
    return text.replace(u'\n', QStringLiteral("\r\n"));
}

} // namespace

void TBookmarksForm::connectControls()
{
    connect(OpenButton, &QAbstractButton::clicked, this, [this] { OpenButtonClick(this); });
    connect(SaveButton, &QAbstractButton::clicked, this, [this] { DoSave(SaveButton); });
    connect(SaveAsButton, &QAbstractButton::clicked, this, [this] { DoSaveAs(SaveAsButton); });
    connect(CloseButton, &QAbstractButton::clicked, this, [this] { CloseButtonClick(CloseButton); });
    connect(toggleLineWrapButton, &QAbstractButton::clicked, this,
            [this] { toggleLineWrapButtonClick(toggleLineWrapButton); });
    connect(turnOnSorting, &QAbstractButton::clicked, this, [this] { turnOnSortingClick(turnOnSorting); });
    connect(hideCatalogButton, &QAbstractButton::clicked, this, [this] { hideCatalogButtonClick(hideCatalogButton); });
    connect(hideRepeatsButton, &QAbstractButton::clicked, this, [this] { hideRepeatsButtonClick(hideRepeatsButton); });
    connect(PreviousBookmarkButton, &QAbstractButton::clicked, this,
            [this] { PreviousBookmarkButtonClick(PreviousBookmarkButton); });
    connect(CurrentBookmarkButton, &QAbstractButton::clicked, this,
            [this] { CurrentBookmarkButtonClick(CurrentBookmarkButton); });
    connect(NextBookmarkButton, &QAbstractButton::clicked, this,
            [this] { NextBookmarkButtonClick(NextBookmarkButton); });
    connect(PlayAll, &QAbstractButton::clicked, this, &TBookmarksForm::PlayAllClick);
    showPlayPanel(false);

    connect(Open1, &QAction::triggered, this, [this] { OpenButtonClick(this); });
    connect(Save1, &QAction::triggered, this, [this] { DoSave(Save1); });
    connect(SaveAs1, &QAction::triggered, this, [this] { DoSaveAs(SaveAs1); });
    connect(Close1, &QAction::triggered, this, [this] { CloseButtonClick(Close1); });
    connect(ImportMultipleClips1, &QAction::triggered, this, &TBookmarksForm::importClipsRequested);
    connect(PrintWithoutDescription1, &QAction::triggered, this, [this] { PrintGrid(false); });
    connect(PrintWithDescription1, &QAction::triggered, this, [this] { PrintGrid(true); });
    connect(Spacing1, &QAction::triggered, this, [this] {
        setSpacingStyle(2);
        toggleLineWrapButtonClick(Spacing1);
    });
    connect(Spacing2, &QAction::triggered, this, [this] {
        setSpacingStyle(1);
        toggleLineWrapButtonClick(Spacing2);
    });
    connect(Options1, &QAction::triggered, this, [this] {
        if (m_host)
            m_host->showCatalogOptions();
    });

    connect(m_document, &CatalogDocument::captionChanged, this, &TBookmarksForm::UpdateBookmarksFormTitleBar);
    connect(m_document, &CatalogDocument::readingFinished, this, &TBookmarksForm::finishReading);
    connect(m_document, &CatalogDocument::playingBookmarkChanged, BookmarksGrid->viewport(),
            qOverload<>(&QWidget::update));
    connect(m_document->model(), &CatalogModel::cellEdited, this, &TBookmarksForm::BookmarksGridCellsChanged);
    BookmarksGrid->delegate()->setValidator(
        [this](int column, int row, const QString& text) { return BookmarksGridCellValidate(column, row, text); });

    QHeaderView* header = BookmarksGrid->horizontalHeader();
    connect(header, &QHeaderView::sectionClicked, this, [this](int column) {
        BookmarksGridHeaderClick(column, BookmarksGrid->headerModifiers() & Qt::ShiftModifier);
    });
    connect(header, &QHeaderView::sectionDoubleClicked, this,
            [this](int column) { realBookmarksGridDblClickCell(0, column, false); });
    connect(header, &QHeaderView::sectionResized, this, &TBookmarksForm::BookmarksGridColumnSize);
}

TBookmarksForm::CellChoice TBookmarksForm::BookmarksGridSelectCell(int column, int row)
{
    CatalogDocument& d = *m_document;
    const bool left = m_host && m_host->lastArrowDirection() == 1;
    // A refused selection moves the cursor elsewhere, which selects again.
    for (int pass = 0; pass < 4; ++pass) {
        const int c = column;
        DescriptionMemo->setPlainText(toPane(d.Cells(Description, row)));
        d.setSelectedRow(row);
        if (d.PlayCellSelected() || c == Play)
            BookmarksGrid->viewport()->update();
        d.setPlayCellSelected(c == Play);

        if (!d.WholeRowSelected()) {
            if (d.columnShown(Folder) && c == Description) {
                column = Folder;
                continue;
            }
            if (!d.columnShown(Folder) && c == Folder) {
                column = Filename;
                continue;
            }
            if (c == Number) {
                d.setWholeRowSelected(true);
                return {RowEnd, row, true};
            }
        } else {
            if (c == Number || c == RowEnd)
                return {RowEnd, row, true};
            d.setWholeRowSelected(false);
            if (c == CategoryCopy || c == Spare)
                return {d.columnShown(Category) ? Category : Name, row};
        }

        const bool learn = d.columnShown(Learn);
        const bool rating = d.columnShown(Rating);
        if (!learn && rating && c == Learn)
            column = left ? Name : Rating;
        else if (learn && !rating && c == Rating)
            column = left ? Learn : Play;
        else if (!learn && !rating && (c == Learn || c == Rating))
            column = left ? Name : Play;
        else if (!d.columnShown(Category) && c == Category)
            column = left ? Number : Name;
        else
            return {c, row};
    }
    return {column, row};
}

bool TBookmarksForm::BookmarksGridCellValidate(int column, int row, const QString& text)
{
    const QString message = BookmarkChecks::cellValueMessage(*m_document, column, row, text);
    if (message.isEmpty())
        return true;
    prompt().message(message, Prompt::Icon::Warning);
    return false;
}

void TBookmarksForm::BookmarksGridEditingDone()
{
    if (m_document->RehideAfterEdit()) {
        setRepeatsHidden(true);
        m_document->hideRepeats();
        m_document->setRehideAfterEdit(false);
    }
    BookmarksGrid->setEditingOn(false);
    BookmarksGrid->setFocus(Qt::OtherFocusReason);
}

void TBookmarksForm::BookmarksGridKeyDown(int key)
{
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        m_playFromEnter = true;
        realBookmarksGridDblClickCell(1, 1, false);
        m_playFromEnter = false;
    }
}

void TBookmarksForm::rebuildLoopList()
{
    if (m_host)
        m_host->setLoopListItems(m_document->loopListItems(), m_document->PlayingBookmark() - 1);
}

void TBookmarksForm::BookmarksGridCellsChanged()
{
    CatalogDocument& d = *m_document;
    d.setCatalogModified(true);
    UpdateBookmarksFormTitleBar();
    rebuildLoopList();
    const int playing = d.PlayingBookmark();
    if (playing == -1 || !m_host)
        return;
    const QString start = d.Cells(StartTime, playing);
    const QString end = d.Cells(EndTime, playing);
    if (validateTimeCode(start))
        m_host->setStartTimeDigits(removeColonsFromString(start));
    if (validateTimeCode(end))
        m_host->setEndTimeDigits(removeColonsFromString(end));
}

void TBookmarksForm::BookmarksGridRowMoved(int from, int to)
{
    CatalogDocument& d = *m_document;
    m_sortKeys.clear();
    BookmarksGrid->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    d.moveRow(from, to);
    d.setSelectedRow(CatalogDocument::rowAfterMove(d.SelectedRow(), from, to));
    UpdateBookmarksFormTitleBar();
    rebuildLoopList();
    BookmarksGrid->setFocus(Qt::OtherFocusReason);
}

void TBookmarksForm::BookmarksGridCanDeleteRow()
{
    CatalogDocument& d = *m_document;
    if (!d.WholeRowSelected() || BookmarksGrid->Col() != RowEnd)
        return;
    const int row = BookmarksGrid->Row();
    if (prompt().askOkCancel(QStringLiteral("Delete this bookmark?"), Prompt::Icon::Warning) != Prompt::Answer::Ok) {
        BookmarksGrid->goToCell(Number, row);
        return;
    }
    if (d.RowCount() <= 2) {
        prompt().message(QStringLiteral("You cannot delete the last bookmark.\n\nThis is because empty catalogs are "
                                        "not allowed.\n\nIf you want to create a new catalog, please close this "
                                        "catalog first."),
                         Prompt::Icon::Warning);
        return;
    }
    const int cursorRow = row == d.RowCount() - 1 ? row - 1 : row;
    d.deleteRow(row);
    UpdateBookmarksFormTitleBar();
    rebuildLoopList();
    BookmarksGrid->goToCell(Number, cursorRow);
}

void TBookmarksForm::BookmarksGridColumnSize()
{
    const CatalogDocument& d = *m_document;
    if (d.columnShown(Category))
        m_categoryWidth = BookmarksGrid->columnWidth(Category);
    m_nameWidth = BookmarksGrid->columnWidth(Name);
    if (d.columnShown(Folder))
        m_filenameWidth = BookmarksGrid->columnWidth(Filename);
}

QString TBookmarksForm::BookmarksGridGridHint(int column) const
{
    if (m_document->SortingOn())
        return {};
    switch (column) {
    case Handle:
        return QStringLiteral("Use this column to change the order of bookmarks.");
    case Number:
        return QStringLiteral("Use this column to select the whole row.\nYou can then use the <Delete> key to "
                              "remove the row (the bookmark).");
    case Learn:
        return QStringLiteral("Level of 'Mastery' (optional)\nSelect how well you've learned this move:\na = need "
                              "to learn\nb = learning\nc = almost mastered\nd = mastered\nYou can also set this cell "
                              "to empty at any time.");
    case Rating:
        return QStringLiteral("'Coolness' factor: (optional)\nOn a scale of 0 to 10, select how much you like this "
                              "move.");
    case Play:
        return QStringLiteral("Double click the arrow icon (or select the icon and hit \"enter\") to PLAY the "
                              "selected bookmark.\n(Green indicates the bookmark currently playing).");
    case StartTime:
        return QStringLiteral("Must be in form \"hh:mm:ss\" (hours:minutes:seconds)");
    case EndTime:
        return QStringLiteral("Must be in form \"hh:mm:ss\", or read exactly \"--:--:--\" to indicate no endtime.");
    default:
        return {};
    }
}

void TBookmarksForm::BookmarksGridHeaderClick(int column, bool shift)
{
    CatalogDocument& d = *m_document;
    if (!d.SortingOn() || !CatalogDocument::isSortableColumn(column))
        return;
    auto same = [column](const std::pair<int, bool>& key) { return key.first == column; };
    auto it = std::find_if(m_sortKeys.begin(), m_sortKeys.end(), same);
    if (shift) {
        if (it != m_sortKeys.end())
            it->second = !it->second;
        else
            m_sortKeys.append({column, false});
    } else if (m_sortKeys.size() == 1 && it != m_sortKeys.end()) {
        it->second = !it->second;
    } else {
        m_sortKeys = {{column, false}};
    }
    QList<CatalogDocument::SortKey> keys;
    for (const auto& [c, descending] : m_sortKeys)
        keys.append({c, descending});
    const int cursorColumn = BookmarksGrid->Col();
    const int cursorRow = BookmarksGrid->Row();
    d.sortRows(keys);
    const bool descending = std::find_if(m_sortKeys.begin(), m_sortKeys.end(), same)->second;
    BookmarksGrid->horizontalHeader()->setSortIndicator(column, descending ? Qt::DescendingOrder : Qt::AscendingOrder);
    // Only the order changes: the cursor stays where it was.
    if (cursorRow > 0)
        BookmarksGrid->placeCursor(cursorColumn, cursorRow, d.WholeRowSelected());
    DescriptionMemo->setPlainText(toPane(d.Cells(Description, d.SelectedRow())));
    BookmarksGridCellsChanged();
}

void TBookmarksForm::realBookmarksGridDblClickCell(int row, int column, bool fromButton)
{
    CatalogDocument& d = *m_document;
    if (row == 0) {
        if (column >= Category && column <= Rating)
            renameColumn(column);
        return;
    }
    const int c = BookmarksGrid->Col();
    if (c == Play) {
        playFromGrid(fromButton);
        return;
    }
    if (!CatalogModel::isEditableColumn(c) || !d.columnShown(c))
        return;
    if (c == Category) {
        // A category is edited with the repeats shown.
        d.setRehideAfterEdit(d.RepeatsHidden());
        if (d.RepeatsHidden()) {
            d.showRepeats();
            setRepeatsHidden(false);
        }
    }
    BookmarksGrid->setEditingOn(true);
    BookmarksGrid->openEditorOnCursor();
}

void TBookmarksForm::playSelectedBookmarkButtonClick(int row)
{
    const CatalogDocument& d = *m_document;
    const QString message = BookmarkChecks::playMessage(d, row);
    if (!message.isEmpty()) {
        // During play all the sequence waits here: the loop that ended must
        // not play on past its end.
        if (d.PlayingAll() && m_playHost)
            m_playHost->stopPlayAllPlayback();
        prompt().message(message, Prompt::Icon::Warning);
        return;
    }
    if (!m_player)
        return;
    const QString clip = BookmarkChecks::clipPath(d, row);
    if ((!m_host || clip != m_host->openClipPath()) && !m_player->StartVideoClip(clip))
        return;
    if (m_host)
        m_host->setRunningDescription(d.Cells(Description, row));
    m_player->playStoredLoop(removeColonsFromString(d.Cells(StartTime, row)),
                             removeColonsFromString(d.Cells(EndTime, row)));
}

void TBookmarksForm::hideRepeatsButtonClick(QObject* sender)
{
    if (m_document->RepeatsHidden())
        m_document->showRepeats();
    else
        m_document->hideRepeats();
    setRepeatsHidden(m_document->RepeatsHidden());
    if (sender)
        BookmarksGrid->setFocus(Qt::OtherFocusReason);
}

void TBookmarksForm::turnOnSortingClick(QObject* sender)
{
    CatalogDocument& d = *m_document;
    if (!d.SortingOn()) {
        BookmarksGrid->horizontalHeader()->setSortIndicatorShown(true);
        turnOnSorting->setText(QStringLiteral("sorting is ON"));
        d.setSortingOn(true);
        hideRepeatsButton->setEnabled(false);
        if (d.RepeatsHidden()) {
            d.showRepeats();
            setRepeatsHidden(false);
            d.setRehideAfterSorting(true);
        }
    } else {
        switchSortingOff(QStringLiteral("sorting is OFF"));
    }
    focusGridUnlessPlayingAll(sender);
}

void TBookmarksForm::switchSortingOff(const QString& caption)
{
    CatalogDocument& d = *m_document;
    QHeaderView* header = BookmarksGrid->horizontalHeader();
    header->setSortIndicatorShown(false);
    header->setSortIndicator(-1, Qt::AscendingOrder);
    m_sortKeys.clear();
    turnOnSorting->setText(caption);
    d.setSortingOn(false);
    hideRepeatsButton->setEnabled(true);
    if (d.RehideAfterSorting()) {
        d.hideRepeats();
        setRepeatsHidden(true);
        d.setRehideAfterSorting(false);
    }
}

void TBookmarksForm::focusGridUnlessPlayingAll(QObject* sender)
{
    if (!sender)
        return;
    if (m_document->PlayingAll())
        focusSink->takeFocus();
    else
        BookmarksGrid->setFocus(Qt::OtherFocusReason);
}

void TBookmarksForm::toggleLineWrapButtonClick(QObject* sender)
{
    setSpacingStyle(SpacingStyle() == 1 ? 2 : 1);
    focusGridUnlessPlayingAll(sender);
}

void TBookmarksForm::renameColumn(int column)
{
    const QString old = m_document->Cells(column, 0);
    const std::optional<QString> name = prompt().inputText(QStringLiteral("Column Name Change"),
                                                           QStringLiteral("Enter a new name for this column"), old);
    if (!name || *name == old)
        return;
    m_document->setCatalogModified(true);
    UpdateBookmarksFormTitleBar();
    m_document->setCells(column, 0, *name);
}

void TBookmarksForm::DescriptionMemoExit()
{
    CatalogDocument& d = *m_document;
    const int row = d.SelectedRow();
    const QString text = fromPane(DescriptionMemo->toPlainText());
    if (row < 1 || row >= d.RowCount() || text == d.Cells(Description, row))
        return;
    d.setCells(Description, row, text);
    if (row == d.PlayingBookmark() && m_host)
        m_host->setRunningDescription(text);
    d.setCatalogModified(true);
    UpdateBookmarksFormTitleBar();
}
