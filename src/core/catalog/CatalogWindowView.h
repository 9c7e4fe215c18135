#pragma once

#include <QString>
#include <optional>

// The catalog window as the catalog's rules see it, besides its grid: the
// window itself, its description pane, its focus sink and the captions and
// looks of its button bar. The catalog window implements it; core tests use
// a fake.
class CatalogWindowView {
public:
    virtual ~CatalogWindowView() = default;

    // The window shown; shown in front and active; hidden (the catalog
    // stays open).
    virtual void showWindow() = 0;
    virtual void bringToFront() = 0;
    virtual void hideWindow() = 0;
    // The grid is hidden until the catalog holds a bookmark.
    virtual void showGrid(bool shown) = 0;
    // The window's focus sink takes the focus: keystrokes are commands.
    virtual void focusSink() = 0;
    virtual void beep() = 0;

    // The description pane shows a bookmark's description (lines joined by
    // CR LF).
    virtual void showDescription(const QString& text) = 0;
    // What the pane holds when the user typed into it since it was shown or
    // taken in (lines joined by CR LF); nothing when the user did not.
    virtual std::optional<QString> typedDescription() const = 0;
    // What the pane holds is in the document now.
    virtual void descriptionTakenIn() = 0;

    // The button bar: the sorting button's caption (the repeats button is
    // disabled while sorting is on), the repeats button's caption and
    // whether it shows (with the category column), the spacing caption and
    // the row heights of the style.
    virtual void showSorting(bool on, const QString& caption) = 0;
    virtual void showRepeatsHidden(bool hidden) = 0;
    virtual void showRepeatsButton(bool shown) = 0;
    virtual void showSpacing(int style) = 0;
    // While all bookmarks play: the blinking label, the colours, the grid
    // and description pane locked with the open, save, save as, close,
    // import and sorting controls (on); or all as before (off).
    virtual void showPlayingAll(bool on) = 0;
};
