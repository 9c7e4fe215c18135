#pragma once

#include "core/catalog/BookmarksGridColumns.h"

#include <QString>
#include <optional>

// The catalog grid as the catalog's rules see it: its cursor, its cell
// editing, its sort marks and its columns. Cells are addressed as (column,
// grid row); bookmark rows start at grid row 1. The catalog window's grid
// implements it; core tests use a fake.
class CatalogGridView {
public:
    virtual ~CatalogGridView() = default;

    // The cursor: current column and grid row (row 0 when there is none).
    virtual int cursorColumn() const = 0;
    virtual int cursorRow() const = 0;
    // Puts the cursor on a cell, or on a whole row (columns 1 to 13, the
    // cursor in column 13).
    virtual void placeCursor(int column, int row, bool wholeRow = false) = 0;
    virtual void focusGrid() = 0;

    // Cell editing is switched on only between a double-click (or Enter)
    // on an editable cell and the end of that edit.
    virtual bool editingOn() const = 0;
    virtual void setEditingOn(bool on) = 0;
    virtual void openEditorOnCursor() = 0;
    // Hands the value of an open cell editor to its checks and closes the
    // editor. False when the checks refused it: the user has been told why
    // and the editor opens again on the cell's text. True when no editor
    // was open.
    virtual bool commitOpenEditor() = 0;
    // What an open cell editor holds now, as it would be committed, with
    // the editor left open; nothing when no editor is open.
    struct OpenEdit {
        int column = 0;
        int row = 0;
        QString text;
    };
    virtual std::optional<OpenEdit> openEditorValue() const = 0;

    // The sort marks on the column titles: shown while sorting is on, and
    // the column sorted by last (-1: none).
    virtual void showSortIndicators(bool shown) = 0;
    virtual void showSortIndicator(int column, bool descending) = 0;

    // The colours and images of the cells follow the document (the playing
    // bookmark, the selected "Play" cell): they are painted again.
    virtual void refreshCells() = 0;

    // A reset: the titles' columns shown with these widths; the widths are
    // remembered as the user's.
    virtual void applyColumns(const BookmarksGridColumns& columns) = 0;
    // An optional column switched while the grid shows; the widths the
    // user gave stay remembered.
    virtual void showColumn(int column, bool shown) = 0;
    // The widths the user gave the resizable columns last.
    virtual void rememberedWidths(BookmarksGridColumns& columns) const = 0;
};
