#pragma once

#include <QHash>
#include <QKeyEvent>
#include <QSet>
#include <QWidget>
#include <functional>

#include "core/playback/PictureZoom.h"

class BeatSeekBar;
class MediaPlayerControl;
class MpvVideoWidget;
class PlaybackEngine;
class QLabel;
class QSlider;
class QTimer;
class QToolButton;

// The player control as the windows place it: the picture above a strip of
// its own (seek bar, play/pause, elapsed and total time, volume), 72 pixels
// high. The picture fills its black area, or, at the player's default display
// size, shows the clip at its own size in the middle of it. Clicking the
// picture plays or pauses. The playback logic itself is MediaPlayerControl's;
// this widget shows it and feeds it user input.
//
// Zoomed in, a drag of the picture moves it and a click without a drag
// plays or pauses; each clip starts with the whole picture.
class TActiveMovie : public QWidget {
    Q_OBJECT
public:
    static constexpr int StripHeight = 72;

    // Takes ownership of the engine.
    explicit TActiveMovie(PlaybackEngine* engine, QWidget* parent = nullptr);
    ~TActiveMovie() override;

    MediaPlayerControl* control() const { return m_control; }
    QWidget* picture() const { return m_picture; }
    // The black area the picture sits in.
    QWidget* pictureArea() const { return m_pictureArea; }
    QWidget* strip() const { return m_strip; }
    // The seek bar, which shows the clip's beats as ticks.
    BeatSeekBar* seekBar() const { return m_seekBar; }

    bool ClickToPlay() const { return m_clickToPlay; }
    void setClickToPlay(bool on) { m_clickToPlay = on; }
    // Whether the picture is shown full screen right now.
    bool isPictureFullScreen() const { return m_pictureFullScreen; }
    // How a key in full screen is read: by default its Qt key; the windows
    // read a shifted character key as its unshifted key in the layout.
    void setKeyReader(std::function<int(const QKeyEvent&)> reader) { m_keyReader = std::move(reader); }

    // The picture a step closer or further, or whole again, as the user
    // asks (a picture that mpv does not draw has nothing to zoom).
    void zoomPicture(ZoomStep step);
    void showWholePicture();
    // The zoom as it is now, and a kept one shown again (not the user's
    // doing: pictureZoomed stays quiet).
    ZoomView pictureZoom() const;
    void showZoom(const ZoomView& view);

signals:
    // The window that holds the control makes itself full screen (or back)
    // around the picture; the picture widget is never reparented.
    void pictureFullScreenRequested(bool fullScreen);
    // The control took the keyboard focus (the main window moves it on to
    // its focus sink).
    void OnEnter();
    // The user zoomed the picture or moved it (keys, wheel, drag); a new
    // clip shown whole is not the user's doing.
    void pictureZoomed(const ZoomView& zoom);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    void buildStrip();
    void refreshStrip();
    void togglePlay();
    void setPictureFullScreen(bool on);
    void placePicture();
    void fullScreenKey(const QKeyEvent& key);
    MpvVideoWidget* mpvPicture() const;

    MediaPlayerControl* m_control;
    QWidget* m_pictureArea = nullptr;
    QWidget* m_picture = nullptr;
    QWidget* m_strip = nullptr;
    BeatSeekBar* m_seekBar = nullptr;
    QToolButton* m_playButton = nullptr;
    QLabel* m_timeLabel = nullptr;
    QSlider* m_volume = nullptr;
    QTimer* m_stripTimer = nullptr;
    bool m_clickToPlay = true;
    bool m_pictureFullScreen = false;
    std::function<int(const QKeyEvent&)> m_keyReader = [](const QKeyEvent& key) { return key.key(); };
    bool m_userSeeking = false;
    // Keys pressed in a modal window over the full-screen picture, by their
    // platform key: their releases are the window's.
    QSet<quint32> m_modalKeys;
    // Keys held down while the picture is full screen, by their platform
    // key: the key to report and the modifiers it was pressed with.
    struct PressedKey {
        int key = 0;
        Qt::KeyboardModifiers modifiers;
    };
    QHash<quint32, PressedKey> m_pressedKeys;
};
