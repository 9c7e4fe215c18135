// The catalog as a document: new, open, save, save as, close and hide.
#include "gui/catalog/TBookmarksForm.h"

#include "core/base/Prompt.h"
#include "core/catalog/CatalogDocument.h"
#include "core/catalog/CatalogFileNames.h"
#include "core/catalog/CatalogView.h"
#include "gui/catalog/CatalogPrinting.h"
#include "gui/catalog/TBookmarksGrid.h"
#include "gui/input/FocusSink.h"

#include <QFileInfo>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>

using namespace BookmarkColumn;

namespace {

const QString kCatalogFilter =
    QStringLiteral("Tempoloop Video Catalog (*.tvc)|*.tvc|Excel Style Catalog (*.csv)|*.csv");

QString folderOf(const QString& path)
{
    return path.left(path.lastIndexOf(u'/') + 1);
}

} // namespace

void TBookmarksForm::NewButtonClick()
{
    CatalogDocument& d = *m_document;
    ResetBookmarksGrid();
    if (m_host)
        m_host->ShowBookmarkingInfo();
    d.setCatalogMode(1);
    d.setCatalogFileName({});
    d.setCatalogModified(false);
    d.setPlayingBookmark(-1);
    UpdateBookmarksFormTitleBar();
    show();
    BookmarksGrid->hide(); // the caller fills the first row and shows it
    setSpacingStyle(SpacingStyle());
    if (m_host)
        m_host->setLoopListItems({}, -1);
}

bool TBookmarksForm::askToSaveChanges(QObject* sender)
{
    if (!m_document->CatalogModified())
        return true;
    switch (prompt().askYesNoCancel(QStringLiteral("The current video catalog has changed.  Save changes?"),
                                    Prompt::Icon::Warning)) {
    case Prompt::Answer::No:
        return true;
    case Prompt::Answer::Yes:
        if (DoSave(sender ? sender : this))
            return true;
        break;
    default:
        break;
    }
    if (sender)
        BookmarksGrid->setFocus(Qt::OtherFocusReason);
    return false;
}

bool TBookmarksForm::OpenButtonClick(QWidget* caller)
{
    CatalogDocument& d = *m_document;
    TurnOffPlayAllBookmarks();
    if (!askToSaveChanges(this))
        return false;
    auto focusAfterFailure = [this, caller] {
        if (caller == this)
            BookmarksGrid->setFocus(Qt::OtherFocusReason);
    };
    const QString path = prompt().openFileName(QStringLiteral("Open Video Catalog"), m_openFolder, kCatalogFilter);
    if (path.isEmpty()) {
        focusAfterFailure();
        return false;
    }
    if (!QFileInfo::exists(path)) {
        prompt().message(QStringLiteral("The file you attempted to open, ") + path +
                             QStringLiteral(", does not exist.\nPlease try again."),
                         Prompt::Icon::Warning);
        focusAfterFailure();
        return false;
    }
    m_openFolder = folderOf(path);
    m_lastOpenPath = path;
    d.setPlayingBookmark(-1);
    readCatalogFile(path);
    d.StoreCopyCategoryColumns();
    d.RefreshHideRepeats();
    tieToFile(path);
    ValidateBookmarks();
    raise();
    switchSortingOff(QStringLiteral("sorting is OFF"));
    rebuildLoopList();
    BookmarksGrid->setFocus(Qt::OtherFocusReason);
    return true;
}

void TBookmarksForm::openCatalogArgument(const QString& path)
{
    CatalogDocument& d = *m_document;
    m_lastOpenPath = path;
    readCatalogFile(path);
    tieToFile(path);
    ValidateBookmarks();
    BookmarksGrid->setFocus(Qt::OtherFocusReason);
    d.StoreCopyCategoryColumns();
    d.RefreshHideRepeats();
    rebuildLoopList();
}

void TBookmarksForm::tieToFile(const QString& path)
{
    CatalogDocument& d = *m_document;
    if (m_host)
        m_host->ShowBookmarkingInfo();
    d.setCatalogMode(2);
    d.setCatalogFileName(path);
    d.setCatalogModified(false);
    UpdateBookmarksFormTitleBar();
    show();
    BookmarksGrid->show();
}

