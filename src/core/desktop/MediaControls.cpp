#include "core/desktop/MediaControls.h"

#include "core/base/ClipTypes.h"
#include "core/catalog/BookmarksGridColumns.h"
#include "core/catalog/CatalogDocument.h"
#include "core/catalog/PlayAllSession.h"
#include "core/playback/ClipLoader.h"
#include "core/playback/LoopControls.h"
#include "core/playback/MediaPlayerControl.h"
#include "core/playback/PlaybackEngine.h"
#include "core/playback/TransportControls.h"

#include <QFileInfo>
#include <algorithm>
#include <cmath>

MediaControls::MediaControls(const Parts& parts, QObject* parent)
    : QObject(parent), m_player(parts.player), m_loops(parts.loops), m_transport(parts.transport), m_clips(parts.clips),
      m_clock([this] { return m_steady.elapsed(); })
{
    m_steady.start();
    connect(&m_player, &MediaPlayerControl::ticked, this, &MediaControls::sample);
    connect(&m_player, &MediaPlayerControl::seeked, this, &MediaControls::seeked);
    connect(&m_clips, &ClipLoader::clipReady, this, [this] { ++m_trackNumber; });
    m_facts = facts();
}

void MediaControls::setCatalog(PlayAllSession* playing, const CatalogDocument* document)
{
    m_playing = playing;
    m_document = document;
}

double MediaControls::minimumRate()
{
    return TransportControls::minimumRate();
}

double MediaControls::maximumRate()
{
    return TransportControls::maximumRate();
}

// A bookmark of the catalog plays: all of them in sequence, or one whose
// loop has not been left.
bool MediaControls::catalogPlays() const
{
    if (!m_playing || !m_document || m_document->CatalogMode() == CatalogDocument::Mode::Closed)
        return false;
    return m_document->PlayingAll() || (m_document->PlayingBookmark() >= 1 && m_loops.LoopIsPlaying());
}

// As the play key sees it: a continuous loop waiting out its gap plays.
bool MediaControls::playingOrRepeating() const
{
    return m_player.PlayState() == mpPlaying || m_loops.restartPending();
}

bool MediaControls::run(MediaCommand command, MediaRoute route)
{
    if (!m_echo.accept(command, route, m_clock()))
        return false;
    switch (command) {
    case MediaCommand::PlayPause:
        m_transport.togglePlay();
        return true;
    case MediaCommand::Play:
        if (playingOrRepeating())
            return false;
        m_transport.togglePlay();
        return true;
    case MediaCommand::Pause:
        if (!playingOrRepeating())
            return false;
        m_transport.togglePlay();
        return true;
    case MediaCommand::Stop:
        if (m_document && m_document->PlayingAll())
            m_playing->TurnOffPlayAllBookmarks();
        m_transport.stop();
        return true;
    case MediaCommand::Next:
    case MediaCommand::Previous: {
        const bool next = command == MediaCommand::Next;
        if (catalogPlays()) {
            if (next)
                m_playing->playNextBookmark();
            else
                m_playing->playPreviousBookmark();
            return true;
        }
        if (m_player.FileName().isEmpty() || !m_clips.folderClipsReady())
            return false;
        if (next)
            m_clips.playNextClip();
        else
            m_clips.playPreviousClip();
        return true;
    }
    case MediaCommand::Forward:
        m_transport.jumpForwardSeconds();
        return true;
    case MediaCommand::Rewind:
        m_transport.jumpBackSeconds();
        return true;
    }
    return false;
}

bool MediaControls::jumpBy(double seconds, MediaRoute route)
{
    if (!m_echo.accept(seconds < 0 ? MediaCommand::Rewind : MediaCommand::Forward, route, m_clock()))
        return false;
    m_transport.jumpBy(seconds);
    return true;
}

void MediaControls::jumpTo(double seconds)
{
    if (m_player.OpenState() != osOpen || seconds < 0 || seconds > m_player.Duration())
        return;
    m_player.setCurrentPosition(seconds);
}

void MediaControls::setRate(double rate)
{
    if (rate == 0.0) {
        run(MediaCommand::Pause, MediaRoute::Desktop);
        return;
    }
    m_transport.changeRate(rate);
}

void MediaControls::setVolume(double volume)
{
    m_player.engine()->setVolume(int(std::lround(std::clamp(volume, 0.0, 1.0) * 100)));
}

MediaControls::ClipCheck MediaControls::canOpenClip(const QString& path) const
{
    if (!QFileInfo(path).isFile())
        return ClipCheck::NoFile;
    if (!ClipTypes::isClipFileName(path))
        return ClipCheck::NotAClip;
    // As the choose-clip key, which does not run while all bookmarks play.
    if (m_document && m_document->PlayingAll())
        return ClipCheck::PlayingAll;
    return ClipCheck::Fine;
}

void MediaControls::openClip(const QString& path)
{
    if (canOpenClip(path) == ClipCheck::Fine)
        m_clips.openChosenClip(path);
}

PlaybackActivity MediaControls::activity() const
{
    PlaybackFacts f;
    f.clipOpen = m_player.OpenState() == osOpen;
    f.playerPlaying = m_player.PlayState() == mpPlaying;
    f.clipLoading = m_clips.loading();
    f.repeatGap = m_loops.restartPending();
    f.playingAll = m_document && m_document->PlayingAll();
    f.nextBookmarkWaits = m_loops.PlayOnNextStateChange();
    return activityOf(f);
}

MediaFacts MediaControls::facts() const
{
    MediaFacts f;
    f.status = mediaStatusOf(activity());
    f.rate = m_player.Rate();
    f.volume = m_player.engine()->volume() / 100.0;
    f.clipOpen = m_player.OpenState() == osOpen;
    if (f.clipOpen) {
        MediaTrack& t = f.track;
        t.number = m_trackNumber;
        t.path = m_player.FileName();
        t.title = QFileInfo(t.path).fileName();
        t.length = m_player.Duration();
        if (catalogPlays()) {
            const int row = m_document->PlayingBookmark();
            const QString name = row >= 1 && row < m_document->RowCount()
                                     ? m_document->Cells(BookmarkColumn::Name, row).trimmed()
                                     : QString();
            if (!name.isEmpty())
                t.title = name;
        }
    }
    const bool steps = catalogPlays() || (f.clipOpen && !m_clips.folderClips().isEmpty());
    f.canGoNext = steps;
    f.canGoPrevious = steps;
    return f;
}

double MediaControls::position() const
{
    return m_player.CurrentPosition();
}

void MediaControls::sample()
{
    const PlaybackActivity now = activity();
    if (now != m_activity) {
        m_activity = now;
        emit activityChanged(now);
    }
    const MediaFacts current = facts();
    if (current != m_facts) {
        m_facts = current;
        emit factsChanged(current);
    }
}
