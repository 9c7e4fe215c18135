#pragma once

class CatalogDocument;
class CatalogGridView;
class CatalogView;
class CatalogWindowView;

// What the user typed into the catalog window and the document does not
// hold yet: the text of the description pane and the value of an open cell
// editor. Both belong to the document before anything reads or drops it:
// save, save as, open, new, close, exit, print, play all and sorting take
// them in first, and so does every move of the cursor to another row. A
// closed catalog takes nothing in and is never marked modified.
class PendingEdits {
public:
    PendingEdits(CatalogDocument& document, CatalogGridView& grid, CatalogWindowView& window);

    // The main window, which shows the description of the playing bookmark.
    void setCatalogView(CatalogView* view) { m_main = view; }

    // Takes in the open editor's value and the pane's text. False when the
    // editor's checks refused its value (the user has been told; the action
    // that asked should not go on).
    bool takeIn();
    // The pane's text into the description of the selected row, when it
    // differs: the catalog is modified, and the main window shows the new
    // text when that row plays.
    void takeInDescription();

private:
    CatalogDocument& m_document;
    CatalogGridView& m_grid;
    CatalogWindowView& m_window;
    CatalogView* m_main = nullptr;
};