void TBookmarksForm::readCatalogFile(const QString& path)
{
    // The grid takes the options window's columns before a file is read
    // into it; a name no reader takes leaves the grid as it is.
    if (CatalogDocument::isCatalogFileName(path))
        ResetBookmarksGrid();
    m_document->ReadCatalogFile(path);
}

void TBookmarksForm::finishReading()
{
    setSpacingStyle(SpacingStyle());
    BookmarksGrid->placeCursor(Name, 1);
    DescriptionMemo->setPlainText(
        m_document->Cells(Description, 1).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

bool TBookmarksForm::DoSave(QObject* sender)
{
    CatalogDocument& d = *m_document;
    if (d.CatalogMode() == 1)
        return DoSaveAs(sender);
    return finishSave(d.WriteCatalogFile(d.CatalogFileName()), sender);
}

bool TBookmarksForm::finishSave(bool saved, QObject* sender)
{
    if (saved) {
        m_document->setCatalogModified(false);
        UpdateBookmarksFormTitleBar();
    }
    if (sender)
        BookmarksGrid->setFocus(Qt::OtherFocusReason);
    return saved;
}

bool TBookmarksForm::DoSaveAs(QObject* sender)
{
    CatalogDocument& d = *m_document;
    const QString chosen =
        prompt().saveFileName(QStringLiteral("Save Video Catalog As..."), m_saveFolder, kCatalogFilter);
    QString path = catalogSaveFileName(chosen);
    bool saved = false;
    // The dialog asked about replacing the name as chosen; the name saved to
    // is another file, which may exist too.
    if (path != chosen && QFileInfo::exists(path) &&
        prompt().askYesNo(
            QStringLiteral("%1 already exists.\nDo you want to replace it?").arg(QFileInfo(path).fileName()),
            Prompt::Icon::Warning, QStringLiteral("Save Video Catalog As...")) != Prompt::Answer::Yes)
        path.clear();
    if (!path.isEmpty())
        saved = d.WriteCatalogFile(path);
    if (saved) {
        d.setCatalogMode(2);
        d.setCatalogFileName(path);
    }
    return finishSave(saved, sender);
}

void TBookmarksForm::CloseButtonClick(QObject* sender)
{
    CatalogDocument& d = *m_document;
    TurnOffPlayAllBookmarks();
    if (!askToSaveChanges(sender))
        return;
    if (m_host)
        m_host->HideBookmarkingInfo();
    d.setCatalogMode(0);
    d.setCatalogModified(false);
    d.setCatalogFileName({});
    d.setPlayingBookmark(-1);
    hide();
    switchSortingOff(QStringLiteral("turn on sorting"));
    if (m_host)
        m_host->setLoopListItems({}, -1);
}

void TBookmarksForm::hideCatalogButtonClick(QObject*)
{
    if (m_document->PlayingAll())
        focusSink->takeFocus();
    else
        BookmarksGrid->setFocus(Qt::OtherFocusReason);
    hide();
}

void TBookmarksForm::PrintGrid(bool withDescription)
{
    QList<CatalogPrinting::Column> columns;
    for (int c = Number; c <= Folder; ++c)
        if (BookmarksGrid->columnWidth(c) > 0)
            columns.append({c, BookmarksGrid->columnWidth(c)});
    // The description is widened for the print only.
    if (withDescription)
        columns.append({Description, 200});
    const QString title = m_lastOpenPath.isEmpty() ? QStringLiteral("Tempoloop Video Catalog File") : m_lastOpenPath;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    // The job's name, which the dialog also offers as the PDF file's name.
    printer.setDocName(QFileInfo(title).completeBaseName());
    const bool accepted = m_printDialog ? m_printDialog(printer) : [&] {
        QPrintDialog dialog(&printer, this);
        return dialog.exec() == QDialog::Accepted;
    }();
    if (accepted)
        CatalogPrinting::print(printer, *m_document, columns, title);
    BookmarksGrid->setFocus(Qt::OtherFocusReason);
}
