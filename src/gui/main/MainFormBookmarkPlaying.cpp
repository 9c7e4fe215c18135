// The main window's side of playing bookmarks: its bookmark list, its copies
// of the previous/current/next and stop buttons with the blinking label, the
// locks of a play-all sequence, and what a play click in the grid does.
#include "gui/main/TMainForm.h"

#include "core/catalog/CatalogControllers.h"
#include "core/catalog/CatalogDocument.h"
#include "core/playback/LoopControls.h"
#include "core/playback/MediaPlayerControl.h"
#include "gui/catalog/TBookmarksForm.h"
#include "gui/cmdline/TCommandLineEntryForm.h"
#include "gui/main/AppWindows.h"
#include "gui/main/WindowSizing.h"
#include "gui/options/TOptionsForm.h"
#include "gui/widgets/TBlinkLabel.h"
#include "gui/widgets/TColourButton.h"
#include "gui/widgets/TimeBox.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>

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

void TMainForm::connectBookmarkPlaying()
{
    PlayAllSession* catalog = &m_windows->catalog->playing;
    const CatalogDocument* document = m_windows->BookmarksForm->document();
    loops->setPlayAllView(catalog);

    PlayingAllLabel = new TBlinkLabel(QStringLiteral("Playing All Bookmarks"), BookmarkControlsBox);
    PlayingAllLabel->setObjectName(QStringLiteral("PlayingAllLabel"));
    PlayingAllLabel->setAccessibleName(PlayingAllLabel->text());
    PlayingAllLabel->setWordWrap(true);
    PlayingAllLabel->setAlignment(Qt::AlignCenter);
    PlayingAllLabel->setGeometry(9, 22, 100, 48);
    PlayingAllLabel->setBlinkRate(kBlinkMs);
    PlayingAllLabel->hide();

    connect(PlayAll, &QAbstractButton::clicked, this, [this, catalog] {
        catalog->TurnOffPlayAllBookmarks();
        giveFocusToSink();
    });
    connect(PreviousBookmarkButton, &QAbstractButton::clicked, this, [this, catalog] {
        catalog->PlayNextLoop(0, true);
        giveFocusToSink();
    });
    connect(CurrentBookmarkButton, &QAbstractButton::clicked, this, [this, catalog] {
        catalog->PlayNextLoop(1, true);
        giveFocusToSink();
    });
    connect(NextBookmarkButton, &QAbstractButton::clicked, this, [this, catalog] {
        const bool wasPlayingAll = catalog->PlayingAll();
        catalog->PlayNextLoop(2, true);
        if (catalog->PlayingAll() || !wasPlayingAll)
            giveFocusToSink();
    });
    new LoopListWatcher(
        LoopList, [document] { return document->PlayingBookmark() - 1; }, [this] { giveFocusToSink(); });
    connect(LoopList, &QComboBox::activated, this, [this, catalog](int item) {
        catalog->playLoopListItem(item);
        giveFocusToSink();
    });
}

void TMainForm::showPlayingAll(bool on, bool catalogOpen)
{
    PlayingAllLabel->setVisible(on);
    for (TColourButton* b : {PlayAll, PreviousBookmarkButton, CurrentBookmarkButton, NextBookmarkButton})
        b->setVisible(on);
    for (TColourButton* b : {PreviousBookmarkButton, CurrentBookmarkButton, NextBookmarkButton})
        b->setColor(kLightViolet);
    makeBookmarkButton->setVisible(!on);
    updateBookmarkButton->setVisible(!on && catalogOpen);
    for (QWidget* w : {static_cast<QWidget*>(ViewClipButton), static_cast<QWidget*>(previousClipButton),
                       static_cast<QWidget*>(nextClipButton), static_cast<QWidget*>(ImportClipsButton),
                       static_cast<QWidget*>(LoopList), static_cast<QWidget*>(setStartTimeValue),
                       static_cast<QWidget*>(setEndTimeValue), static_cast<QWidget*>(resetEndTimeButton),
                       static_cast<QWidget*>(resetLoopButton), static_cast<QWidget*>(setStartTimeButton),
                       static_cast<QWidget*>(setEndTimeButton), static_cast<QWidget*>(loopOnce)})
        w->setEnabled(!on);
    for (QAction* a : {choosevideoclip1, PlayPreviousClip1, PlayNextClip1, ImportMultipleClips1})
        a->setEnabled(!on);
    if (TCommandLineEntryForm* entry = m_windows->CommandLineEntryForm)
        entry->setPlayingAll(on);
}

void TMainForm::stopPlayAllPlayback()
{
    loops->stopPlayAllPlayback();
}

bool TMainForm::playerFullScreen() const
{
    return player()->FullScreenMode();
}

void TMainForm::leavePlayerFullScreen()
{
    player()->setFullScreenMode(false);
}

void TMainForm::applyPlayClickBehavior(bool fromDoubleClick)
{
    using windowsize::Sender;
    switch (m_windows->OptionsForm->BookmarkPlayClickBehaviorIndex()) {
    case 1:
        sizing->VideoWindowToggleButtonClick(Sender::BookmarksForm);
        break;
    case 2:
        // Leaving full screen gives the focus back to the catalog window.
        sizing->enterFullScreenFor(fromDoubleClick ? Sender::BookmarksForm : Sender::BookmarksGrid);
        break;
    default:
        break;
    }
}
