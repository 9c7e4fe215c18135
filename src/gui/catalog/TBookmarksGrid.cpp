#include "gui/catalog/TBookmarksGrid.h"

#include "core/catalog/CatalogDocument.h"
#include "gui/catalog/BookmarksGridDelegate.h"
#include "gui/catalog/BookmarksGridLook.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QTimer>
#include <QToolTip>

using namespace BookmarkColumn;

namespace {

const QColor kMediumGrey(160, 160, 164);
constexpr int LearnWidth = 40;
constexpr int RatingWidth = 45;
constexpr int FolderWidth = 100;

} // namespace

TBookmarksGrid::TBookmarksGrid(CatalogDocument* document, QWidget* parent)
    : QTableView(parent), m_document(document), m_delegate(new BookmarksGridDelegate(this))
{
    setObjectName(QStringLiteral("BookmarksGrid"));
    setAccessibleName(QStringLiteral("Bookmarks"));
    setModel(new BookmarksGridStyleModel(document, this));
    setEditTriggers(NoEditTriggers);
    setSelectionMode(ContiguousSelection);
    setTabKeyNavigation(false);
    setDragEnabled(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(1);
    setWordWrap(true);
    setFont(QFont(QStringLiteral("Tahoma"), 8));
    QHeaderView* header = horizontalHeader();
    header->setMinimumSectionSize(0);
    header->setStretchLastSection(false);
    header->setFixedHeight(BookmarksGridLook::HeaderHeight);
    header->setSortIndicatorShown(false);
    QFont bold = font();
    bold.setBold(true);
    header->setFont(bold);
    setStyleSheet(QStringLiteral("QTableView { gridline-color: silver; }"));
    showLocked(false);
    // A header click sorts (while sorting is on); it never selects a column.
    disconnect(header, SIGNAL(sectionPressed(int)), this, SLOT(selectColumn(int)));
    disconnect(header, SIGNAL(sectionEntered(int)), this, nullptr);
    header->setHighlightSections(false);
    header->viewport()->installEventFilter(this);
    setItemDelegate(m_delegate);
    connect(m_delegate, &BookmarksGridDelegate::valueRefused, this, &TBookmarksGrid::reopenEditor);
    connect(m_delegate, &BookmarksGridDelegate::editorTyped, this, &TBookmarksGrid::editorTyped);
    connect(header, &QHeaderView::sectionClicked, this,
            [this](int column) { emit headerClicked(column, m_headerModifiers & Qt::ShiftModifier); });
    connect(header, &QHeaderView::sectionDoubleClicked, this, &TBookmarksGrid::headerDoubleClicked);
    connect(header, &QHeaderView::sectionResized, this, &TBookmarksGrid::columnResized);
    connect(document, &CatalogDocument::playingBookmarkChanged, this, &TBookmarksGrid::refreshCells);
    connect(document, &CatalogDocument::playAllFilterChanged, this, &TBookmarksGrid::refreshCells);
    connect(document, &CatalogDocument::practiceChanged, this, &TBookmarksGrid::refreshCells);
}

void TBookmarksGrid::setValidator(std::function<bool(int, int, const QString&)> validator)
{
    m_delegate->setValidator(std::move(validator));
}

void TBookmarksGrid::showLocked(bool locked)
{
    setEnabled(!locked);
    QPalette pal = palette();
    pal.setColor(QPalette::Base, locked ? kMediumGrey : BookmarksGridLook::Cream);
    pal.setColor(QPalette::Highlight, BookmarksGridLook::Selection);
    pal.setColor(QPalette::HighlightedText, Qt::black);
    setPalette(pal);
    // The style sheet of the grid keeps the viewport's own palette.
    viewport()->setPalette(pal);
}

int TBookmarksGrid::cursorColumn() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.column() : -1;
}

int TBookmarksGrid::cursorRow() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? CatalogModel::gridRow(current) : 0;
}

void TBookmarksGrid::placeCursor(int column, int row, bool wholeRow)
{
    if (!model() || row < 1 || row > model()->rowCount())
        return;
    const QModelIndex cell = model()->index(row - 1, column);
    QItemSelectionModel* selection = selectionModel();
    if (wholeRow) {
        selection->setCurrentIndex(model()->index(row - 1, RowEnd), QItemSelectionModel::NoUpdate);
        selection->select(QItemSelection(model()->index(row - 1, Number), model()->index(row - 1, RowEnd)),
                          QItemSelectionModel::ClearAndSelect);
    } else {
        selection->setCurrentIndex(cell, QItemSelectionModel::ClearAndSelect);
    }
    scrollTo(model()->index(row - 1, wholeRow ? Name : column));
}

void TBookmarksGrid::focusGrid()
{
    setFocus(Qt::OtherFocusReason);
}

void TBookmarksGrid::setEditingOn(bool on)
{
    setEditTriggers(on ? QAbstractItemView::AllEditTriggers : QAbstractItemView::NoEditTriggers);
}

