#include "gui/main/BookmarkControlsPanel.h"

#include "gui/input/FocusSink.h"
#include "gui/input/KeyboardView.h"
#include "gui/main/PanelControls.h"
#include "gui/widgets/TBlinkLabel.h"
#include "gui/widgets/TColourButton.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>

using PanelControls::button;
using PanelControls::label;

namespace {

const QColor kLightViolet(187, 187, 255);
constexpr int kBlinkMs = 700;

// The bookmark list shows the playing bookmark whenever it is not being
// chosen from: leaving it or Escape selects that item again; Escape also
// gives the keys back to the window's focus sink.
class LoopListWatcher : public QObject {
public:
    LoopListWatcher(QComboBox* list, std::function<int()> playingItem, std::function<void()> toSink)
        : QObject(list), m_list(list), m_playingItem(std::move(playingItem)), m_toSink(std::move(toSink))
    {
        list->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != m_list)
            return false;
        if (event->type() == QEvent::FocusOut) {
            if (m_list->currentIndex() != m_playingItem())
                m_list->setCurrentIndex(m_playingItem());
        } else if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            m_list->setCurrentIndex(m_playingItem());
            m_toSink();
            return true;
        }
        return false;
    }

private:
    QComboBox* m_list;
    std::function<int()> m_playingItem;
    std::function<void()> m_toSink;
};

} // namespace

BookmarkControlsPanel::BookmarkControlsPanel(FocusSink& sink, QWidget* parent) : QGroupBox(parent), m_sink(sink)
{
    PanelControls::makeGroup(this, "BookmarkControlsBox", QStringLiteral("Bookmark Controls"), {9, 370, 178, 153});
    makeBookmarkButton = button(this, "makeBookmarkButton", QStringLiteral("add bookmark (o)"), {9, 18, 100, 26});
    updateBookmarkButton = button(this, "updateBookmarkButton", QStringLiteral("update bookmark"), {9, 44, 100, 22});
    // The catalog indicators: which of these show depends on whether a
    // catalog is open.
    CurrentlyPlayingLabel =
        label(this, "CurrentlyPlayingLabel", QStringLiteral("Bookmark Currently Playing"), {9, 66, 161, 22});
    CurrentlyPlayingLabel->setFixedHeight(14);
    NewCatalogLabel =
        label(this, "NewCatalogLabel", QStringLiteral("(and start a new video catalog)"), {9, 50, 100, 22});
    NewCatalogLabel->setWordWrap(true);
    NewCatalogLabel->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    NewCatalogLabel->setFixedHeight(30);
    OpenCatalogButton = button(this, "OpenCatalogButton", QStringLiteral("open video catalog"), {112, 18, 58, 56});
    LoopList = new QComboBox(this);
    LoopList->setObjectName(QStringLiteral("LoopList"));
    LoopList->setAccessibleName(QStringLiteral("Bookmarks"));
    LoopList->setGeometry(9, 80, 161, 22);
    PlayAll = button(this, "PlayAll", QStringLiteral("stop playing bookmarks"), {9, 104, 161, 20});
    PreviousBookmarkButton = button(this, "PreviousBookmarkButton", QStringLiteral("previous (8)"), {9, 126, 52, 22});
    CurrentBookmarkButton = button(this, "CurrentBookmarkButton", QStringLiteral("current (9)"), {63, 126, 52, 22});
    NextBookmarkButton = button(this, "NextBookmarkButton", QStringLiteral("next (0)"), {117, 126, 52, 22});
    PlayingAllLabel = new TBlinkLabel(QStringLiteral("Playing All Bookmarks"), this);
    PlayingAllLabel->setObjectName(QStringLiteral("PlayingAllLabel"));
    PlayingAllLabel->setAccessibleName(PlayingAllLabel->text());
    PlayingAllLabel->setWordWrap(true);
    PlayingAllLabel->setAlignment(Qt::AlignCenter);
    PlayingAllLabel->setGeometry(9, 22, 100, 48);
    PlayingAllLabel->setBlinkRate(kBlinkMs);
    // Shown only while all bookmarks play in sequence.
    for (QWidget* w : std::initializer_list<QWidget*>{PlayAll, PreviousBookmarkButton, CurrentBookmarkButton,
                                                      NextBookmarkButton, PlayingAllLabel})
        w->hide();
    showBookmarkingInfo(false); // no catalog is open at first

    connect(OpenCatalogButton, &QAbstractButton::clicked, this, &BookmarkControlsPanel::openCatalogClicked);
    connect(updateBookmarkButton, &QAbstractButton::clicked, this, &BookmarkControlsPanel::updateBookmarkClicked);
    connect(PlayAll, &QAbstractButton::clicked, this, &BookmarkControlsPanel::stopPlayingAllClicked);
    using Step = PlayAllView::Step;
    const std::pair<TColourButton*, Step> steps[] = {{PreviousBookmarkButton, Step::Previous},
                                                     {CurrentBookmarkButton, Step::Current},
                                                     {NextBookmarkButton, Step::Next}};
    for (const auto& [b, step] : steps)
        connect(b, &QAbstractButton::clicked, this, [this, step = step] { emit bookmarkButtonClicked(step); });
    new LoopListWatcher(
        LoopList, [this] { return m_playingItem(); }, [this] { m_sink.takeFocus(); });
    connect(LoopList, &QComboBox::activated, this, &BookmarkControlsPanel::loopListChosen);
}

