// The catalog window: its controls, menus and layout, the grid's reset and
// the settings it keeps.
#include "gui/catalog/TBookmarksForm.h"

#include "core/catalog/CatalogDocument.h"
#include "core/catalog/CatalogView.h"
#include "gui/catalog/BookmarksGridLook.h"
#include "gui/catalog/PlayAllFilterBar.h"
#include "gui/catalog/TBookmarksGrid.h"
#include "gui/input/FocusSink.h"
#include "gui/widgets/TBlinkLabel.h"
#include "gui/widgets/TColourButton.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QVBoxLayout>

using namespace BookmarkColumn;

namespace {

constexpr int kMinimumGridWidth = 655;

} // namespace

TBookmarksForm::TBookmarksForm(QWidget* parent)
    : QWidget(parent, Qt::Window), MainMenu(new QMenuBar(this)),
      OpenButton(TColourButton::make("OpenButton", QStringLiteral("open"), this)),
      SaveButton(TColourButton::make("SaveButton", QStringLiteral("save"), this)),
      SaveAsButton(TColourButton::make("SaveAsButton", QStringLiteral("save as..."), this)),
      CloseButton(TColourButton::make("CloseButton", QStringLiteral("close"), this)),
      toggleLineWrapButton(TColourButton::make("toggleLineWrapButton", QStringLiteral("spacing - 1"), this)),
      turnOnSorting(TColourButton::make("turnOnSorting", QStringLiteral("turn on sorting"), this)),
      PreviousBookmarkButton(TColourButton::make("PreviousBookmarkButton", QStringLiteral("previous (8)"), this)),
      CurrentBookmarkButton(TColourButton::make("CurrentBookmarkButton", QStringLiteral("current (9)"), this)),
      NextBookmarkButton(TColourButton::make("NextBookmarkButton", QStringLiteral("next (0)"), this)),
      PlayAll(TColourButton::make("PlayAll", QStringLiteral("Play All Bookmarks"), this)),
      PlayAllFilterButton(TColourButton::make("PlayAllFilterButton", QStringLiteral("filter..."), this)),
      PlayAllFilterPanel(new PlayAllFilterBar(this)),
      PlayingAllLabel(new TBlinkLabel(QStringLiteral("Playing All Bookmarks"), this)),
      hideCatalogButton(TColourButton::make("hideCatalogButton", QStringLiteral("hide video catalog"), this)),
      hideRepeatsButton(TColourButton::make("hideRepeatsButton", QStringLiteral("repeats - visible"), this)),
      Splitter(new QSplitter(Qt::Horizontal, this)), Panel4(new QWidget(Splitter)),
      BookmarksGrid(new TBookmarksGrid(this, Panel4)), DescriptionMemo(new QPlainTextEdit),
      focusSink(new FocusSink(this)), m_document(new CatalogDocument(this))
{
    setObjectName(QStringLiteral("BookmarksForm"));
    setWindowTitle(QStringLiteral("Video Catalog"));
    resize(950, 305);
    focusSink->setInactiveText(QStringLiteral("bookmark grid active"));
    PlayingAllLabel->setObjectName(QStringLiteral("PlayingAllLabel"));
    PlayingAllLabel->setAccessibleName(PlayingAllLabel->text());
    PlayingAllLabel->hide();
    setAcceptDrops(true); // files dropped from the desktop become bookmarks

    buildMenu();
    auto* bar = new QWidget(this);
    bar->setObjectName(QStringLiteral("ButtonPanel"));
    buildButtons(bar);
    buildGrid();

    auto* descriptionPanel = new QWidget(Splitter);
    descriptionPanel->setObjectName(QStringLiteral("Panel8"));
    auto* descriptionTitle = new QLabel(QStringLiteral("Description"), descriptionPanel);
    descriptionTitle->setAccessibleName(descriptionTitle->text());
    DescriptionMemo->setParent(descriptionPanel);
    DescriptionMemo->setObjectName(QStringLiteral("DescriptionMemo"));
    DescriptionMemo->setAccessibleName(QStringLiteral("Description"));
    DescriptionMemo->installEventFilter(this);
    auto* descriptionLayout = new QVBoxLayout(descriptionPanel);
    descriptionLayout->setContentsMargins(0, 0, 0, 0);
    descriptionLayout->setSpacing(2);
    descriptionLayout->addWidget(descriptionTitle);
    descriptionLayout->addWidget(DescriptionMemo, 1);
    Splitter->addWidget(Panel4);
    Splitter->addWidget(descriptionPanel);
    Splitter->setChildrenCollapsible(false);
    Splitter->setStretchFactor(0, 1);
    Panel4->setMinimumWidth(kMinimumGridWidth);
    connect(Splitter, &QSplitter::splitterMoved, this, [this] { m_gridWidth = Splitter->sizes().value(0); });

    auto* body = new QHBoxLayout;
    body->addWidget(focusSink);
    body->addWidget(Splitter, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(MainMenu);
    layout->setContentsMargins(4, 2, 4, 4);
    layout->addWidget(bar);
    layout->addWidget(PlayAllFilterPanel);
    layout->addLayout(body, 1);
    setGridPanelWidth(690);

    connectControls();
    connectPlayAllFilter();
    ResetBookmarksGrid(BookmarksGridColumns{});
}

TBookmarksForm::~TBookmarksForm() = default;

void TBookmarksForm::buildMenu()
{
    MainMenu->setObjectName(QStringLiteral("MainMenu"));
    MainMenu->setAccessibleName(QStringLiteral("Catalog menu"));
    if (auto* more = MainMenu->findChild<QWidget*>(QStringLiteral("qt_menubar_ext_button")))
        more->setAccessibleName(QStringLiteral("More menu items"));
    FileMenu = MainMenu->addMenu(QStringLiteral("&File"));
    Open1 = FileMenu->addAction(QStringLiteral("Open"));
    Open1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    Save1 = FileMenu->addAction(QStringLiteral("Save"));
    Save1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    SaveAs1 = FileMenu->addAction(QStringLiteral("Save as ..."));
    SaveAs1->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    Close1 = FileMenu->addAction(QStringLiteral("Close"));
    Close1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));
    FileMenu->addSeparator();
    ImportMultipleClips1 = FileMenu->addAction(QStringLiteral("Import Multiple Clips"));
    QMenu* print = FileMenu->addMenu(QStringLiteral("Print Grid"));
    PrintWithoutDescription1 = print->addAction(QStringLiteral("Without Description"));
    PrintWithDescription1 = print->addAction(QStringLiteral("With Description"));

    QMenu* view = MainMenu->addMenu(QStringLiteral("&View"));
    QMenu* spacing = view->addMenu(QStringLiteral("Spacing"));
    auto* spacingGroup = new QActionGroup(this);
    Spacing1 = spacing->addAction(QStringLiteral("spacing - 1"));
    Spacing2 = spacing->addAction(QStringLiteral("spacing - 2"));
    for (QAction* item : {Spacing1, Spacing2}) {
        item->setCheckable(true);
        spacingGroup->addAction(item);
    }
    Spacing1->setChecked(true);

    QMenu* tools = MainMenu->addMenu(QStringLiteral("&Tools"));
    Options1 = tools->addAction(QStringLiteral("Options"));
    Options1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
}

