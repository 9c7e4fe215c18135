#pragma once

// The catalog's rules over fake views, for core tests: a real document and
// real controllers, with the catalog window, its grid and the main window
// replaced by recorders. The prompt is the test's ScriptedPrompt.

#include "core/catalog/BookmarkPlayView.h"
#include "core/catalog/CatalogControllers.h"
#include "core/catalog/CatalogDocument.h"
#include "core/catalog/CatalogGridView.h"
#include "core/catalog/CatalogView.h"
#include "core/catalog/CatalogWindowView.h"
#include "core/playback/StoredLoopView.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <optional>

// The grid: a cursor, and at most one open cell editor holding a value.
class FakeGridView : public CatalogGridView {
public:
    int column = BookmarkColumn::Category;
    int row = 1;
    bool wholeRow = false;
    bool editing = false;
    // The open editor's cell and the value typed into it.
    bool editorOpen = false;
    int editorColumn = -1;
    int editorRow = -1;
    QString editorValue;
    int focusCount = 0;
    int refreshCount = 0;
    bool sortMarksShown = false;
    int sortColumn = -1;
    bool sortDescending = false;
    BookmarksGridColumns columns;
    // What an editor's value goes through when it is committed: the checks,
    // then the model, then the end of the edit (the window's wiring).
    std::function<bool(int column, int row, const QString& text)> check;
    std::function<void(int column, int row, const QString& text)> store;
    std::function<void()> editDone;

    // The user types into the cell the cursor is on.
    void openEditorWith(const QString& value)
    {
        editing = true;
        openEditorOnCursor();
        editorValue = value;
    }

    int cursorColumn() const override { return column; }
    int cursorRow() const override { return row; }
    void placeCursor(int c, int r, bool whole) override
    {
        column = c;
        row = r;
        wholeRow = whole;
    }
    void focusGrid() override { ++focusCount; }
    bool editingOn() const override { return editing; }
    void setEditingOn(bool on) override { editing = on; }
    void openEditorOnCursor() override
    {
        editorOpen = true;
        editorColumn = column;
        editorRow = row;
    }
    bool commitOpenEditor() override
    {
        if (!editorOpen)
            return true;
        if (check && !check(editorColumn, editorRow, editorValue))
            return false; // the editor stays open on the cell's text
        editorOpen = false;
        if (store)
            store(editorColumn, editorRow, editorValue);
        if (editDone)
            editDone();
        return true;
    }
    std::optional<OpenEdit> openEditorValue() const override
    {
        if (!editorOpen)
            return std::nullopt;
        return OpenEdit{editorColumn, editorRow, editorValue};
    }
    void showSortIndicators(bool shown) override { sortMarksShown = shown; }
    void showSortIndicator(int c, bool descending) override
    {
        sortColumn = c;
        sortDescending = descending;
    }
    void refreshCells() override { ++refreshCount; }
    void applyColumns(const BookmarksGridColumns& c) override { columns = c; }
    void showColumn(int, bool) override {}
    void rememberedWidths(BookmarksGridColumns& c) const override
    {
        c.categoryWidth = columns.categoryWidth;
        c.nameWidth = columns.nameWidth;
        c.filenameWidth = columns.filenameWidth;
    }
};

// The catalog window besides its grid.
class FakeWindowView : public CatalogWindowView {
public:
    bool shown = false;
    int broughtToFront = 0;
    bool gridShown = false;
    int sinkFocus = 0;
    int beeps = 0;
    QString description; // what the pane shows
    bool typed = false;  // the user typed since
    bool sortingOn = false;
    QString sortingCaption;
    bool repeatsHidden = false;
    bool repeatsButton = false;
    int spacing = 1;
    bool playingAll = false;

    // The user types into the pane (the whole text it holds afterwards).
    void type(const QString& text)
    {
        description = text;
        typed = true;
    }

    void showWindow() override { shown = true; }
    void bringToFront() override
    {
        shown = true;
        ++broughtToFront;
    }
    void hideWindow() override { shown = false; }
    void showGrid(bool on) override { gridShown = on; }
    void focusSink() override { ++sinkFocus; }
    void beep() override { ++beeps; }
    void showDescription(const QString& text) override
    {
        description = text;
        typed = false;
    }
    std::optional<QString> typedDescription() const override
    {
        return typed ? std::optional<QString>(description) : std::nullopt;
    }
    void descriptionTakenIn() override { typed = false; }
    void showSorting(bool on, const QString& caption) override
    {
        sortingOn = on;
        sortingCaption = caption;
    }
    void showRepeatsHidden(bool hidden) override { repeatsHidden = hidden; }
    void showRepeatsButton(bool on) override { repeatsButton = on; }
    void showSpacing(int style) override { spacing = style; }
    void showPlayingAll(bool on) override { playingAll = on; }
};

// The main window as the catalog sees it.
class FakeMainView : public CatalogView, public BookmarkPlayView, public StoredLoopView {
public:
    QStringList loopList;
    int loopListSelected = -1;
    bool indicatorsShown = false;
    QString startDigits = QStringLiteral("000001");
    QString endDigits = QStringLiteral("000002");
    std::optional<ZoomView> zoomShown;
    int loopBoxWrites = 0;
    QString runningDescription;
    QString openClip;
    BookmarksGridColumns columns;
    Arrow arrow = Arrow::None;
    QString videoFolder;
    // Main window play-all controls and player.
    bool playingAllShown = false;
    int playAllStops = 0;
    bool fullScreen = false;
    QList<bool> playClickBehaviours; // fromDoubleClick of each
    // Stored loops played: clip, start, end.
    QStringList clipsOpened;
    QList<QStringList> loopsPlayed;
    // What the main window's loop checks do with a loop: nothing (it
    // plays), or refuse it, which ends play all as the loop does.
    std::function<bool(const QString& start, const QString& end)> refuseLoop;
    std::function<void()> onRefused;

