// The main window's side of the catalog: its bookmark list, the catalog
// indicators and the catalog button, and what the catalog window reads from
// this window.
#include "gui/main/TMainForm.h"

#include "core/catalog/CatalogControllers.h"
#include "core/catalog/CatalogDocument.h"
#include "core/playback/MediaPlayerControl.h"
#include "gui/catalog/TBookmarksForm.h"
#include "gui/input/KeyCommands.h"
#include "gui/input/Keyboard.h"
#include "gui/main/AppWindows.h"
#include "gui/main/SettingsFiles.h"
#include "gui/options/TOptionsForm.h"
#include "gui/widgets/TColourButton.h"
#include "gui/widgets/TimeBox.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

void TMainForm::connectCatalogWindow()
{
    TBookmarksForm* catalog = m_windows->BookmarksForm;
    CatalogControllers* rules = m_windows->catalog;
    saveCatalog = [rules] { return rules->lifecycle.DoSave(); };
    const CatalogDocument* document = catalog->document();
    TOptionsForm* options = m_windows->OptionsForm;
    // What was typed into the catalog window counts as a change; a value
    // its checks refuse too, so that the save that follows says why.
    options->setCatalogSaver([rules, document] { return !rules->edits.takeIn() || document->CatalogModified(); },
                             [rules] { return rules->lifecycle.DoSave(); });
    connect(options, &TOptionsForm::resetInitialCatalogDirectory, this, &TMainForm::ResetInitialCatalogDirectory);
    connect(options, &TOptionsForm::columnSwitched, this,
            [rules](int column, bool shown) { rules->grid.switchColumn(column, shown); });
    connect(catalog, &TBookmarksForm::optionsRequested, this, &TMainForm::showCatalogOptions);
    connect(OpenCatalogButton, &QAbstractButton::clicked, this, [this] { ShowBookmarksClick(OpenCatalogButton); });
    connect(ShowBookmarks1, &QAction::triggered, this, [this] { ShowBookmarksClick(ShowBookmarks1); });
    connectImportClips();
    connectBookmarkPlaying();
}

void TMainForm::ResetInitialCatalogDirectory()
{
    m_windows->catalog->lifecycle.ResetInitialCatalogDirectory(m_windows->OptionsForm->defaultCatalogDirectoryText());
}

void TMainForm::ShowBookmarksClick(QObject*)
{
    TBookmarksForm* catalog = m_windows->BookmarksForm;
    if (catalog->document()->CatalogMode() != 0) {
        catalog->show();
        catalog->raise();
        catalog->activateWindow();
        return;
    }
    if (!m_windows->catalog->lifecycle.OpenButtonClick(CatalogLifecycle::Caller::MainWindow))
        giveFocusToSink();
}

void TMainForm::setLoopListItems(const QStringList& items, int selected)
{
    LoopList->clear();
    LoopList->addItems(items);
    LoopList->setCurrentIndex(selected);
}

void TMainForm::selectLoopListItem(int index)
{
    LoopList->setCurrentIndex(index);
}

void TMainForm::ShowBookmarkingInfo()
{
    CurrentlyPlayingLabel->show();
    NewCatalogLabel->hide();
    makeBookmarkButton->move(makeBookmarkButton->x(), 16);
    LoopList->show();
    updateBookmarkButton->show();
    RunningDescription->show();
    OpenCatalogButton->setText(QStringLiteral("show video catalog"));
    OpenCatalogButton->setHint(QStringLiteral("Show currently open catalog file.\n<Ctrl+O> will also work."));
    ShowBookmarks1->setText(QStringLiteral("Show Video Catalog"));
}

void TMainForm::HideBookmarkingInfo()
{
    CurrentlyPlayingLabel->hide();
    NewCatalogLabel->show();
    makeBookmarkButton->move(makeBookmarkButton->x(), 22);
    LoopList->hide();
    updateBookmarkButton->hide();
    RunningDescription->hide();
    OpenCatalogButton->setText(QStringLiteral("open video catalog"));
    OpenCatalogButton->setHint(
        QStringLiteral("Open a catalog file to view a collection of bookmarks.\n<Ctrl+O> will also work."));
    ShowBookmarks1->setText(QStringLiteral("Open Video Catalog"));
}

void TMainForm::setRunningDescription(const QString& text)
{
    RunningDescription->setText(text);
}

QString TMainForm::openClipPath() const
{
    return player()->FileName();
}

BookmarksGridColumns TMainForm::gridColumns() const
{
    return settings ? settings->gridColumns() : BookmarksGridColumns{};
}

int TMainForm::lastArrowDirection() const
{
    return keyboard ? keyboard->commands->LastArrowDirection : 0;
}

void TMainForm::showCatalogOptions()
{
    TOptionsForm* options = m_windows->OptionsForm;
    options->showCatalogingPage();
    options->exec();
}
