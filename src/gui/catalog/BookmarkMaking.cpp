#include "gui/catalog/BookmarkMaking.h"

#include "core/base/Prompt.h"
#include "core/base/TimeCode.h"
#include "core/catalog/BookmarksGridColumns.h"
#include "core/catalog/CatalogDocument.h"
#include "core/catalog/CatalogView.h"
#include "core/playback/ChimePlayer.h"
#include "core/playback/LoopView.h"
#include "core/playback/MediaPlayerControl.h"
#include "gui/catalog/TBookmarksForm.h"
#include "gui/catalog/TBookmarksGrid.h"
#include "gui/catalog/TCategoryInputForm.h"

#include <QComboBox>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <cmath>

using namespace BookmarkColumn;

namespace {

const QString kNoClipMessage = QStringLiteral("You must choose a clip first before attempting to add a bookmark.");
const QString kNoStartMessage =
    QStringLiteral("You must enter a \"Start Time\" in Loop Controls (above) before defining a bookmark.");
const QString kEndBeforeStartMessage = QStringLiteral("The \"End Time\" must be greater than the \"Start Time\"");
const QString kNothingToUpdateMessage = QStringLiteral("There is no currently playing bookmark to update.");
const QString kNoEndTime = QStringLiteral("--:--:--");

bool execCentred(TCategoryInputForm& dialog)
{
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        dialog.move(screen->availableGeometry().center() - dialog.rect().center());
    return dialog.exec() == QDialog::Accepted;
}

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

void BookmarkMaking::makeBookmarkButtonClick(QObject* sender)
{
    emit ran(QStringLiteral("makeBookmarkButtonClick"), sender);
    if (!pauseAndCheckClip(sender) || !checkLoopFields(sender))
        return;
    if (!askCategoryAndName()) {
        focusSinkIf(sender);
        return;
    }
    const int row = takeRow(insertColonsIntoString(m_parts.loopFields->startTimeDigits()),
                            insertColonsIntoString(m_parts.loopFields->endTimeDigits()));
    CatalogDocument& d = *m_parts.catalog->document();
    d.setCells(Category, row, LastCategory);
    d.setCells(CategoryCopy, row, LastCategory);
    d.setCells(Name, row, LastName);
    finishAdding();
    d.RefreshHideRepeats();
    m_parts.catalog->BookmarksGrid->placeCursor(Name, row);
    m_parts.catalog->BookmarksGrid->setFocus(Qt::OtherFocusReason);
}

void BookmarkMaking::QuickMakeBookmarkButtonClick(QObject* sender)
{
    emit ran(QStringLiteral("QuickMakeBookmarkButtonClick"), sender);
    if (!pauseAndCheckClip(sender))
        return;
    TBookmarksForm& catalog = *m_parts.catalog;
    if (catalog.document()->CatalogMode() == 0) {
        catalog.NewButtonClick();
        catalog.BookmarksGrid->show();
        catalog.BookmarksGrid->placeCursor(Category, 1);
        catalog.BookmarksGrid->setFocus(Qt::OtherFocusReason);
    }
    const int seconds = roundedSeconds(m_parts.player->CurrentPosition());
    const int row = takeRow(insertColonsIntoString(determineColonStringFromSeconds(seconds)), kNoEndTime);
    catalog.document()->setCells(Category, row, {});
    catalog.document()->setCells(Name, row, {});
    finishAdding();
    // The chime sounds once the bookmark is in; the window does not wait
    // for it to end.
    if (m_chime)
        m_chime->play();
}

void BookmarkMaking::updateBookmarkButtonClick(QObject* sender)
{
    emit ran(QStringLiteral("updateBookmarkButtonClick"), sender);
    CatalogDocument& d = *m_parts.catalog->document();
    const int row = d.PlayingBookmark();
    if (row == -1) {
        prompt().message(kNothingToUpdateMessage);
    } else {
        d.setCells(StartTime, row, insertColonsIntoString(m_parts.loopFields->startTimeDigits()));
        d.setCells(EndTime, row, insertColonsIntoString(m_parts.loopFields->endTimeDigits()));
        d.setCatalogModified(true);
        m_parts.catalog->UpdateBookmarksFormTitleBar();
    }
    m_parts.loopFields->giveFocusToSink();
}

bool BookmarkMaking::pauseAndCheckClip(QObject* sender)
{
    MediaPlayerControl& player = *m_parts.player;
    if (player.PlayState() == mpPlaying)
        player.Pause();
    if (!player.FileName().isEmpty())
        return true;
    prompt().message(kNoClipMessage);
    focusSinkIf(sender);
    return false;
}

bool BookmarkMaking::checkLoopFields(QObject* sender)
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
    focusSinkIf(sender);
    return false;
}

bool BookmarkMaking::askCategoryAndName()
{
    const CatalogDocument& d = *m_parts.catalog->document();
    const BookmarksGridColumns columns = m_parts.host->gridColumns();
    const bool open = d.CatalogMode() != 0;
    const QString categoryTitle = open ? d.Cells(Category, 0) : columns.categoryName;
    const QString nameTitle = open ? d.Cells(Name, 0) : columns.nameName;
    TCategoryInputForm& dialog = *m_parts.dialog;
    dialog.arrange(categoryTitle, nameTitle, columns.showCategory, catalogCategories(), LastCategory, LastName);
    const bool ok = m_showDialog ? m_showDialog(dialog) : execCentred(dialog);
    LastCategory = dialog.InputBox_Category->currentText();
    LastName = dialog.InputBox_Name->text();
    return ok;
}

QStringList BookmarkMaking::catalogCategories() const
{
    const CatalogDocument& d = *m_parts.catalog->document();
    QStringList categories;
    if (d.CatalogMode() == 0)
        return categories;
    for (int r = 1; r < d.RowCount(); ++r)
        categories.append(d.Cells(CategoryCopy, r));
    return categories;
}

int BookmarkMaking::takeRow(const QString& startText, const QString& endText)
{
    TBookmarksForm& catalog = *m_parts.catalog;
    if (catalog.document()->CatalogMode() == 0)
        catalog.NewButtonClick();
    catalog.BookmarksGrid->show();
    CatalogDocument& d = *catalog.document();
    const int row = d.takeRowForNewBookmark();
    const QFileInfo clip(m_parts.player->FileName());
    d.setCells(StartTime, row, startText);
    d.setCells(EndTime, row, endText);
    d.setCells(Filename, row, clip.fileName());
    d.setCells(Folder, row, clip.absolutePath() + u'/');
    return row;
}

void BookmarkMaking::finishAdding()
{
    TBookmarksForm& catalog = *m_parts.catalog;
    catalog.rebuildLoopList();
    catalog.document()->setCatalogModified(true);
    catalog.UpdateBookmarksFormTitleBar();
}

void BookmarkMaking::focusSinkIf(QObject* sender)
{
    if (sender)
        m_parts.loopFields->giveFocusToSink();
}
