#pragma once

#include <QSize>
#include <QString>

// What clip loading needs from the windows: the main window's title and
// picture size, the fields of the video file information window and the
// default clip folder of the options.
class ClipView {
public:
    virtual ~ClipView() = default;

    // The folder the clip dialogs start in.
    virtual QString defaultVideoDirectory() const = 0;
    // Size of the player control less its own control strip.
    virtual QSize videoSize() const = 0;
    virtual void setTitle(const QString& title) = 0;

    // The information fields of a newly opened clip; the codec field is
    // emptied.
    virtual void showClipFacts(const QString& fileName, const QString& folder, const QString& videoSize,
                               const QString& totalTime) = 0;
    virtual QString framesPerSecondText() const = 0;
    virtual void setFramesPerSecondText(const QString& text) = 0;
    virtual void setScreenSizeText(const QString& text) = 0;
};