    void setLoopListItems(const QStringList& items, int selected) override
    {
        loopList = items;
        loopListSelected = selected;
    }
    void selectLoopListItem(int index) override { loopListSelected = index; }
    void addLoopListItem(const QString& item) override { loopList.append(item); }
    void ShowBookmarkingInfo() override { indicatorsShown = true; }
    void HideBookmarkingInfo() override { indicatorsShown = false; }
    void setStartTimeDigits(const QString& digits) override
    {
        startDigits = digits;
        ++loopBoxWrites;
    }
    void setEndTimeDigits(const QString& digits) override
    {
        endDigits = digits;
        ++loopBoxWrites;
    }
    void setRunningDescription(const QString& text) override { runningDescription = text; }
    QString openClipPath() const override { return openClip; }
    BookmarksGridColumns gridColumns() const override { return columns; }
    Arrow lastArrowDirection() const override { return arrow; }
    QString defaultVideoDirectory() const override { return videoFolder; }
    void showCatalogOptions() override {}

    void showPlayingAll(bool on, bool) override { playingAllShown = on; }
    void stopPlayAllPlayback() override { ++playAllStops; }
    bool playerFullScreen() const override { return fullScreen; }
    void leavePlayerFullScreen() override { fullScreen = false; }
    void applyPlayClickBehavior(bool fromDoubleClick) override { playClickBehaviours.append(fromDoubleClick); }

    bool StartVideoClip(const QString& path) override
    {
        clipsOpened.append(path);
        openClip = path;
        return true;
    }
    void playStoredLoop(const QString& start, const QString& end, const std::optional<ZoomView>& zoom) override
    {
        startDigits = start;
        endDigits = end;
        zoomShown = zoom;
        if (refuseLoop && refuseLoop(start, end)) {
            if (onRefused)
                onRefused();
            return;
        }
        loopsPlayed.append({openClip, start, end});
    }
};

// A document with its controllers over the fakes, wired as the catalog
// window wires them: an editor's value is checked by the grid rules, a
// committed value raises the cells-changed handler, and the end of an edit
// its handler.
class CatalogRig {
public:
    // Where the catalog's recovery files and locks go.
    QTemporaryDir stateDir;
    CatalogDocument document;
    FakeGridView grid;
    FakeWindowView window;
    FakeMainView main;
    CatalogControllers controllers{document, grid, window, stateDir.path()};

    CatalogRig()
    {
        controllers.setCatalogView(&main);
        controllers.setBookmarkPlayView(&main);
        controllers.setStoredLoopView(&main);
        grid.check = [this](int c, int r, const QString& text) {
            return controllers.grid.BookmarksGridCellValidate(c, r, text);
        };
        grid.store = [this](int c, int r, const QString& text) {
            CatalogModel* m = document.model();
            m->setData(m->cellIndex(c, r), text);
        };
        grid.editDone = [this] { controllers.grid.BookmarksGridEditingDone(); };
        QObject::connect(document.model(), &CatalogModel::cellEdited, &document,
                         [this] { controllers.grid.BookmarksGridCellsChanged(); });
        main.onRefused = [this] {
            if (controllers.playing.PlayingAll())
                controllers.playing.TurnOffPlayAllBookmarks();
        };
    }

    // A catalog of bookmarks on clips in `folder` (made as empty files),
    // named n1, n2, ... with 10 + i and 60 + i seconds, opened as a file
    // would be: mode 2, the grid shown, the cursor on the first name.
    void load(const QString& folder, int count, const QString& path = QStringLiteral("/catalogs/steps.tvc"))
    {
        CatalogData data;
        for (int i = 0; i < count; ++i) {
            Bookmark b;
            b.name = QStringLiteral("n%1").arg(i + 1);
            b.startTime = QStringLiteral("00:00:%1").arg(10 + i, 2, 10, QLatin1Char('0'));
            b.endTime = QStringLiteral("00:01:%1").arg(10 + i, 2, 10, QLatin1Char('0'));
            b.fileName = QStringLiteral("clip %1.mp4").arg(i + 1);
            b.folder = folder;
            QDir().mkpath(folder);
            QFile clip(folder + b.fileName);
            clip.open(QIODevice::WriteOnly);
            b.description = QStringLiteral("about n%1").arg(i + 1);
            data.bookmarks.append(b);
        }
        load(data, path);
    }
    void load(const CatalogData& data, const QString& path = QStringLiteral("/catalogs/steps.tvc"))
    {
        document.model()->load(data);
        document.setBlankFirstRow(false);
        document.setCatalogMode(CatalogDocument::Mode::OnFile);
        document.setCatalogFileName(path);
        document.setCatalogModified(false);
        document.setSelectedRow(1);
        window.showDescription(document.Cells(BookmarkColumn::Description, 1));
        window.gridShown = true;
        grid.placeCursor(BookmarkColumn::Name, 1, false);
        controllers.grid.rebuildLoopList();
    }

    QStringList column(int c) const
    {
        QStringList texts;
        for (int r = 1; r < document.RowCount(); ++r)
            texts << document.Cells(c, r);
        return texts;
    }
};
