// Importing clip files into the catalog from the main window's import button
// and menu item and from the catalog window's menu item.
#include "gui/main/TMainForm.h"

#include "core/catalog/CatalogControllers.h"
#include "gui/catalog/TBookmarksForm.h"
#include "gui/main/AppWindows.h"
#include "gui/widgets/TColourButton.h"

#include <QAction>
#include <QComboBox>

void TMainForm::connectImportClips()
{
    connect(ImportClipsButton, &QAbstractButton::clicked, this,
            [this] { ImportMultipleClips1Click(ImportClipsButton); });
    connect(ImportMultipleClips1, &QAction::triggered, this,
            [this] { ImportMultipleClips1Click(ImportMultipleClips1); });
    TBookmarksForm* catalog = m_windows->BookmarksForm;
    connect(catalog, &TBookmarksForm::importClipsRequested, this, &TMainForm::ImportMultipleClips1Click);
}

void TMainForm::ImportMultipleClips1Click(QObject*)
{
    // A cancelled dialog gives the focus back to this window's focus sink.
    if (!m_windows->catalog->lifecycle.ImportMultipleClips())
        giveFocusToSink();
}

void TMainForm::addLoopListItem(const QString& item)
{
    LoopList->addItem(item);
}
