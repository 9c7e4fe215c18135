// The catalog window's play-all filter: the "filter..." button shows its
// bar, the bar sets the document's filter, and the grid marks the rows
// that will play while it is on.
#include "gui/catalog/TBookmarksForm.h"

#include "core/catalog/CatalogDocument.h"
#include "gui/catalog/PlayAllFilterBar.h"
#include "gui/catalog/TBookmarksGrid.h"
#include "gui/widgets/TColourButton.h"

void TBookmarksForm::connectPlayAllFilter()
{
    PlayAllFilterPanel->hide();
    PlayAllFilterButton->setHint(QStringLiteral("Limit play all and previous/current/next to some mastery levels "
                                                "and ratings"));
    connect(PlayAllFilterButton, &QAbstractButton::clicked, this, [this] {
        PlayAllFilterPanel->setVisible(!PlayAllFilterPanel->isVisible());
        showPlayAllFilterCount();
    });
    connect(PlayAllFilterPanel, &PlayAllFilterBar::filterChanged, m_document, &CatalogDocument::setPlayAllFilter);
    connect(m_document, &CatalogDocument::playAllFilterChanged, this, [this] {
        PlayAllFilterPanel->setFilter(m_document->playAllFilter());
        showPlayAllFilterCount();
        BookmarksGrid->viewport()->update();
    });
    CatalogModel* model = m_document->model();
    connect(model, &CatalogModel::modelReset, this, &TBookmarksForm::showPlayAllFilterCount);
    connect(model, &CatalogModel::layoutChanged, this, &TBookmarksForm::showPlayAllFilterCount);
    connect(model, &CatalogModel::dataChanged, this, &TBookmarksForm::showPlayAllFilterCount);
    connect(model, &CatalogModel::rowsInserted, this, &TBookmarksForm::showPlayAllFilterCount);
    connect(model, &CatalogModel::rowsRemoved, this, &TBookmarksForm::showPlayAllFilterCount);
}

void TBookmarksForm::showPlayAllFilterCount()
{
    if (!PlayAllFilterPanel->isVisible())
        return;
    const CatalogModel& model = *m_document->model();
    const int total = m_document->CatalogMode() == 0 ? 0 : model.bookmarkCount();
    PlayAllFilterPanel->showCount(total ? m_document->playAllFilter().passingCount(model) : 0, total);
}