void TBookmarksForm::buildButtons(QWidget* bar)
{
    for (TColourButton* b : {OpenButton, SaveButton, SaveAsButton, CloseButton, toggleLineWrapButton, turnOnSorting,
                             PreviousBookmarkButton, CurrentBookmarkButton, NextBookmarkButton, PlayAll,
                             PlayAllFilterButton, hideCatalogButton, hideRepeatsButton})
        b->setParent(bar);
    PlayingAllLabel->setParent(bar);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    for (TColourButton* b : {OpenButton, SaveButton, SaveAsButton, CloseButton})
        row->addWidget(b);
    row->addSpacing(8);
    row->addWidget(toggleLineWrapButton);
    row->addWidget(turnOnSorting);
    row->addSpacing(8);
    for (TColourButton* b :
         {PreviousBookmarkButton, CurrentBookmarkButton, NextBookmarkButton, PlayAll, PlayAllFilterButton})
        row->addWidget(b);
    row->addWidget(PlayingAllLabel);
    row->addStretch(1);
    row->addWidget(hideRepeatsButton);
    row->addWidget(hideCatalogButton);
}

void TBookmarksForm::buildGrid()
{
    TBookmarksGrid* grid = BookmarksGrid;
    grid->setObjectName(QStringLiteral("BookmarksGrid"));
    grid->setAccessibleName(QStringLiteral("Bookmarks"));
    grid->setModel(new BookmarksGridStyleModel(m_document, grid));
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setMinimumSectionSize(1);
    grid->setWordWrap(true);
    grid->setFont(QFont(QStringLiteral("Tahoma"), 8));
    QHeaderView* header = grid->horizontalHeader();
    header->setMinimumSectionSize(0);
    header->setStretchLastSection(false);
    header->setFixedHeight(BookmarksGridLook::HeaderHeight);
    header->setSortIndicatorShown(false);
    QFont bold = grid->font();
    bold.setBold(true);
    header->setFont(bold);
    QPalette pal = grid->palette();
    pal.setColor(QPalette::Base, BookmarksGridLook::Cream);
    pal.setColor(QPalette::Highlight, BookmarksGridLook::Selection);
    pal.setColor(QPalette::HighlightedText, Qt::black);
    grid->setPalette(pal);
    grid->setStyleSheet(QStringLiteral("QTableView { gridline-color: silver; }"));
    // The catalog is hidden until it holds a bookmark.
    grid->hide();

    auto* panelLayout = new QVBoxLayout(Panel4);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    panelLayout->addWidget(grid);
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

int TBookmarksForm::gridPanelWidth() const
{
    return m_gridWidth;
}

int TBookmarksForm::SpacingStyle() const
{
    return m_document->SpacingStyle();
}

void TBookmarksForm::setSpacingStyle(int style)
{
    m_document->setSpacingStyle(style);
    const bool two = m_document->SpacingStyle() == 2;
    toggleLineWrapButton->setText(two ? QStringLiteral("spacing - 2") : QStringLiteral("spacing - 1"));
    (two ? Spacing2 : Spacing1)->setChecked(true);
    applyRowHeights();
}

bool TBookmarksForm::RepeatsHidden() const
{
    return m_document->RepeatsHidden();
}

void TBookmarksForm::setRepeatsHidden(bool on)
{
    m_document->setRepeatsHidden(on);
    hideRepeatsButton->setText(on ? QStringLiteral("repeats - hidden") : QStringLiteral("repeats - visible"));
}

int TBookmarksForm::CatalogMode() const
{
    return m_document->CatalogMode();
}

bool TBookmarksForm::CatalogModified() const
{
    return m_document->CatalogModified();
}

bool TBookmarksForm::PlayingAll() const
{
    return m_document->PlayingAll();
}

int TBookmarksForm::PlayingBookmark() const
{
    return m_document->PlayingBookmark();
}

void TBookmarksForm::setPlayingBookmark(int row)
{
    m_document->setPlayingBookmark(row);
}

void TBookmarksForm::ResetBookmarksGrid()
{
    BookmarksGridColumns columns = m_host ? m_host->gridColumns() : BookmarksGridColumns{};
    // The widths the user gave the columns last.
    columns.categoryWidth = m_categoryWidth;
    columns.nameWidth = m_nameWidth;
    columns.filenameWidth = m_filenameWidth;
    ResetBookmarksGrid(columns);
}

void TBookmarksForm::ResetBookmarksGrid(const BookmarksGridColumns& columns)
{
    m_document->ResetBookmarksGrid(columns);
    m_categoryWidth = columns.categoryWidth;
    m_nameWidth = columns.nameWidth;
    m_filenameWidth = columns.filenameWidth;
    TBookmarksGrid* grid = BookmarksGrid;
    const int widths[Count] = {20,
                               30,
                               columns.showCategory ? columns.categoryWidth : 0,
                               columns.nameWidth,
                               columns.showLearn ? 40 : 0,
                               columns.showRating ? 45 : 0,
                               30,
                               66,
                               66,
                               columns.filenameWidth,
                               columns.showFolder ? 100 : 0,
                               0,
                               0,
                               0,
                               0};
    QHeaderView* header = grid->horizontalHeader();
    const int stretching = columns.showFolder ? Folder : Filename;
    for (int c = 0; c < Count; ++c) {
        // Only the category, name and file name columns may be resized.
        const bool resizable = c == Category || c == Name || c == Filename;
        header->setSectionResizeMode(c, resizable ? QHeaderView::Interactive : QHeaderView::Fixed);
        grid->setColumnWidth(c, widths[c]);
    }
    header->setSectionResizeMode(stretching, QHeaderView::Stretch);
    hideRepeatsButton->setVisible(columns.showCategory);
    applyRowHeights();
    grid->placeCursor(Category, 1);
    DescriptionMemo->clear();
}

void TBookmarksForm::applyRowHeights()
{
    const int height = m_document->SpacingStyle() == 2 ? BookmarksGridLook::RowHeight2 : BookmarksGridLook::RowHeight1;
    BookmarksGrid->verticalHeader()->setDefaultSectionSize(height);
}

void TBookmarksForm::UpdateBookmarksFormTitleBar()
{
    const QString caption = m_document->captionText();
    if (!caption.isEmpty())
        setWindowTitle(caption);
}

void TBookmarksForm::ResetInitialCatalogDirectory(const QString& folder)
{
    m_openFolder = folder;
    m_saveFolder = folder;
}

void TBookmarksForm::closeEvent(QCloseEvent* event)
{
    // The close box closes the catalog; the window itself stays.
    event->ignore();
    CloseButtonClick(this);
}

bool TBookmarksForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == DescriptionMemo && event->type() == QEvent::FocusOut)
        DescriptionMemoExit();
    return QWidget::eventFilter(watched, event);
}
