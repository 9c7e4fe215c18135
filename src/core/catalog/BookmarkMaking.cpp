#include "core/catalog/BookmarkMaking.h"

#include "core/base/Prompt.h"
#include "core/base/TimeCode.h"
#include "core/catalog/BookmarkCatalogView.h"
#include "core/catalog/BookmarkChecks.h"
#include "core/catalog/BookmarksGridColumns.h"
#include "core/catalog/CatalogDocument.h"
#include "core/catalog/CategoryDialogView.h"
#include "core/playback/ChimePlayer.h"
#include "core/playback/LoopView.h"
#include "core/playback/MediaPlayerControl.h"

#include <QFileInfo>
#include <cmath>

using namespace BookmarkColumn;

namespace {

const QString kNoClipMessage = QStringLiteral("You must choose a clip first before attempting to add a bookmark.");
const QString kNoStartMessage =
    QStringLiteral("You must enter a \"Start Time\" in Loop Controls (above) before defining a bookmark.");
const QString kEndBeforeStartMessage = QStringLiteral("The \"End Time\" must be greater than the \"Start Time\"");
const QString kNothingToUpdateMessage = QStringLiteral("There is no currently playing bookmark to update.");
const QString kNoEndTime = QStringLiteral("--:--:--");

} // namespace

BookmarkMaking::BookmarkMaking(QObject* parent) : QObject(parent)
{
}

BookmarkMaking::~BookmarkMaking() = default;

void BookmarkMaking::setChimePlayer(std::unique_ptr<ChimePlayer> chime)
{
    m_chime = std::move(chime);
}

int BookmarkMaking::roundedSeconds(double position)
{
    // The default floating-point rounding mode sends halves to even.
    return static_cast<int>(std::nearbyint(position));
}

void BookmarkMaking::makeBookmark()
{
    if (!pauseAndCheckClip() || !checkLoopFields() || !askCategoryAndName())
        return;
    const int row = takeRow(insertColonsIntoString(m_parts.loopFields->startTimeDigits()),
                            insertColonsIntoString(m_parts.loopFields->endTimeDigits()));
    CatalogDocument& d = m_parts.catalog->catalogDocument();
    d.setCells(Category, row, LastCategory);
    d.setCells(CategoryCopy, row, LastCategory);
    d.setCells(Name, row, LastName);
    finishAdding(row);
    d.RefreshHideRepeats();
    m_parts.catalog->showCell(Name, row);
}

void BookmarkMaking::makeQuickBookmark()
{
    if (!pauseAndCheckClip())
        return;
    BookmarkCatalogView& catalog = *m_parts.catalog;
    if (catalog.catalogDocument().CatalogMode() == CatalogDocument::Mode::Closed) {
        catalog.startNewCatalog();
        catalog.showGrid();
        catalog.showCell(Category, 1);
    }
    const int seconds = roundedSeconds(m_parts.player->CurrentPosition());
    const int row = takeRow(insertColonsIntoString(determineColonStringFromSeconds(seconds)), kNoEndTime);
    catalog.catalogDocument().setCells(Category, row, {});
    catalog.catalogDocument().setCells(Name, row, {});
    finishAdding(row);
    // The chime sounds once the bookmark is in; the window does not wait
    // for it to end.
    if (m_chime)
        m_chime->play();
}

void BookmarkMaking::updatePlayingBookmark()
{
    CatalogDocument& d = m_parts.catalog->catalogDocument();
    const int row = d.PlayingBookmark();
    if (row == -1) {
        prompt().message(kNothingToUpdateMessage);
    } else {
        d.setCells(StartTime, row, insertColonsIntoString(m_parts.loopFields->startTimeDigits()));
        d.setCells(EndTime, row, insertColonsIntoString(m_parts.loopFields->endTimeDigits()));
        d.setCatalogModified(true);
        emit bookmarkStored(row);
    }
}

bool BookmarkMaking::pauseAndCheckClip()
{
    MediaPlayerControl& player = *m_parts.player;
    if (player.PlayState() == mpPlaying)
        player.Pause();
    if (!player.FileName().isEmpty())
        return true;
    prompt().message(kNoClipMessage);
    return false;
}

bool BookmarkMaking::checkLoopFields()
{
    const QString start = m_parts.loopFields->startTimeDigits();
    const QString end = m_parts.loopFields->endTimeDigits();
    QString problem;
    if (start.isEmpty())
        problem = kNoStartMessage;
    else if (!end.isEmpty() && end.compare(start) <= 0) // six digits each: text order is time order
        problem = kEndBeforeStartMessage;
    if (problem.isEmpty())
        return true;
    prompt().message(problem);
    return false;
}

bool BookmarkMaking::askCategoryAndName()
{
    const CatalogDocument& d = m_parts.catalog->catalogDocument();
    const BookmarksGridColumns columns = m_parts.catalog->optionColumns();
    const bool open = d.CatalogMode() != CatalogDocument::Mode::Closed;
    const QString categoryTitle = open ? d.Cells(Category, 0) : columns.categoryName;
    const QString nameTitle = open ? d.Cells(Name, 0) : columns.nameName;
    CategoryDialogView& dialog = *m_parts.dialog;
    // A text the catalog file could not keep is refused, and the dialog
    // asks again with what was typed.
    for (;;) {
        dialog.arrange(categoryTitle, nameTitle, columns.showCategory, catalogCategories(), LastCategory, LastName);
        const bool ok = dialog.ask();
        LastCategory = dialog.category();
        LastName = dialog.name();
        if (!ok)
            return false;
        QString refused = BookmarkChecks::oneLineTextMessage(LastName, nameTitle.toLower());
        if (columns.showCategory && refused.isEmpty())
            refused = BookmarkChecks::oneLineTextMessage(LastCategory, categoryTitle.toLower());
        if (refused.isEmpty())
            return true;
        prompt().message(refused, Prompt::Icon::Warning);
    }
}

QStringList BookmarkMaking::catalogCategories() const
{
    const CatalogDocument& d = m_parts.catalog->catalogDocument();
    QStringList categories;
    if (d.CatalogMode() == CatalogDocument::Mode::Closed)
        return categories;
    for (int r = 1; r < d.RowCount(); ++r)
        categories.append(d.Cells(CategoryCopy, r));
    return categories;
}

int BookmarkMaking::takeRow(const QString& startText, const QString& endText)
{
    BookmarkCatalogView& catalog = *m_parts.catalog;
    if (catalog.catalogDocument().CatalogMode() == CatalogDocument::Mode::Closed)
        catalog.startNewCatalog();
    catalog.showGrid();
    CatalogDocument& d = catalog.catalogDocument();
    const int row = d.takeRowForNewBookmark();
    const QFileInfo clip(m_parts.player->FileName());
    d.setCells(StartTime, row, startText);
    d.setCells(EndTime, row, endText);
    d.setCells(Filename, row, clip.fileName());
    d.setCells(Folder, row, clip.absolutePath() + u'/');
    return row;
}

void BookmarkMaking::finishAdding(int row)
{
    m_parts.catalog->rebuildBookmarkList();
    CatalogDocument& d = m_parts.catalog->catalogDocument();
    d.setCatalogModified(true);
    // Saving would refuse the clip later; the user hears of it now, while
    // the clip is at hand.
    if (const QString warning = BookmarkChecks::unstorableClipWarning(d, {row}); !warning.isEmpty())
        prompt().message(warning, Prompt::Icon::Warning);
    emit bookmarkStored(row);
}
