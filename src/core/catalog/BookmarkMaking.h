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
        LoopView* loopFields = nullptr; // the loop time boxes and the focus sink
        BookmarkCatalogView* catalog = nullptr;
        CategoryDialogView* dialog = nullptr;
    };
    void connectTo(const Parts& parts) { m_parts = parts; }
    // The quick add's chime; none, no chime.
    void setChimePlayer(std::unique_ptr<ChimePlayer> chime);

    void makeBookmarkButtonClick(QObject* sender = nullptr);
    void QuickMakeBookmarkButtonClick(QObject* sender = nullptr);
    void updateBookmarkButtonClick(QObject* sender = nullptr);

    // What the category dialog held when it last closed, OK or Cancel.
    QString LastCategory;
    QString LastName;

    // The playback point of a quick add, in whole seconds: the nearest,
    // a half going to the even neighbour.
    static int roundedSeconds(double position);

signals:
    // Each operation reports that it started (name and sender).
    void ran(const QString& operation, QObject* sender);

private:
    bool pauseAndCheckClip(QObject* sender);
    bool checkLoopFields(QObject* sender);
    bool askCategoryAndName();
    QStringList catalogCategories() const;
    // The row the new bookmark goes into, with its clip, its times, its
    // number and a new catalog first if none is open.
    int takeRow(const QString& startText, const QString& endText);
    void finishAdding(int row);
    void focusSinkIf(QObject* sender);

    Parts m_parts;
    std::unique_ptr<ChimePlayer> m_chime;
};
