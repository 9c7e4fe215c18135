#pragma once

#include <QObject>
#include <QString>
#include <memory>

class BookmarkCatalogView;
class CategoryDialogView;
class ChimePlayer;
class LoopView;
class MediaPlayerControl;

// Making and updating bookmarks from the main window: the normal add asks
// for a category and a name, the quick add takes the playback point at
// once, and the update rewrites the times of the bookmark that plays. A new
// catalog is started when none is open. A clip that a catalog file cannot
// hold (a double quote in its path) is added, with a warning.
class BookmarkMaking : public QObject {
    Q_OBJECT
public:
    explicit BookmarkMaking(QObject* parent = nullptr);
    ~BookmarkMaking() override;

    struct Parts {
        MediaPlayerControl* player = nullptr;
        LoopView* loopFields = nullptr; // the loop time boxes
        BookmarkCatalogView* catalog = nullptr;
        CategoryDialogView* dialog = nullptr;
    };
    void connectTo(const Parts& parts) { m_parts = parts; }
    // The quick add's chime; none, no chime.
    void setChimePlayer(std::unique_ptr<ChimePlayer> chime);

    // Adds the loop of the time boxes, asking for its category and name.
    void makeBookmark();
    // Adds a bookmark at the playback point, at once.
    void makeQuickBookmark();
    // Stores the time boxes in the bookmark that plays.
    void updatePlayingBookmark();

    // What the category dialog held when it last closed, OK or Cancel.
    QString LastCategory;
    QString LastName;

    // The playback point of a quick add, in whole seconds: the nearest,
    // a half going to the even neighbour.
    static int roundedSeconds(double position);

signals:
    // A bookmark was added from the loop, or took the loop's new times.
    void bookmarkStored(int row);

private:
    bool pauseAndCheckClip();
    bool checkLoopFields();
    bool askCategoryAndName();
    QStringList catalogCategories() const;
    // The row the new bookmark goes into, with its clip, its times, its
    // number and a new catalog first if none is open.
    int takeRow(const QString& startText, const QString& endText);
    void finishAdding(int row);

    Parts m_parts;
    std::unique_ptr<ChimePlayer> m_chime;
};
