// The catalog window: its panels, menus and layout, the views the catalog's
// rules see, and the handlers that forward what the user does to them.
#include "gui/catalog/TBookmarksForm.h"

#include "core/catalog/BookmarkChecks.h"
#include "core/catalog/CatalogControllers.h"
#include "core/catalog/CatalogDocument.h"
#include "core/catalog/ClipImport.h"
#include "core/settings/BindingTable.h"
#include "gui/catalog/BookmarksGridLook.h"
#include "gui/catalog/CatalogPrinting.h"
#include "gui/catalog/DescriptionPane.h"
#include "gui/catalog/PlayAllFilterBar.h"
#include "gui/catalog/TBookmarksGrid.h"
#include "gui/input/FocusModel.h"
#include "gui/input/FocusSink.h"
#include "gui/widgets/WindowPlacement.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrinter>
#include <QSplitter>
#include <QUrl>
#include <QVBoxLayout>

using namespace BookmarkColumn;

namespace {

constexpr int kMinimumGridWidth = 655;

} // namespace

TBookmarksForm::TBookmarksForm(QWidget* parent)
    : QWidget(parent, Qt::Window), m_document(new CatalogDocument(this)), MainMenu(new QMenuBar(this)),
      ButtonPanel(new CatalogButtonBar(this)), PlayAllFilterPanel(new PlayAllFilterBar(this)),
      Splitter(new QSplitter(Qt::Horizontal, this)), Panel4(new QWidget(Splitter)),
      BookmarksGrid(new TBookmarksGrid(m_document, Panel4)), DescriptionPanel(new DescriptionPane(Splitter)),
      PracticeStatus(new QLabel(this)), m_focusSink(new FocusSink(this))
{
    setObjectName(QStringLiteral("BookmarksForm"));
    setWindowTitle(QStringLiteral("Video Catalog"));
    resize(950, 305);
    m_focusSink->setInactiveText(QStringLiteral("bookmark grid active"));
    setAcceptDrops(true); // files dropped from the desktop become bookmarks

    buildMenu();
    // The catalog is hidden until it holds a bookmark.
    BookmarksGrid->hide();
    auto* gridLayout = new QVBoxLayout(Panel4);
    gridLayout->setContentsMargins(0, 0, 0, 0);
    gridLayout->addWidget(BookmarksGrid);
    Splitter->addWidget(Panel4);
    Splitter->addWidget(DescriptionPanel);
    Splitter->setChildrenCollapsible(false);
    Splitter->setStretchFactor(0, 1);
    Panel4->setMinimumWidth(kMinimumGridWidth);
    connect(Splitter, &QSplitter::splitterMoved, this, [this] { m_gridWidth = Splitter->sizes().value(0); });

    auto* body = new QHBoxLayout;
    body->addWidget(m_focusSink);
    body->addWidget(Splitter, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(MainMenu);
    layout->setContentsMargins(4, 2, 4, 4);
    layout->addWidget(ButtonPanel);
    layout->addWidget(PlayAllFilterPanel);
    layout->addLayout(body, 1);
    // The status line: what went wrong with the practice log.
    PracticeStatus->setObjectName(QStringLiteral("PracticeStatus"));
    PracticeStatus->setWordWrap(true);
    PracticeStatus->hide();
    layout->addWidget(PracticeStatus);
    PlayAllFilterPanel->hide();
    setGridPanelWidth(690);
    // Activating the window lands on the focus sink, not in the pane.
    setTabOrder(m_focusSink->focusPanel(), DescriptionPanel->textBox());

    // An empty grid under the default columns until the settings are read.
    m_document->ResetBookmarksGrid({});
    BookmarksGrid->applyColumns({});
    showRepeatsButton(false);
    showSpacing(m_document->SpacingStyle());
    BookmarksGrid->placeCursor(Category, 1);
    connectControls();
    makeFocusModel();
}

TBookmarksForm::~TBookmarksForm()
{
    // Hidden while it is still a whole catalog window, with the rules let
    // go: the focus leaving an open cell editor or the description pane
    // commits there. What the base class's destruction then sets off no
    // longer calls back into this window.
    m_controllers = nullptr;
    hide();
    BookmarksGrid->setValidator({});
    BookmarksGrid->setHeaderHint({});
    BookmarksGrid->setRowHint({});
    for (QObject* child : findChildren<QObject*>())
        child->disconnect(this);
}

CatalogGridView& TBookmarksForm::gridView() const
{
    return *BookmarksGrid;
}

void TBookmarksForm::setControllers(CatalogControllers* controllers)
{
    m_controllers = controllers;
    // The name's tooltip tells how the bookmark was practised, as the pane
    // does.
    BookmarksGrid->setRowHint(
        [this](int row) { return m_controllers ? m_controllers->practice.describeRow(row) : QString(); });
    if (controllers)
        connect(&controllers->practice, &PracticeTracker::statusMessage, this, [this](const QString& message) {
            PracticeStatus->setText(message);
            PracticeStatus->setAccessibleName(message);
            PracticeStatus->setVisible(!message.isEmpty());
        });
}

void TBookmarksForm::buildMenu()
{
    MainMenu->setObjectName(QStringLiteral("MainMenu"));
    MainMenu->setAccessibleName(QStringLiteral("Catalog menu"));
    if (auto* more = MainMenu->findChild<QWidget*>(QStringLiteral("qt_menubar_ext_button")))
        more->setAccessibleName(QStringLiteral("More menu items"));
    auto item = [this](QMenu* menu, const char* name, const QString& caption, QKeySequence shortcut = {}) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(QLatin1String(name));
        action->setShortcut(shortcut);
        return action;
    };
    QMenu* file = MainMenu->addMenu(QStringLiteral("&File"));
    Open1 = item(file, "Open1", QStringLiteral("Open"), QKeySequence(Qt::CTRL | Qt::Key_O));
    Save1 = item(file, "Save1", QStringLiteral("Save"), QKeySequence(Qt::CTRL | Qt::Key_S));
    SaveAs1 = item(file, "SaveAs1", QStringLiteral("Save as ..."), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    Close1 = item(file, "Close1", QStringLiteral("Close"), QKeySequence(Qt::CTRL | Qt::Key_W));
    file->addSeparator();
    ImportMultipleClips1 = item(file, "ImportMultipleClips1", QStringLiteral("Import Multiple Clips"));
    QMenu* print = file->addMenu(QStringLiteral("Print Grid"));
    PrintWithoutDescription1 = item(print, "PrintWithoutDescription1", QStringLiteral("Without Description"));
    PrintWithDescription1 = item(print, "PrintWithDescription1", QStringLiteral("With Description"));

    QMenu* view = MainMenu->addMenu(QStringLiteral("&View"));
    QMenu* spacing = view->addMenu(QStringLiteral("Spacing"));
    auto* spacingGroup = new QActionGroup(this);
    Spacing1 = item(spacing, "Spacing1", QStringLiteral("spacing - 1"));
    Spacing2 = item(spacing, "Spacing2", QStringLiteral("spacing - 2"));
    for (QAction* a : {Spacing1, Spacing2}) {
        a->setCheckable(true);
        spacingGroup->addAction(a);
    }
    Spacing1->setChecked(true);

    QMenu* tools = MainMenu->addMenu(QStringLiteral("&Tools"));
    Options1 = item(tools, "Options1", QStringLiteral("Options"), QKeySequence(Qt::CTRL | Qt::Key_Q));
}

void TBookmarksForm::connectControls()
{
    connect(ButtonPanel, &CatalogButtonBar::clicked, this, &TBookmarksForm::buttonClicked);
    connect(Open1, &QAction::triggered, this, [this] { buttonClicked(CatalogButtonBar::Button::Open); });
    connect(Save1, &QAction::triggered, this, [this] {
        if (m_controllers)
            m_controllers->lifecycle.DoSave(CatalogLifecycle::Caller::CatalogWindow);
    });
    connect(SaveAs1, &QAction::triggered, this, [this] {
        if (m_controllers)
            m_controllers->lifecycle.DoSaveAs(CatalogLifecycle::Caller::CatalogWindow);
    });
    connect(Close1, &QAction::triggered, this, [this] {
        if (m_controllers)
            m_controllers->lifecycle.CloseButtonClick(CatalogLifecycle::Caller::CatalogWindow);
    });
    connect(ImportMultipleClips1, &QAction::triggered, this,
            [this] { emit importClipsRequested(ImportMultipleClips1); });
    connect(PrintWithoutDescription1, &QAction::triggered, this, [this] { PrintGrid(false); });
    connect(PrintWithDescription1, &QAction::triggered, this, [this] { PrintGrid(true); });
    for (auto [item, style] : {std::pair{Spacing1, 1}, std::pair{Spacing2, 2}})
        connect(item, &QAction::triggered, this, [this, style = style] {
            if (!m_controllers)
                return;
            m_controllers->grid.setSpacing(style);
            m_controllers->grid.handBackKeys();
        });
    connect(Options1, &QAction::triggered, this, &TBookmarksForm::optionsRequested);

    connect(m_document, &CatalogDocument::captionChanged, this, &TBookmarksForm::UpdateBookmarksFormTitleBar);
    connect(m_document->model(), &CatalogModel::cellEdited, this, &TBookmarksForm::BookmarksGridCellsChanged);

    TBookmarksGrid* grid = BookmarksGrid;
    grid->setValidator(
        [this](int column, int row, const QString& text) { return BookmarksGridCellValidate(column, row, text); });
    grid->setHeaderHint([this](int column) { return BookmarksGridGridHint(column); });
    connect(grid, &TBookmarksGrid::cellAsked, this, &TBookmarksForm::BookmarksGridSelectCell);
    connect(grid, &TBookmarksGrid::cellDoubleClicked, this, &TBookmarksForm::realBookmarksGridDblClickCell);
    connect(grid, &TBookmarksGrid::keyDown, this, &TBookmarksForm::BookmarksGridKeyDown);
    connect(grid, &TBookmarksGrid::deletePressed, this, &TBookmarksForm::BookmarksGridCanDeleteRow);
    connect(grid, &TBookmarksGrid::rowMoved, this, &TBookmarksForm::BookmarksGridRowMoved);
    connect(grid, &TBookmarksGrid::headerClicked, this, &TBookmarksForm::BookmarksGridHeaderClick);
    connect(grid, &TBookmarksGrid::headerDoubleClicked, this,
            [this](int column) { realBookmarksGridDblClickCell(0, column); });
    connect(grid, &TBookmarksGrid::editingDone, this, &TBookmarksForm::BookmarksGridEditingDone);
    connect(DescriptionPanel, &DescriptionPane::left, this, &TBookmarksForm::DescriptionMemoExit);
    // What is being typed is kept for recovery before it is taken in.
    auto typing = [this] {
        if (m_controllers)
            m_controllers->recovery.noteTyping();
    };
    connect(DescriptionPanel, &DescriptionPane::typed, this, typing);
    connect(grid, &TBookmarksGrid::editorTyped, this, typing);
    DescriptionPanel->setCheck(&BookmarkChecks::typedDescriptionMessage);

    // The play-all filter's bar sets the document's filter and counts the
    // bookmarks it lets play.
    connect(PlayAllFilterPanel, &PlayAllFilterBar::filterChanged, m_document, &CatalogDocument::setPlayAllFilter);
    connect(m_document, &CatalogDocument::playAllFilterChanged, this, [this] {
        PlayAllFilterPanel->setFilter(m_document->playAllFilter());
        showPlayAllFilterCount();
    });
    CatalogModel* model = m_document->model();
    connect(model, &CatalogModel::modelReset, this, &TBookmarksForm::showPlayAllFilterCount);
    connect(model, &CatalogModel::layoutChanged, this, &TBookmarksForm::showPlayAllFilterCount);
    connect(model, &CatalogModel::dataChanged, this, &TBookmarksForm::showPlayAllFilterCount);
    connect(model, &CatalogModel::rowsInserted, this, &TBookmarksForm::showPlayAllFilterCount);
    connect(model, &CatalogModel::rowsRemoved, this, &TBookmarksForm::showPlayAllFilterCount);
    // A pass counted may change what is due and what the pane says.
    connect(m_document, &CatalogDocument::practiceChanged, this, [this] {
        showPlayAllFilterCount();
        showPractice();
    });
}

void TBookmarksForm::makeFocusModel()
{
    m_focus = new FocusModel(this, m_focusSink, this);
    // Typed letters stay in a cell while the grid may be edited (and while
    // a cell editor is open).
    m_focus->setPassKeys([this] {
        const QWidget* focused = focusWidget();
        const bool cellEditorOpen = focused && focused != BookmarksGrid && BookmarksGrid->isAncestorOf(focused);
        return !BookmarksGrid->editingOn() && !cellEditorOpen;
    });
    m_focus->setActivationFocusesSink(false);
    m_focus->setClickFocus([this] {
        if (!m_document->PlayingAll())
            BookmarksGrid->focusGrid();
    });
    m_focus->watchTextBox(DescriptionPanel->textBox(), FocusModel::EndKeys::EscapeOnly);
    m_focus->watchList(BookmarksGrid, FocusModel::EndKeys::EscapeOnly);
    m_focus->watchBackground(this);
    m_focus->watchBackground(ButtonPanel);
}

void TBookmarksForm::buttonClicked(CatalogButtonBar::Button button)
{
    if (!m_controllers)
        return;
    CatalogControllers& c = *m_controllers;
    using B = CatalogButtonBar::Button;
    switch (button) {
    case B::Open:
        c.lifecycle.OpenButtonClick(CatalogLifecycle::Caller::CatalogWindow);
        break;
    case B::Save:
        c.lifecycle.DoSave(CatalogLifecycle::Caller::CatalogWindow);
        break;
    case B::SaveAs:
        c.lifecycle.DoSaveAs(CatalogLifecycle::Caller::CatalogWindow);
        break;
    case B::Close:
        c.lifecycle.CloseButtonClick(CatalogLifecycle::Caller::CatalogWindow);
        break;
    case B::Spacing:
        c.grid.toggleLineWrap();
        c.grid.handBackKeys();
        break;
    case B::Sorting:
        c.grid.toggleSorting();
        c.grid.handBackKeys();
        break;
    case B::Previous:
        c.playing.playPreviousBookmark();
        c.grid.handBackKeys();
        break;
    case B::Current:
        c.playing.playCurrentBookmark();
        c.grid.handBackKeys();
        break;
    case B::Next:
        c.playing.playNextBookmark();
        c.grid.handBackKeys();
        break;
    case B::PlayAll:
        c.playing.togglePlayAll();
        break;
    case B::Filter:
        PlayAllFilterPanel->setVisible(!PlayAllFilterPanel->isVisible());
        showPlayAllFilterCount();
        break;
    case B::HideCatalog:
        c.lifecycle.hideCatalogButtonClick();
        break;
    case B::Repeats:
        c.grid.toggleHideRepeats();
        BookmarksGrid->focusGrid();
        break;
    }
}

void TBookmarksForm::BookmarksGridSelectCell(int column, int row)
{
    if (m_controllers)
        m_controllers->grid.goToCell(column, row);
}

bool TBookmarksForm::BookmarksGridCellValidate(int column, int row, const QString& text)
{
    return !m_controllers || m_controllers->grid.BookmarksGridCellValidate(column, row, text);
}

void TBookmarksForm::BookmarksGridEditingDone()
{
    if (m_controllers)
        m_controllers->grid.BookmarksGridEditingDone();
}

void TBookmarksForm::BookmarksGridKeyDown(int key)
{
    if (m_controllers)
        m_controllers->grid.BookmarksGridKeyDown(key);
}

void TBookmarksForm::BookmarksGridCellsChanged()
{
    if (m_controllers)
        m_controllers->grid.BookmarksGridCellsChanged();
}

void TBookmarksForm::BookmarksGridRowMoved(int from, int to)
{
    if (m_controllers)
        m_controllers->grid.BookmarksGridRowMoved(from, to);
}

void TBookmarksForm::BookmarksGridCanDeleteRow()
{
    if (m_controllers)
        m_controllers->grid.BookmarksGridCanDeleteRow();
}

QString TBookmarksForm::BookmarksGridGridHint(int column) const
{
    return m_controllers ? m_controllers->grid.BookmarksGridGridHint(column) : QString();
}

void TBookmarksForm::BookmarksGridHeaderClick(int column, bool shift)
{
    if (m_controllers)
        m_controllers->grid.BookmarksGridHeaderClick(column, shift);
}

void TBookmarksForm::realBookmarksGridDblClickCell(int row, int column)
{
    if (m_controllers)
        m_controllers->grid.activateCell(row, column);
}

void TBookmarksForm::DescriptionMemoExit()
{
    if (m_controllers)
        m_controllers->edits.takeInDescription();
}

void TBookmarksForm::UpdateBookmarksFormTitleBar()
{
    const QString caption = m_document->captionText();
    if (!caption.isEmpty())
        setWindowTitle(caption);
}

void TBookmarksForm::showPlayAllFilterCount()
{
    if (!PlayAllFilterPanel->isVisible())
        return;
    const PlayAllFilter::Count count = m_document->playAllFilter().count(
        *m_document->model(), m_document->CatalogMode() != CatalogDocument::Mode::Closed, m_document->dueRows());
    PlayAllFilterPanel->showCount(count.passing, count.total);
}

void TBookmarksForm::setGridPanelWidth(int width)
{
    // A stored width stays as it is until the user moves the splitter; the
    // grid side is never shown narrower than its minimum.
    m_gridWidth = width;
    const int shown = qMax(kMinimumGridWidth, width);
    const int total = qMax(Splitter->width(), shown + 200);
    Splitter->setSizes({shown, total - shown});
}

void TBookmarksForm::PrintGrid(bool withDescription)
{
    if (!m_controllers || !m_controllers->edits.takeIn())
        return;
    const QList<CatalogPrinting::Column> columns = CatalogPrinting::printedColumns(
        [grid = BookmarksGrid](int column) { return grid->columnWidth(column); }, withDescription);
    const QString title = CatalogPrinting::printTitle(m_controllers->lifecycle.lastOpenPath());
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    // The job's name, which the dialog also offers as the PDF file's name.
    printer.setDocName(QFileInfo(title).completeBaseName());
    const bool accepted = m_printDialog ? m_printDialog(printer) : [&] {
        QPrintDialog dialog(&printer, this);
        return dialog.exec() == QDialog::Accepted;
    }();
    if (accepted)
        CatalogPrinting::print(printer, *m_document, columns, title);
    BookmarksGrid->focusGrid();
}

// CatalogWindowView.

void TBookmarksForm::showWindow()
{
    show();
}

void TBookmarksForm::bringToFront()
{
    show();
    raise();
    activateWindow();
}

void TBookmarksForm::hideWindow()
{
    hide();
}

void TBookmarksForm::showGrid(bool shown)
{
    BookmarksGrid->setVisible(shown);
}

void TBookmarksForm::focusSink()
{
    m_focusSink->takeFocus();
}

void TBookmarksForm::beep()
{
    QApplication::beep();
}

void TBookmarksForm::showDescription(const QString& text)
{
    DescriptionPanel->showText(text);
    showPractice();
}

void TBookmarksForm::showPractice()
{
    DescriptionPanel->showPractice(m_controllers ? m_controllers->practice.describeRow(m_document->SelectedRow())
                                                 : QString());
}

std::optional<QString> TBookmarksForm::typedDescription() const
{
    return DescriptionPanel->typedText();
}

void TBookmarksForm::descriptionTakenIn()
{
    DescriptionPanel->markTaken();
}

void TBookmarksForm::showSorting(bool on, const QString& caption)
{
    ButtonPanel->showSorting(on, caption);
}

void TBookmarksForm::showRepeatsHidden(bool hidden)
{
    ButtonPanel->showRepeatsHidden(hidden);
}

void TBookmarksForm::showRepeatsButton(bool shown)
{
    ButtonPanel->showRepeatsButton(shown);
}

void TBookmarksForm::showSpacing(int style)
{
    ButtonPanel->showSpacing(style);
    (style == 2 ? Spacing2 : Spacing1)->setChecked(true);
    BookmarksGrid->verticalHeader()->setDefaultSectionSize(style == 2 ? BookmarksGridLook::RowHeight2
                                                                      : BookmarksGridLook::RowHeight1);
}

void TBookmarksForm::showPlayingAll(bool on)
{
    ButtonPanel->showPlayingAll(on);
    BookmarksGrid->showLocked(on);
    DescriptionPanel->setEnabled(!on);
    PlayAllFilterPanel->setEnabled(!on);
    for (QAction* a : {Open1, Save1, SaveAs1, Close1, ImportMultipleClips1})
        a->setEnabled(!on);
}

void TBookmarksForm::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        emit activated();
}

