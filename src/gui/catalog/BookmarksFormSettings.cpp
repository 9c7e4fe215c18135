// The catalog window's settings: its bounds, the grid panel's width, the
// line spacing style, the widths the user gives the resizable columns and
// the hiding of repeated categories.
#include "gui/catalog/TBookmarksForm.h"

#include "core/catalog/CatalogDocument.h"
#include "core/settings/BindingTable.h"
#include "gui/widgets/WindowPlacement.h"

void TBookmarksForm::bindSettings(ConfigBindings& binding)
{
    using S = Settings;
    WindowPlacement::bindBounds(binding, this, &S::bookmarksFormLeft, &S::bookmarksFormTop, &S::bookmarksFormWidth,
                                &S::bookmarksFormHeight, &S::bookmarksFormWindowState, 50);

    // The widths the user gave the resizable columns (BookmarksGridColumnSize
    // follows them); read widths take effect when the grid is next reset.
    binding.bind(
        &S::bookmarksFormCategoryColumnWidth, [this] { return m_categoryWidth; },
        [this](int width) { m_categoryWidth = width; });
    binding.bind(
        &S::bookmarksFormNameColumnWidth, [this] { return m_nameWidth; }, [this](int width) { m_nameWidth = width; });
    binding.bind(
        &S::bookmarksFormFilenameColumnWidth, [this] { return m_filenameWidth; },
        [this](int width) { m_filenameWidth = width; });
    binding.bind(
        &S::bookmarksFormHideRepeatCategory, [this] { return RepeatsHidden(); },
        [this](bool on) { setRepeatsHidden(on); });

    binding.bind(
        &S::bookmarksFormLineWrapStyle, [this] { return SpacingStyle(); },
        [this](int style) { setSpacingStyle(style); });
    binding.bind(
        &S::bookmarksFormGridWidth, [this] { return gridPanelWidth(); },
        [this](int width) { setGridPanelWidth(width); });
}

void TBookmarksForm::bindExtras(ExtrasBindings& binding)
{
    using E = Extras;
    binding.bindGroup(
        {ExtrasBindings::Member(&E::playAllFilterOn), ExtrasBindings::Member(&E::playAllFilterLevels),
         ExtrasBindings::Member(&E::playAllFilterMaxRating)},
        [this](const E& e) {
            m_document->setPlayAllFilter(
                {e.playAllFilterOn, PlayAllFilter::knownLevels(e.playAllFilterLevels), e.playAllFilterMaxRating});
        },
        [this](E& e) {
            const PlayAllFilter& f = m_document->playAllFilter();
            e.playAllFilterOn = f.on;
            e.playAllFilterLevels = f.levels;
            e.playAllFilterMaxRating = f.maxRating;
        });
}