QAbstractButton* BookmarkControlsPanel::addBookmarkButton() const
{
    return makeBookmarkButton;
}

void BookmarkControlsPanel::addFocusParts(KeyboardFocusParts& parts) const
{
    parts.textBoxes << LoopList;
    parts.backgrounds << const_cast<BookmarkControlsPanel*>(this);
}

void BookmarkControlsPanel::setLoopListItems(const QStringList& items, int selected)
{
    LoopList->clear();
    LoopList->addItems(items);
    LoopList->setCurrentIndex(selected);
}

void BookmarkControlsPanel::selectLoopListItem(int index)
{
    LoopList->setCurrentIndex(index);
}

void BookmarkControlsPanel::addLoopListItem(const QString& item)
{
    LoopList->addItem(item);
}

void BookmarkControlsPanel::showBookmarkingInfo(bool catalogOpen)
{
    CurrentlyPlayingLabel->setVisible(catalogOpen);
    NewCatalogLabel->setVisible(!catalogOpen);
    makeBookmarkButton->move(makeBookmarkButton->x(), catalogOpen ? 16 : 22);
    LoopList->setVisible(catalogOpen);
    updateBookmarkButton->setVisible(catalogOpen);
    if (catalogOpen) {
        OpenCatalogButton->setText(QStringLiteral("show video catalog"));
        OpenCatalogButton->setHint(QStringLiteral("Show currently open catalog file.\n<Ctrl+O> will also work."));
    } else {
        OpenCatalogButton->setText(QStringLiteral("open video catalog"));
        OpenCatalogButton->setHint(
            QStringLiteral("Open a catalog file to view a collection of bookmarks.\n<Ctrl+O> will also work."));
    }
}

void BookmarkControlsPanel::showPlayingAll(bool on, bool catalogOpen)
{
    PlayingAllLabel->setVisible(on);
    for (TColourButton* b : {PlayAll, PreviousBookmarkButton, CurrentBookmarkButton, NextBookmarkButton})
        b->setVisible(on);
    for (TColourButton* b : {PreviousBookmarkButton, CurrentBookmarkButton, NextBookmarkButton})
        b->setColor(kLightViolet);
    makeBookmarkButton->setVisible(!on);
    updateBookmarkButton->setVisible(!on && catalogOpen);
    LoopList->setEnabled(!on);
}

void BookmarkControlsPanel::showMode(bool beginner)
{
    if (beginner)
        PanelControls::showBeginnerCaptions(this);
}
