#include "catalog/TBookmarksForm.h"

#include "input/FocusSink.h"
#include "ui/widgets/TColourButton.h"

#include <QApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

const QColor kCream(255, 251, 240);
const QColor kPlayHeader(0, 128, 0);
constexpr int kRowHeight = 20;
constexpr int kHeaderHeight = 21;

} // namespace

TBookmarksForm::TBookmarksForm(QWidget* parent)
    : QWidget(parent, Qt::Window), Panel4(new QWidget(this)), BookmarksGrid(new QTableWidget(Panel4)),
      DescriptionMemo(new QPlainTextEdit(this)),
      hideRepeatsButton(TColourButton::make("hideRepeatsButton", QStringLiteral("repeats - visible"), this)),
      PreviousBookmarkButton(TColourButton::make("PreviousBookmarkButton", QStringLiteral("previous (8)"), this)),
      CurrentBookmarkButton(TColourButton::make("CurrentBookmarkButton", QStringLiteral("current (9)"), this)),
      NextBookmarkButton(TColourButton::make("NextBookmarkButton", QStringLiteral("next (0)"), this)),
      focusSink(new FocusSink(this))
{
    setObjectName(QStringLiteral("BookmarksForm"));
    setWindowTitle(QStringLiteral("Video Catalog"));
    resize(950, 305);
    focusSink->setInactiveText(QStringLiteral("bookmark grid active"));

    Panel4->setObjectName(QStringLiteral("Panel4"));
    DescriptionMemo->setObjectName(QStringLiteral("DescriptionMemo"));
    DescriptionMemo->setAccessibleName(QStringLiteral("Description"));
    buildGrid();

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(hideRepeatsButton);
    buttons->addStretch(1);
    buttons->addWidget(PreviousBookmarkButton);
    buttons->addWidget(CurrentBookmarkButton);
    buttons->addWidget(NextBookmarkButton);
    auto* body = new QHBoxLayout;
    body->addWidget(focusSink);
    body->addWidget(Panel4);
    body->addWidget(DescriptionMemo, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addLayout(body, 1);
    setGridPanelWidth(690);

    connect(PreviousBookmarkButton, &QAbstractButton::clicked, this,
            [this] { PreviousBookmarkButtonClick(PreviousBookmarkButton); });
    connect(CurrentBookmarkButton, &QAbstractButton::clicked, this,
            [this] { CurrentBookmarkButtonClick(CurrentBookmarkButton); });
    connect(NextBookmarkButton, &QAbstractButton::clicked, this,
            [this] { NextBookmarkButtonClick(NextBookmarkButton); });

    ResetBookmarksGrid(BookmarksGridColumns{});
}

void TBookmarksForm::buildGrid()
{
    BookmarksGrid->setObjectName(QStringLiteral("BookmarksGrid"));
    BookmarksGrid->setAccessibleName(QStringLiteral("Bookmarks"));
    BookmarksGrid->setColumnCount(BookmarkColumn::Count);
    BookmarksGrid->verticalHeader()->hide();
    BookmarksGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    BookmarksGrid->setWordWrap(true);
    QHeaderView* header = BookmarksGrid->horizontalHeader();
    header->setMinimumSectionSize(0);
    header->setStretchLastSection(false);
    header->setFixedHeight(kHeaderHeight);
    QFont bold = header->font();
    bold.setBold(true);
    header->setFont(bold);
    QPalette pal = BookmarksGrid->palette();
    pal.setColor(QPalette::Base, kCream);
    pal.setColor(QPalette::Highlight, QColor(182, 202, 234));
    BookmarksGrid->setPalette(pal);
    BookmarksGrid->setStyleSheet(QStringLiteral("QTableWidget { gridline-color: silver; }"));
    // The catalog is hidden until it holds a bookmark.
    BookmarksGrid->hide();

    auto* panelLayout = new QVBoxLayout(Panel4);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    panelLayout->addWidget(BookmarksGrid);
}

void TBookmarksForm::setGridPanelWidth(int width)
{
    Panel4->setFixedWidth(qMax(0, width));
}

int TBookmarksForm::gridPanelWidth() const
{
    return Panel4->width();
}

void TBookmarksForm::ResetBookmarksGrid(const BookmarksGridColumns& columns)
{
    using namespace BookmarkColumn;
    QTableWidget* grid = BookmarksGrid;
    grid->clearContents();
    grid->setRowCount(1);
    grid->setColumnCount(Count);

    const QStringList headers = {QString(),
                                 QStringLiteral("#"),
                                 columns.categoryName,
                                 columns.nameName,
                                 columns.learnName,
                                 columns.ratingName,
                                 QStringLiteral("Play"),
                                 QStringLiteral("Start Time"),
                                 QStringLiteral("End Time"),
                                 QStringLiteral("Filename"),
                                 QStringLiteral("Folder"),
                                 QStringLiteral("Description"),
                                 QString(),
                                 QString(),
                                 QString()};
    grid->setHorizontalHeaderLabels(headers);
    grid->horizontalHeaderItem(Play)->setForeground(kPlayHeader);

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

    for (int c = Number; c <= Description; ++c) {
        auto* item = new QTableWidgetItem;
        if (c == Category || c == Name || c == Play)
            item->setBackground(kCream);
        grid->setItem(0, c, item);
    }
    grid->item(0, Play)->setIcon(QApplication::style()->standardIcon(QStyle::SP_MediaPlay));
    grid->setRowHeight(0, kRowHeight);
    grid->setCurrentCell(0, Category);
    DescriptionMemo->clear();
    m_selectedRow = 1;
    m_blankFirstRow = true;
}

void TBookmarksForm::UpdateBookmarksFormTitleBar()
{
    const QString modified = m_catalogModified ? QStringLiteral("  [MODIFIED]") : QString();
    if (m_catalogMode == 1) {
        setWindowTitle(QStringLiteral("Video Catalog --  New  [NO FILE]") + modified);
    } else if (m_catalogMode == 2) {
        const QFileInfo file(m_catalogFileName);
        const QString folder = file.path().endsWith(QLatin1Char('/')) ? file.path() : file.path() + QLatin1Char('/');
        setWindowTitle(QStringLiteral("Video Catalog --  ") + file.fileName() + QStringLiteral("  (in folder ") +
                       folder + QStringLiteral(")") + modified);
    }
}

void TBookmarksForm::PreviousBookmarkButtonClick(QObject* /*sender*/)
{
    // Playing bookmarks arrives with the catalog player.
}

void TBookmarksForm::CurrentBookmarkButtonClick(QObject* /*sender*/)
{
    // Playing bookmarks arrives with the catalog player.
}

void TBookmarksForm::NextBookmarkButtonClick(QObject* /*sender*/)
{
    // Playing bookmarks arrives with the catalog player.
}