void TBookmarksGrid::openEditorOnCursor()
{
    const QModelIndex current = currentIndex();
    if (current.isValid())
        edit(current);
}

bool TBookmarksGrid::commitOpenEditor()
{
    if (state() != EditingState)
        return true;
    const QModelIndex current = currentIndex();
    QWidget* editor = current.isValid() ? indexWidget(current) : nullptr;
    if (!editor)
        return true;
    bool refused = false;
    const QMetaObject::Connection watch =
        connect(m_delegate, &BookmarksGridDelegate::valueRefused, this, [&refused] { refused = true; });
    commitData(editor);
    disconnect(watch);
    // A refused value: the editor opens again on the cell's text.
    closeEditor(editor, QAbstractItemDelegate::NoHint);
    return !refused;
}

std::optional<CatalogGridView::OpenEdit> TBookmarksGrid::openEditorValue() const
{
    if (state() != EditingState)
        return std::nullopt;
    const QModelIndex current = currentIndex();
    const QWidget* editor = current.isValid() ? indexWidget(current) : nullptr;
    if (!editor)
        return std::nullopt;
    return OpenEdit{current.column(), CatalogModel::gridRow(current), BookmarksGridDelegate::editorText(editor)};
}

void TBookmarksGrid::showSortIndicators(bool shown)
{
    horizontalHeader()->setSortIndicatorShown(shown);
}

void TBookmarksGrid::showSortIndicator(int column, bool descending)
{
    horizontalHeader()->setSortIndicator(column, descending ? Qt::DescendingOrder : Qt::AscendingOrder);
}

void TBookmarksGrid::refreshCells()
{
    viewport()->update();
}

void TBookmarksGrid::applyColumns(const BookmarksGridColumns& columns)
{
    const int widths[Count] = {20,
                               30,
                               columns.showCategory ? columns.categoryWidth : 0,
                               columns.nameWidth,
                               columns.showLearn ? LearnWidth : 0,
                               columns.showRating ? RatingWidth : 0,
                               30,
                               66,
                               66,
                               columns.filenameWidth,
                               columns.showFolder ? FolderWidth : 0,
                               0,
                               0,
                               0,
                               0};
    QHeaderView* header = horizontalHeader();
    const int stretching = columns.showFolder ? Folder : Filename;
    for (int c = 0; c < Count; ++c) {
        // Only the category, name and file name columns may be resized.
        const bool resizable = c == Category || c == Name || c == Filename;
        header->setSectionResizeMode(c, resizable ? QHeaderView::Interactive : QHeaderView::Fixed);
        setColumnWidth(c, widths[c]);
    }
    header->setSectionResizeMode(stretching, QHeaderView::Stretch);
    m_categoryWidth = columns.categoryWidth;
    m_nameWidth = columns.nameWidth;
    m_filenameWidth = columns.filenameWidth;
}

void TBookmarksGrid::showColumn(int column, bool shown)
{
    // Widths change below; those the user gave the columns stay remembered
    // (also those read from the settings before the grid shows them).
    const int categoryWidth = m_categoryWidth;
    const int nameWidth = m_nameWidth;
    const int filenameWidth = m_filenameWidth;
    QHeaderView* header = horizontalHeader();
    switch (column) {
    case Category:
        setColumnWidth(Category, shown ? categoryWidth : 0);
        break;
    case Learn:
        setColumnWidth(Learn, shown ? LearnWidth : 0);
        break;
    case Rating:
        setColumnWidth(Rating, shown ? RatingWidth : 0);
        break;
    case Folder:
        // One of Folder and Filename stretches to the grid's right edge.
        header->setSectionResizeMode(shown ? Filename : Folder, shown ? QHeaderView::Interactive : QHeaderView::Fixed);
        header->setSectionResizeMode(shown ? Folder : Filename, QHeaderView::Stretch);
        setColumnWidth(Folder, shown ? FolderWidth : 0);
        setColumnWidth(Filename, filenameWidth);
        break;
    default:
        break;
    }
    m_categoryWidth = categoryWidth;
    m_nameWidth = nameWidth;
    m_filenameWidth = filenameWidth;
}

void TBookmarksGrid::rememberedWidths(BookmarksGridColumns& columns) const
{
    columns.categoryWidth = m_categoryWidth;
    columns.nameWidth = m_nameWidth;
    columns.filenameWidth = m_filenameWidth;
}

void TBookmarksGrid::columnResized()
{
    // The widths the user gives are kept for the settings file: the
    // category's while it shows, the name's always, the file name's while
    // the folder column shows (else it stretches).
    if (m_document->columnShown(Category))
        m_categoryWidth = columnWidth(Category);
    m_nameWidth = columnWidth(Name);
    if (m_document->columnShown(Folder))
        m_filenameWidth = columnWidth(Filename);
}

