#pragma once

#include "core/catalog/CatalogWindowView.h"
#include "gui/catalog/CatalogButtonBar.h"

#include <QWidget>
#include <functional>

class CatalogControllers;
class CatalogDocument;
class CatalogGridView;
class ConfigBindings;
class DescriptionPane;
class ExtrasBindings;
class FocusModel;
class FocusSink;
class PlayAllFilterBar;
class QAction;
class QLabel;
class QMenuBar;
class QPrinter;
class QSplitter;
class TBookmarksGrid;

// The catalog window: the button bar on top, the play-all filter bar under
// it, the grid BookmarksGrid on the left and the description pane on the
// right of a splitter (the pane tells how the selected bookmark was
// practised), a status line of the practice log under them, with the File,
// View and Tools menus. It shows the
// open catalog (the document) and hands what the user does to the rules
// behind it (CatalogControllers), which answer through its views.
class TBookmarksForm : public QWidget, public CatalogWindowView {
    Q_OBJECT
public:
    explicit TBookmarksForm(QWidget* parent = nullptr);
    ~TBookmarksForm() override;

    // The open catalog this window shows.
    CatalogDocument* document() const { return m_document; }
    // The grid, as the catalog's rules see it.
    CatalogGridView& gridView() const;
    // The rules behind this window, made by the composition root.
    void setControllers(CatalogControllers* controllers);
    // Whether keystrokes in this window are commands or text; its key
    // handler is the main window's.
    FocusModel* focusModel() const { return m_focus; }

    // Ties this window's settings to its controls.
    void bindSettings(ConfigBindings& binding);
    // Ties the play-all filter to extras.txt.
    void bindExtras(ExtrasBindings& binding);
    // The print dialog; true when the user chose to print. Replaceable so
    // tests can print to a file without a person.
    void setPrintDialog(std::function<bool(QPrinter&)> dialog) { m_printDialog = std::move(dialog); }

signals:
    // File, "Import Multiple Clips" (the menu item is the sender).
    void importClipsRequested(QObject* sender);
    // Tools, Options.
    void optionsRequested();
    // The window became the active one: the user came to it.
    void activated();

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // CatalogWindowView.
    void showWindow() override;
    void bringToFront() override;
    void hideWindow() override;
    void showGrid(bool shown) override;
    void focusSink() override;
    void beep() override;
    void showDescription(const QString& text) override;
    std::optional<QString> typedDescription() const override;
    void descriptionTakenIn() override;
    void showSorting(bool on, const QString& caption) override;
    void showRepeatsHidden(bool hidden) override;
    void showRepeatsButton(bool shown) override;
    void showSpacing(int style) override;
    void showPlayingAll(bool on) override;

    // The grid's and the pane's handlers, forwarded to the rules.
    void BookmarksGridSelectCell(int column, int row);
    bool BookmarksGridCellValidate(int column, int row, const QString& text);
    void BookmarksGridEditingDone();
    void BookmarksGridKeyDown(int key);
    void BookmarksGridCellsChanged();
    void BookmarksGridRowMoved(int from, int to);
    void BookmarksGridCanDeleteRow();
    QString BookmarksGridGridHint(int column) const;
    void BookmarksGridHeaderClick(int column, bool shift);
    void realBookmarksGridDblClickCell(int row, int column);
    void DescriptionMemoExit();
    void buttonClicked(CatalogButtonBar::Button button);
    void PrintGrid(bool withDescription);

    void buildMenu();
    void connectControls();
    void makeFocusModel();
    void UpdateBookmarksFormTitleBar();
    void showPlayAllFilterCount();
    void showPractice();
    void setGridPanelWidth(int width);

    CatalogDocument* m_document;
    CatalogControllers* m_controllers = nullptr;
    QMenuBar* MainMenu;
    QAction* Open1 = nullptr;
    QAction* Save1 = nullptr;
    QAction* SaveAs1 = nullptr;
    QAction* Close1 = nullptr;
    QAction* ImportMultipleClips1 = nullptr;
    QAction* PrintWithoutDescription1 = nullptr;
    QAction* PrintWithDescription1 = nullptr;
    QAction* Spacing1 = nullptr;
    QAction* Spacing2 = nullptr;
    QAction* Options1 = nullptr;
    CatalogButtonBar* ButtonPanel;
    PlayAllFilterBar* PlayAllFilterPanel;
    QSplitter* Splitter;
    QWidget* Panel4; // the grid's panel
    TBookmarksGrid* BookmarksGrid;
    DescriptionPane* DescriptionPanel;
    QLabel* PracticeStatus;
    FocusSink* m_focusSink;
    FocusModel* m_focus = nullptr;
    std::function<bool(QPrinter&)> m_printDialog;
    int m_gridWidth = 690;
};
