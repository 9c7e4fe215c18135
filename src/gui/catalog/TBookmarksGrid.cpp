#include "gui/catalog/TBookmarksGrid.h"

#include "core/catalog/BookmarksGridColumns.h"
#include "core/catalog/CatalogModel.h"
#include "gui/catalog/BookmarksGridDelegate.h"
#include "gui/catalog/TBookmarksForm.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QTimer>
#include <QToolTip>

using namespace BookmarkColumn;

TBookmarksGrid::TBookmarksGrid(TBookmarksForm* form, QWidget* parent)
    : QTableView(parent), m_form(form), m_delegate(new BookmarksGridDelegate(this))
{
    setEditTriggers(NoEditTriggers);
    setSelectionMode(ContiguousSelection);
    setTabKeyNavigation(false);
    setDragEnabled(false);
    QHeaderView* header = horizontalHeader();
    // A header click sorts (while sorting is on); it never selects a column.
    disconnect(header, SIGNAL(sectionPressed(int)), this, SLOT(selectColumn(int)));
    disconnect(header, SIGNAL(sectionEntered(int)), this, nullptr);
    header->setHighlightSections(false);
    header->viewport()->installEventFilter(this);
    setItemDelegate(m_delegate);
    connect(m_delegate, &BookmarksGridDelegate::valueRefused, this, &TBookmarksGrid::reopenEditor);
}

int TBookmarksGrid::Col() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.column() : -1;
}

int TBookmarksGrid::Row() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? CatalogModel::gridRow(current) : 0;
}

void TBookmarksGrid::goToCell(int column, int row)
{
    const TBookmarksForm::CellChoice choice = m_form->BookmarksGridSelectCell(column, row);
    placeCursor(choice.column, choice.row, choice.wholeRow);
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
    goToCell(index.column(), CatalogModel::gridRow(index));
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
        m_form->BookmarksGridRowMoved(from, to);
}

void TBookmarksGrid::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    if (event->button() != Qt::LeftButton || !index.isValid() || index.column() == Handle || editingOn())
        return;
    m_form->realBookmarksGridDblClickCell(CatalogModel::gridRow(index), index.column(), false);
}

void TBookmarksGrid::keyPressEvent(QKeyEvent* event)
{
    CursorAction action;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // While a cell is edited, Enter belongs to its editor.
        if (state() != EditingState && !editingOn())
            m_form->BookmarksGridKeyDown(event->key());
        return;
    case Qt::Key_Delete:
        m_form->BookmarksGridCanDeleteRow();
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
        // selection handler skips those that are hidden.
        const int step = action == MoveLeft ? -1 : 1;
        const int column = qBound(0, Col() + step, int(Count) - 1);
        target = model()->index(currentIndex().row(), column == Handle ? Number : column);
    } else {
        target = moveCursor(action, event->modifiers());
    }
    if (target.isValid())
        goToCell(target.column(), CatalogModel::gridRow(target));
}

void TBookmarksGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    QTableView::closeEditor(editor, m_reopening ? QAbstractItemDelegate::NoHint : hint);
    if (m_reopening)
        return;
    m_form->BookmarksGridEditingDone();
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

bool TBookmarksGrid::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == horizontalHeader()->viewport() &&
        (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease))
        m_headerModifiers = static_cast<QMouseEvent*>(event)->modifiers();
    if (watched == horizontalHeader()->viewport() && event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const QString hint = m_form->BookmarksGridGridHint(horizontalHeader()->logicalIndexAt(help->pos()));
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
