// The optional columns of the catalog grid switched on and off while the
// grid is shown: widths, the stretching column, the cursor and the repeats
// button follow at once.
#include "gui/catalog/TBookmarksForm.h"

#include "core/catalog/CatalogDocument.h"
#include "gui/catalog/TBookmarksGrid.h"
#include "gui/widgets/TColourButton.h"

#include <QHeaderView>

using namespace BookmarkColumn;

namespace {

constexpr int LearnWidth = 40;
constexpr int RatingWidth = 45;
constexpr int FolderWidth = 100;

} // namespace

void TBookmarksForm::switchColumn(int column, bool shown)
{
    if (column != Category && column != Learn && column != Rating && column != Folder)
        return;
    // Widths change below; those the user gave the columns stay remembered
    // (also those read from the settings before the grid shows them).
    const int categoryWidth = m_categoryWidth;
    const int nameWidth = m_nameWidth;
    const int filenameWidth = m_filenameWidth;
    m_document->setColumnShown(column, shown);
    TBookmarksGrid* grid = BookmarksGrid;
    QHeaderView* header = grid->horizontalHeader();
    const int row = grid->Row();
    const bool cursorInColumn = grid->Col() == column && row >= 1;
    switch (column) {
    case Category:
        grid->setColumnWidth(Category, shown ? categoryWidth : 0);
        hideRepeatsButton->setVisible(shown);
        break;
    case Learn:
        grid->setColumnWidth(Learn, shown ? LearnWidth : 0);
        break;
    case Rating:
        grid->setColumnWidth(Rating, shown ? RatingWidth : 0);
        break;
    case Folder:
        // One of Folder and Filename stretches to the grid's right edge.
        header->setSectionResizeMode(shown ? Filename : Folder, shown ? QHeaderView::Interactive : QHeaderView::Fixed);
        header->setSectionResizeMode(shown ? Folder : Filename, QHeaderView::Stretch);
        grid->setColumnWidth(Folder, shown ? FolderWidth : 0);
        grid->setColumnWidth(Filename, filenameWidth);
        break;
    }
    m_categoryWidth = categoryWidth;
    m_nameWidth = nameWidth;
    m_filenameWidth = filenameWidth;
    if (!shown && cursorInColumn)
        grid->placeCursor(column == Folder ? Filename : Name, row);
}
