// The catalog window's settings: its bounds, the grid panel's width, the
// line spacing style, and the widths the user gives the resizable columns.
#include "catalog/TBookmarksForm.h"

#include "app/SettingsBinding.h"
#include "ui/widgets/WindowPlacement.h"

#include <QHeaderView>
#include <QTableWidget>
#include <memory>

namespace {

// The last width the user gave each resizable column: the category column
// while it is shown, the name column, and the file name column while it does
// not stretch (the folder column is shown). A hidden column keeps its width
// for when it is shown again.
struct RememberedWidths {
    int category = Settings{}.bookmarksFormCategoryColumnWidth;
    int name = Settings{}.bookmarksFormNameColumnWidth;
    int filename = Settings{}.bookmarksFormFilenameColumnWidth;
};

} // namespace

void TBookmarksForm::bindSettings(SettingsBinding& binding)
{
    using S = Settings;
    WindowPlacement::bindBounds(binding, this, &S::bookmarksFormLeft, &S::bookmarksFormTop, &S::bookmarksFormWidth,
                                &S::bookmarksFormHeight, &S::bookmarksFormWindowState, 50);

    auto widths = std::make_shared<RememberedWidths>();
    QHeaderView* header = BookmarksGrid->horizontalHeader();
    connect(header, &QHeaderView::sectionResized, this, [widths, header](int column, int, int size) {
        const bool userSized = header->sectionResizeMode(column) == QHeaderView::Interactive && size > 0;
        if (!userSized)
            return;
        if (column == BookmarkColumn::Category)
            widths->category = size;
        else if (column == BookmarkColumn::Name)
            widths->name = size;
        else if (column == BookmarkColumn::Filename)
            widths->filename = size;
    });
    // Read widths take effect when the grid is next reset; the reset then
    // reports them back through the header.
    binding.bind(
        &S::bookmarksFormCategoryColumnWidth, [widths] { return widths->category; },
        [widths](int width) { widths->category = width; });
    binding.bind(
        &S::bookmarksFormNameColumnWidth, [widths] { return widths->name; },
        [widths](int width) { widths->name = width; });
    binding.bind(
        &S::bookmarksFormFilenameColumnWidth, [widths] { return widths->filename; },
        [widths](int width) { widths->filename = width; });

    binding.bind(
        &S::bookmarksFormLineWrapStyle, [this] { return SpacingStyle(); },
        [this](int style) { setSpacingStyle(style); });
    binding.bind(
        &S::bookmarksFormGridWidth, [this] { return gridPanelWidth(); },
        [this](int width) { setGridPanelWidth(width); });
}
