#pragma once

#include <QObject>
#include <functional>

class QAction;
class QMainWindow;
class QMenu;

// The main window's menu bar: File, View, Tools and Help. Its items keep
// their names (`choosevideoclip1`, `OriginalSize1`, ...) and their
// shortcuts; what an item does is connected from outside with onItem().
class MainMenu : public QObject {
    Q_OBJECT
public:
    enum class Item {
        choosevideoclip1,
        PlayPreviousClip1,
        PlayNextClip1,
        ImportMultipleClips1,
        ShowBookmarks1,
        Exit1,
        BeginnerMode1,
        AdvancedMode1,
        Hidden1,
        PlayerControls1,
        WindowControls1,
        All_Player_First,
        All_Window_First,
        OriginalSize1,
        MirrorView1,
        VideoFileInfo1,
        Options1,
        CommandLineEntry1,
        QuickStartGuide1,
        UserManual1,
        About1,
    };

    explicit MainMenu(QMainWindow& window);

    // Runs `handler` each time the item is chosen. A checkable item has
    // already changed its check mark by then.
    void onItem(Item item, std::function<void()> handler);
    // Chooses the item as a click on it would.
    void trigger(Item item);

    // The check marks of the mode and arrangement items; "User Controls"
    // is disabled in beginner mode.
    void showMode(bool beginner);
    void showArrangement(int state);
    bool originalSizeLocked() const;
    void setOriginalSizeLocked(bool on);
    bool mirrored() const;
    void setMirrored(bool on);
    // "Show Video Catalog" with a catalog open, else "Open Video Catalog".
    void showCatalogOpen(bool open);
    void setViewClipCaption(const QString& caption);
    void setMirrorViewCaption(const QString& caption);
    // While all bookmarks play no other clip can be opened or imported.
    void lockForPlayingAll(bool on);

signals:
    void mirrorToggled(bool mirrored);

private:
    QAction* action(Item item) const;

    QMenu* UserControls1;
    QList<QAction*> m_items; // by Item
};
