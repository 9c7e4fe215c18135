#pragma once

#include "core/playback/PlayAllView.h"

#include <QGroupBox>
#include <functional>

class FocusSink;
class QAbstractButton;
class QComboBox;
class QLabel;
class TBlinkLabel;
class TColourButton;
struct KeyboardFocusParts;

// The group "Bookmark Controls" (`BookmarkControlsBox`) of the main window:
// the add and update bookmark buttons, the catalog button, the bookmark list
// `LoopList` and, while all bookmarks play in sequence, the stop, previous,
// current and next buttons with the blinking label "Playing All Bookmarks".
// Which of them show depends on whether a catalog is open and plays.
class BookmarkControlsPanel : public QGroupBox {
    Q_OBJECT
public:
    BookmarkControlsPanel(FocusSink& sink, QWidget* parent);

    // The add bookmark button: its click with Shift held adds a quick bookmark.
    QAbstractButton* addBookmarkButton() const;
    void addFocusParts(KeyboardFocusParts& parts) const;
    // The bookmark list shows the playing bookmark (an item, -1 for none)
    // whenever it is not being chosen from.
    void setPlayingItem(std::function<int()> playingItem) { m_playingItem = std::move(playingItem); }

    void setLoopListItems(const QStringList& items, int selected);
    void selectLoopListItem(int index);
    void addLoopListItem(const QString& item);
    // With a catalog open: the bookmark list, update and "show video
    // catalog"; without: "(and start a new video catalog)" and "open video
    // catalog".
    void showBookmarkingInfo(bool catalogOpen);
    // The play-all controls shown (on) or hidden, the add and update buttons
    // the other way round; "update bookmark" only with a catalog open.
    void showPlayingAll(bool on, bool catalogOpen);
    void showMode(bool beginner);

signals:
    void openCatalogClicked();
    void updateBookmarkClicked();
    void stopPlayingAllClicked();
    void bookmarkButtonClicked(PlayAllView::Step step);
    // An item of the bookmark list was chosen.
    void loopListChosen(int item);

private:
    FocusSink& m_sink;
    std::function<int()> m_playingItem = [] { return -1; };

    TColourButton* makeBookmarkButton;
    TColourButton* updateBookmarkButton;
    QLabel* CurrentlyPlayingLabel;
    QLabel* NewCatalogLabel;
    TColourButton* OpenCatalogButton;
    QComboBox* LoopList;
    TColourButton* PlayAll;
    TColourButton* PreviousBookmarkButton;
    TColourButton* CurrentBookmarkButton;
    TColourButton* NextBookmarkButton;
    TBlinkLabel* PlayingAllLabel;
};
