#pragma once

#include "core/catalog/CatalogGridView.h"

#include <QTableView>
#include <functional>

class BookmarksGridDelegate;
class CatalogDocument;

// The catalog window's grid `BookmarksGrid`: a view of the catalog's rows.
// It reports what the user does (a cell asked for by a click or an arrow
// key, a double-click, Enter, Delete, a row dragged by its first column, a
// title clicked, an edit ended) and moves its cursor, opens editors and
// sizes its columns as it is told. Only the category, name and file name
// columns may be resized; their widths are remembered for the next reset.
class TBookmarksGrid : public QTableView, public CatalogGridView {
    Q_OBJECT
public:
    explicit TBookmarksGrid(CatalogDocument* document, QWidget* parent = nullptr);

    // Checks a committed cell value; false refuses it.
    void setValidator(std::function<bool(int column, int row, const QString& text)> validator);
    // The hint of a column's title (empty: none).
    void setHeaderHint(std::function<QString(int column)> hint) { m_headerHint = std::move(hint); }
    // The hint of a bookmark's name cell (empty: none).
    void setRowHint(std::function<QString(int row)> hint);
    // The grid's colours: cream, or medium grey while locked.
    void showLocked(bool locked);

    // The widths the user gave the resizable columns (settings).
    int categoryColumnWidth() const { return m_categoryWidth; }
    int nameColumnWidth() const { return m_nameWidth; }
    int filenameColumnWidth() const { return m_filenameWidth; }
    void setCategoryColumnWidth(int width) { m_categoryWidth = width; }
    void setNameColumnWidth(int width) { m_nameWidth = width; }
    void setFilenameColumnWidth(int width) { m_filenameWidth = width; }

    // CatalogGridView.
    int cursorColumn() const override;
    int cursorRow() const override;
    void placeCursor(int column, int row, bool wholeRow = false) override;
    void focusGrid() override;
    bool editingOn() const override { return editTriggers() != QAbstractItemView::NoEditTriggers; }
    void setEditingOn(bool on) override;
    void openEditorOnCursor() override;
    bool commitOpenEditor() override;
    std::optional<OpenEdit> openEditorValue() const override;
    void showSortIndicators(bool shown) override;
    void showSortIndicator(int column, bool descending) override;
    void refreshCells() override;
    void applyColumns(const BookmarksGridColumns& columns) override;
    void showColumn(int column, bool shown) override;
    void rememberedWidths(BookmarksGridColumns& columns) const override;

signals:
    // A click or an arrow key asks for a cell; the cursor moves where the
    // selection rules decide.
    void cellAsked(int column, int row);
    void cellDoubleClicked(int row, int column);
    void keyDown(int key); // Enter
    void deletePressed();
    void rowMoved(int from, int to);
    void headerClicked(int column, bool shift);
    void headerDoubleClicked(int column);
    void editingDone();
    // The user changed what an open cell editor holds.
    void editorTyped();

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
    void columnResized();

    CatalogDocument* m_document;
    BookmarksGridDelegate* m_delegate;
    std::function<QString(int)> m_headerHint;
    int m_dragFrom = 0; // grid row being dragged by the move column
    int m_dropAt = 0;
    bool m_reopening = false; // a refused value: the editor opens again
    Qt::KeyboardModifiers m_headerModifiers;
    int m_categoryWidth = 64;
    int m_nameWidth = 91;
    int m_filenameWidth = 186;
};