void TBookmarksForm::closeEvent(QCloseEvent* event)
{
    // The close box closes the catalog; the window itself stays.
    event->ignore();
    if (m_controllers)
        m_controllers->lifecycle.CloseButtonClick(CatalogLifecycle::Caller::CatalogWindow);
}

void TBookmarksForm::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TBookmarksForm::dropEvent(QDropEvent* event)
{
    if (!m_controllers || !ClipImport::takesDrops(*m_document))
        return;
    QStringList paths = ClipImport::droppedFiles(event->mimeData()->urls());
    if (paths.isEmpty())
        return;
    event->acceptProposedAction();
    m_controllers->lifecycle.ImportMultipleClips(&paths);
}

// Settings: the window's bounds, the grid panel's width, the spacing style,
// repeat hiding and the widths the user gave the resizable columns; the
// play-all filter in extras.txt.

void TBookmarksForm::bindSettings(ConfigBindings& binding)
{
    using S = Settings;
    WindowPlacement::bindBounds(binding, this, &S::bookmarksFormLeft, &S::bookmarksFormTop, &S::bookmarksFormWidth,
                                &S::bookmarksFormHeight, &S::bookmarksFormWindowState, 50);
    // Read widths take effect when the grid is next reset.
    TBookmarksGrid* grid = BookmarksGrid;
    binding.bind(
        &S::bookmarksFormCategoryColumnWidth, [grid] { return grid->categoryColumnWidth(); },
        [grid](int width) { grid->setCategoryColumnWidth(width); });
    binding.bind(
        &S::bookmarksFormNameColumnWidth, [grid] { return grid->nameColumnWidth(); },
        [grid](int width) { grid->setNameColumnWidth(width); });
    binding.bind(
        &S::bookmarksFormFilenameColumnWidth, [grid] { return grid->filenameColumnWidth(); },
        [grid](int width) { grid->setFilenameColumnWidth(width); });
    binding.bind(
        &S::bookmarksFormHideRepeatCategory, [this] { return m_document->RepeatsHidden(); },
        [this](bool on) {
            m_document->setRepeatsHidden(on);
            showRepeatsHidden(on);
        });
    binding.bind(
        &S::bookmarksFormLineWrapStyle, [this] { return m_document->SpacingStyle(); },
        [this](int style) {
            m_document->setSpacingStyle(style);
            showSpacing(m_document->SpacingStyle());
        });
    binding.bind(
        &S::bookmarksFormGridWidth, [this] { return m_gridWidth; }, [this](int width) { setGridPanelWidth(width); });
}

void TBookmarksForm::bindExtras(ExtrasBindings& binding)
{
    using E = Extras;
    binding.bindGroup(
        {ExtrasBindings::Member(&E::playAllFilterOn), ExtrasBindings::Member(&E::playAllFilterLevels),
         ExtrasBindings::Member(&E::playAllFilterMaxRating), ExtrasBindings::Member(&E::playAllFilterDue)},
        [this](const E& e) {
            m_document->setPlayAllFilter({e.playAllFilterOn, PlayAllFilter::knownLevels(e.playAllFilterLevels),
                                          e.playAllFilterMaxRating, PlayAllFilter::dueFromText(e.playAllFilterDue)});
        },
        [this](E& e) {
            const PlayAllFilter& f = m_document->playAllFilter();
            e.playAllFilterOn = f.on;
            e.playAllFilterLevels = f.levels;
            e.playAllFilterMaxRating = f.maxRating;
            e.playAllFilterDue = PlayAllFilter::dueText(f.due);
        });
}