int TBookmarksGrid::rowAtY(int y) const
{
    const int modelRow = rowAt(y);
    return modelRow < 0 ? 0 : modelRow + 1;
}

void TBookmarksGrid::mousePressEvent(QMouseEvent* event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    if (event->button() != Qt::LeftButton || !index.isValid() || editingOn()) {
        QTableView::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    if (index.column() == Handle) {
        m_dragFrom = CatalogModel::gridRow(index);
        m_dropAt = m_dragFrom;
        return;
    }
    emit cellAsked(index.column(), CatalogModel::gridRow(index));
}

void TBookmarksGrid::mouseMoveEvent(QMouseEvent* event)
{
    if (m_dragFrom == 0) {
        event->ignore();
        return;
    }
    const int row = rowAtY(int(event->position().y()));
    if (row != 0 && row != m_dropAt) {
        m_dropAt = row;
        viewport()->update();
    }
}

void TBookmarksGrid::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_dragFrom == 0) {
        QTableView::mouseReleaseEvent(event);
        return;
    }
    const int from = m_dragFrom;
    const int to = m_dropAt;
    m_dragFrom = m_dropAt = 0;
    viewport()->update();
    if (to != 0 && to != from)
        emit rowMoved(from, to);
}

void TBookmarksGrid::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    if (event->button() != Qt::LeftButton || !index.isValid() || index.column() == Handle || editingOn())
        return;
    emit cellDoubleClicked(CatalogModel::gridRow(index), index.column());
}

void TBookmarksGrid::keyPressEvent(QKeyEvent* event)
{
    CursorAction action;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // While a cell is edited, Enter belongs to its editor.
        if (state() != EditingState && !editingOn())
            emit keyDown(event->key());
        return;
    case Qt::Key_Delete:
        emit deletePressed();
        return;
    case Qt::Key_Up:
        action = MoveUp;
        break;
    case Qt::Key_Down:
        action = MoveDown;
        break;
    case Qt::Key_Left:
        action = MoveLeft;
        break;
    case Qt::Key_Right:
        action = MoveRight;
        break;
    case Qt::Key_PageUp:
        action = MovePageUp;
        break;
    case Qt::Key_PageDown:
        action = MovePageDown;
        break;
    case Qt::Key_Home:
        action = MoveHome;
        break;
    case Qt::Key_End:
        action = MoveEnd;
        break;
    default:
        // No search by typing: letters are commands unless a cell is edited.
        if (editingOn())
            QTableView::keyPressEvent(event);
        else
            event->ignore();
        return;
    }
    QModelIndex target;
    if (action == MoveLeft || action == MoveRight) {
        // One column at a time, hidden (zero-width) ones included: the
        // selection rules skip those that are hidden.
        const int step = action == MoveLeft ? -1 : 1;
        const int column = qBound(0, cursorColumn() + step, int(Count) - 1);
        target = model()->index(currentIndex().row(), column == Handle ? Number : column);
    } else {
        target = moveCursor(action, event->modifiers());
    }
    if (target.isValid())
        emit cellAsked(target.column(), CatalogModel::gridRow(target));
}

void TBookmarksGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    QTableView::closeEditor(editor, m_reopening ? QAbstractItemDelegate::NoHint : hint);
    if (m_reopening)
        return;
    emit editingDone();
}

void TBookmarksGrid::paintEvent(QPaintEvent* event)
{
    QTableView::paintEvent(event);
    if (m_dragFrom == 0 || m_dropAt == m_dragFrom)
        return;
    // Where the dragged row will land.
    QPainter p(viewport());
    const int y = rowViewportPosition(m_dropAt - 1) + (m_dropAt > m_dragFrom ? rowHeight(m_dropAt - 1) : 0);
    p.setPen(QPen(Qt::black, 2));
    p.drawLine(0, y, viewport()->width(), y);
}

void TBookmarksGrid::setRowHint(std::function<QString(int row)> hint)
{
    if (auto* look = qobject_cast<BookmarksGridStyleModel*>(model()))
        look->setRowHint(std::move(hint));
}

bool TBookmarksGrid::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == horizontalHeader()->viewport() &&
        (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease))
        m_headerModifiers = static_cast<QMouseEvent*>(event)->modifiers();
    if (watched == horizontalHeader()->viewport() && event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const int column = horizontalHeader()->logicalIndexAt(help->pos());
        const QString hint = m_headerHint ? m_headerHint(column) : QString();
        if (hint.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), hint, horizontalHeader());
        return true;
    }
    return QTableView::eventFilter(watched, event);
}

void TBookmarksGrid::reopenEditor(const QModelIndex& index)
{
    // The refused value goes; the editor opens again on the cell's text
    // once the closing editor is gone.
    m_reopening = true;
    QTimer::singleShot(0, this, [this, index = QPersistentModelIndex(index)] {
        m_reopening = false;
        if (index.isValid()) {
            setCurrentIndex(index);
            edit(index);
        }
    });
}
