#pragma once

#include "core/catalog/BookmarksGridColumns.h"

#include <QString>
#include <QStringList>

// What the catalog window sees of the main window: its bookmark list
// `LoopList`, the catalog indicators, the loop time boxes, the description
// of the playing bookmark, the column settings and the keyboard's last arrow
// direction. The main window implements it.
class CatalogView {
public:
    virtual ~CatalogView() = default;

    // Fills `LoopList` with the items and selects `selected` (-1: none).
    virtual void setLoopListItems(const QStringList& items, int selected) = 0;
    virtual void selectLoopListItem(int index) = 0;
    // Adds one item at the end of `LoopList` (imported clips).
    virtual void addLoopListItem(const QString& item) = 0;

    // The main window's catalog indicators.
    virtual void ShowBookmarkingInfo() = 0;
    virtual void HideBookmarkingInfo() = 0;

    // The loop time boxes, in digit form ("hhmmss").
    virtual void setStartTimeDigits(const QString& digits) = 0;
    virtual void setEndTimeDigits(const QString& digits) = 0;
    // The description of the bookmark that plays.
    virtual void setRunningDescription(const QString& text) = 0;
    // The full path of the clip open in the player (empty: none).
    virtual QString openClipPath() const = 0;

    // Column titles, shown columns and widths for a reset of the grid.
    virtual BookmarksGridColumns gridColumns() const = 0;
    // The arrow key pressed last: hidden columns are skipped its way.
    enum class Arrow { None, Left, Right };
    virtual Arrow lastArrowDirection() const = 0;
    // Where the clip dialogs start (relinking, importing).
    virtual QString defaultVideoDirectory() const = 0;
    // Opens the options window on its cataloging page.
    virtual void showCatalogOptions() = 0;
};
