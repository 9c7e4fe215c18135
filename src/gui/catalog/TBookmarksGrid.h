#pragma once

#include <QTableView>

class BookmarksGridDelegate;
class TBookmarksForm;

// The catalog window's grid: a view of the catalog's rows that moves its
// cursor, selects whole rows, moves rows dragged by the first column and
// opens cell editors as the catalog window's handlers decide. Cells are
// addressed as (column, grid row); bookmark rows start at grid row 1.
class TBookmarksGrid : public QTableView {
    Q_OBJECT
public:
    TBookmarksGrid(TBookmarksForm* form, QWidget* parent = nullptr);

    // The cursor: current column and grid row (row 0 when there is none).
    int Col() const;
    int Row() const;
    // Asks the window's cell selection handler, then puts the cursor where
    // it decides.
    void goToCell(int column, int row);
    // Puts the cursor on a cell, or on a whole row (columns 1 to 13, the
    // cursor in column 13), without asking.
    void placeCursor(int column, int row, bool wholeRow = false);

    // Cell editing is switched on only between a double-click (or Enter)
    // on an editable cell and the end of that edit.
    bool editingOn() const { return editTriggers() != QAbstractItemView::NoEditTriggers; }
    void setEditingOn(bool on);
    void openEditorOnCursor();
    BookmarksGridDelegate* delegate() const { return m_delegate; }
    // Shift and the other modifiers of the last click on the header.
    Qt::KeyboardModifiers headerModifiers() const { return m_headerModifiers; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyboardSearch(const QString&) override {}
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int rowAtY(int y) const;
    void reopenEditor(const QModelIndex& index);

    TBookmarksForm* m_form;
    BookmarksGridDelegate* m_delegate;
    int m_dragFrom = 0; // grid row being dragged by the move column
    int m_dropAt = 0;
    bool m_reopening = false;
    Qt::KeyboardModifiers m_headerModifiers; // a refused value: the editor opens again
};
