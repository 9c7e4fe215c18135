#pragma once

#include "core/window/WindowSizeRules.h"

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
// Operations take the sender as the buttons and keys give it: a button
// passes itself, a key of F1 to F4 the window it was pressed in, the other
// keys nothing. Senders are told apart by their names.
class WindowSizing : public QObject {
    Q_OBJECT
public:
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

    void MaximizeToggleButtonClick(QObject* sender = nullptr);
    void FullScreenModeClick(QObject* sender = nullptr);
    void VideoWindowToggleButtonClick(QObject* sender = nullptr);
    void BookmarksWindowToggleButtonClick(QObject* sender = nullptr);
    void SmallerScreenButtonClick(QObject* sender = nullptr);
    void LargerScreenButtonClick(QObject* sender = nullptr);
    void ShowSmallScreenSizeButtonClick(QObject* sender = nullptr);
    void ShowLargeScreenSizeButtonClick(QObject* sender = nullptr);
    void SetSmallScreenSizeButtonClick(QObject* sender = nullptr);
    void SetLargeScreenSizeButtonClick(QObject* sender = nullptr);
    void OriginalSize1Click(QObject* sender = nullptr);
    void ActiveMovie1FullScreenKeyPress(int key, Qt::KeyboardModifiers modifiers);

    // The player goes full screen for another window (a bookmark played
    // from the catalog); leaving it gives the focus back to `requester`.
    void enterFullScreenFor(const QString& requester);
    // After the user controls were shown or hidden: the minimum size and
    // the title follow.
    void userControlsChanged();
    // After every resize of the main window.
    void mainWindowResized();
    // After a clip has opened: the lock fits the window to the new clip.
    void clipOpened();

    const windowsize::FullScreenMemory& fullScreen() const { return m_fullScreen; }

signals:
    // Each operation as it starts, with its sender.
    void ran(const QString& operation, QObject* sender);

private:
    void applyMinimumSize();
    void showMaximizeButton(bool maximized);
    void giveFocus(windowsize::FocusTarget target);
    void focusIfSender(QObject* sender);
    void toggleWindow(QWidget* window, QObject* sender, const QList<QWidget*>& others);
    void showStoredSize(const QRect& bounds, QObject* sender);
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
