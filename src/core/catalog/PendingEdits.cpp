#include "core/catalog/PendingEdits.h"

#include "core/catalog/CatalogDocument.h"
#include "core/catalog/CatalogGridView.h"
#include "core/catalog/CatalogView.h"
#include "core/catalog/CatalogWindowView.h"

using namespace BookmarkColumn;

PendingEdits::PendingEdits(CatalogDocument& document, CatalogGridView& grid, CatalogWindowView& window)
    : m_document(document), m_grid(grid), m_window(window)
{
}

bool PendingEdits::takeIn()
{
    if (m_document.CatalogMode() == CatalogDocument::Mode::Closed)
        return true;
    if (!m_grid.commitOpenEditor())
        return false;
    takeInDescription();
    return true;
}

void PendingEdits::takeInDescription()
{
    CatalogDocument& d = m_document;
    const int row = d.SelectedRow();
    if (d.CatalogMode() == CatalogDocument::Mode::Closed || row < 1 || row >= d.RowCount())
        return;
    const std::optional<QString> typed = m_window.typedDescription();
    if (!typed)
        return;
    m_window.descriptionTakenIn();
    const QString text = *typed;
    if (text == d.Cells(Description, row))
        return;
    d.setCells(Description, row, text);
    if (row == d.PlayingBookmark() && m_main)
        m_main->setRunningDescription(text);
    d.setCatalogModified(true);
}
