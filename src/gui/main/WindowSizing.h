#pragma once

#include "core/window/WindowSizeRules.h"

#include <QMargins>
#include <QObject>
#include <QRect>
#include <functional>

class KeyCommands;
class KeyDispatcher;
class MediaPlayerControl;
class ConfigBindings;
class SizingView;
class QWidget;

// The window commands of the function keys and their buttons: maximize,
// full screen, the video and catalog window toggles, shrink and enlarge, the
// two stored window sizes, and the lock of the video to its original size;
// the main window's minimum size and its title after each size change; and
// the keys that the full-screen player reports.
//
// The commands of F1 to F4 are told who asked (windowsize::Asker): their
// button, or the window the key was pressed in; where the keys go after
// them depends on it. The others do the same whoever asks.
class WindowSizing : public QObject {
    Q_OBJECT
public:
    using Asker = windowsize::Asker;

    struct Windows {
        QWidget* main = nullptr;
        SizingView* mainView = nullptr;
        MediaPlayerControl* player = nullptr;
        QWidget* catalog = nullptr;
        QWidget* commandLineEntry = nullptr;
        QWidget* fileInfo = nullptr;
        // Whether a video catalog is open.
        std::function<bool()> catalogOpen;
    };

    explicit WindowSizing(const Windows& windows, QObject* parent = nullptr);

    // The main window's key handlers, which the full-screen keys go to.
    void setKeyHandlers(KeyDispatcher* dispatcher, const KeyCommands* commands);
    // The platform's beep (tests count it).
    void setBeep(std::function<void()> beep) { m_beep = std::move(beep); }
    // The original-size lock and the two stored sizes.
    void bindSettings(ConfigBindings& binding);

    void toggleMaximized(Asker asker = Asker::None);
    void toggleFullScreen(Asker asker = Asker::None);
    // The video (F3) and the catalog window (F4) to the front, or behind.
    void toggleVideoWindow(Asker asker = Asker::None);
    void toggleCatalogWindow(Asker asker = Asker::None);
    // F5 and F6: one step smaller or larger.
    void shrink();
    void enlarge();
    // F7 and F8: the stored small and large size; with Ctrl, store them.
    void showSmallSize();
    void showLargeSize();
    void storeSmallSize();
    void storeLargeSize();
    // The lock of the video to the clip's own size, set (and applied) or
    // turned the other way.
    void setOriginalSizeLocked(bool locked);
    void toggleOriginalSizeLock();
    // Applies the lock the menu shows (as the settings file set it).
    void applyShownOriginalSizeLock();
    // A key the full-screen player reported.
    void fullScreenKeyPressed(int key, Qt::KeyboardModifiers modifiers);

    // The player goes full screen for another window (a bookmark played
    // from the catalog); leaving it gives the focus back to `requester`.
    void enterFullScreenFor(Asker requester);
    // After the user controls were shown or hidden: the minimum size and
    // the title follow.
    void userControlsChanged();
    // After every resize of the main window.
    void mainWindowResized();
    // After a clip has opened: the lock fits the window to the new clip.
    void clipOpened();
    // Gives the main window this size, within the available area of its
    // screen (moved inside it where needed).
    void resizeMainWindow(QSize size);

    const windowsize::FullScreenMemory& fullScreen() const { return m_fullScreen; }

private:
    void applyMinimumSize();
    // Bounds of the main window (without its frame) that fit, frame and
    // all, the available area of the screen they are on, else of the
    // window's screen.
    QRect onScreen(const QRect& bounds) const;
    QMargins frameMargins() const;
    void showMaximizeButton(bool maximized);
    void giveFocus(windowsize::FocusTarget target);
    // The window that asked: one of the others, else the main one.
    QWidget* windowOf(Asker asker) const;
    void toggleWindow(QWidget* window, Asker asker, const QList<QWidget*>& others);
    void showStoredSize(const QRect& bounds);
    void applyOriginalSizeLock(bool locked);
    void storeSize(QRect* bounds, const QString& message);
    bool clipLoaded() const;
    bool isNormal() const;

    Windows m_w;
    KeyDispatcher* m_dispatcher = nullptr;
    const KeyCommands* m_commands = nullptr;
    std::function<void()> m_beep;
    windowsize::FullScreenMemory m_fullScreen;
    QRect m_small;
    QRect m_large;
};

Q_DECLARE_METATYPE(windowsize::Asker)
