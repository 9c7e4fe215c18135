#pragma once

#include <QSize>
#include <QString>

// What the window sizing needs of the main window beyond the window itself:
// its panels, its player's size, the maximize button, the original-size
// lock's check mark, its focus sink, its title and the play-state handler's
// re-pause. The controls stay the window's own.
class SizingView {
public:
    virtual ~SizingView() = default;

    // Whether the user controls at the bottom are shown (not in the layout
    // "hidden").
    virtual bool userControlsShown() const = 0;
    // The room the window takes around the player's picture area: the
    // window's size less the picture area's.
    virtual QSize pictureChrome() const = 0;
    // The player control's size: the picture and its strip below it.
    virtual QSize playerSize() const = 0;
    virtual void showMaximizeButton(const QString& caption, const QString& hint) = 0;
    virtual bool originalSizeLocked() const = 0;
    virtual void setOriginalSizeLocked(bool on) = 0;
    // Keystrokes are commands again ("player controls active").
    virtual void giveFocusToSink() = 0;
    // The title and the displayed-size field follow the player's size.
    virtual void refreshTitle() = 0;
    // The play-state handler pauses the player again at its next change.
    virtual void askRePause() = 0;
};
