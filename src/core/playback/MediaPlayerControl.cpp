#include "core/playback/MediaPlayerControl.h"

#include "core/input/FullScreenKeys.h"
#include "core/playback/LoopRules.h"
#include "core/playback/PlaybackEngine.h"

#include <cmath>
#include <utility>

MediaPlayerControl::MediaPlayerControl(PlaybackEngine* engine, QObject* parent) : QObject(parent), m_engine(engine)
{
    m_engine->setParent(this);
    connect(m_engine, &PlaybackEngine::fileLoaded, this, &MediaPlayerControl::engineLoaded);
    connect(m_engine, &PlaybackEngine::loadFailed, this, &MediaPlayerControl::engineFailed);
    m_loadDeadline.setSingleShot(true);
    m_loadDeadline.setInterval(OpenDeadlineMs);
    connect(&m_loadDeadline, &QTimer::timeout, this, &MediaPlayerControl::openTookTooLong);
    connect(m_engine, &PlaybackEngine::endReached, this, &MediaPlayerControl::engineEnded);
    connect(m_engine, &PlaybackEngine::positionChanged, this, &MediaPlayerControl::enginePositionChanged);
    m_timer.setInterval(TickIntervalMs);
    connect(&m_timer, &QTimer::timeout, this, &MediaPlayerControl::tick);
    m_timer.start();
}

MediaPlayerControl::~MediaPlayerControl() = default;

void MediaPlayerControl::setTimerEnabled(bool enabled)
{
    if (enabled)
        m_timer.start();
    else
        m_timer.stop();
}

double MediaPlayerControl::CurrentPosition() const
{
    if (!m_engine->isOpen())
        return 0.0;
    return m_cue ? m_cue->heldPosition : m_engine->position();
}

void MediaPlayerControl::setCurrentPosition(double seconds)
{
    if (m_openState != osOpen)
        return;
    seconds = std::max(0.0, seconds);
    // Playing has just started from a cue at this very place.
    if (m_playedFromCueAt && seconds == *m_playedFromCueAt)
        return;
    seekEngine(seconds);
}

// Every seek of the control goes here: it ends a cue, and the picture held
// for it is let go once the engine has landed.
void MediaPlayerControl::seekEngine(double seconds)
{
    moveEngine(seconds);
    emit seeked(seconds);
}

void MediaPlayerControl::moveEngine(double seconds)
{
    m_cue.reset();
    m_playedFromCueAt.reset();
    m_engine->seek(seconds);
}

double MediaPlayerControl::frameTimeFrom(double seconds, int count) const
{
    return m_openState == osOpen ? m_engine->frameTimeFrom(seconds, count) : -1.0;
}

void MediaPlayerControl::keepLoopFrames(double start, double end)
{
    m_engine->keepLoopFrames(start, end);
}

void MediaPlayerControl::stepFrames(int count)
{
    if (m_openState != osOpen)
        return;
    const double from = CurrentPosition();
    m_cue.reset();
    m_playedFromCueAt.reset();
    m_engine->stepFrames(from, count);
    emit seeked(m_engine->position());
}

void MediaPlayerControl::cue(double seconds)
{
    if (m_openState != osOpen || m_playState == mpPlaying)
        return;
    if (!m_cue) {
        m_cue = Cue{0.0, CurrentPosition()};
        if (m_picture == Picture::Live) {
            m_picture = Picture::Held;
            m_engine->holdPicture(true);
        }
    }
    m_cue->target = std::max(0.0, seconds);
    m_playedFromCueAt.reset();
    m_engine->seek(m_cue->target);
}

void MediaPlayerControl::dropCue()
{
    // Back where the position reads all along: no seek to tell of.
    if (m_cue)
        moveEngine(m_cue->heldPosition);
}

// The picture shows the engine's frame again once the engine is where the
// position reads: at once when it has landed, else when it lands.
void MediaPlayerControl::releasePicture()
{
    if (m_picture == Picture::Live || m_cue || m_engine->seekPending())
        return;
    letGoOfPicture();
}

// A new load, or none: whatever the picture was held for is over.
void MediaPlayerControl::letGoOfPicture()
{
    if (m_picture == Picture::Live)
        return;
    m_picture = Picture::Live;
    m_engine->holdPicture(false);
}

int MediaPlayerControl::ImageSourceWidth() const
{
    return m_openState == osOpen ? m_engine->videoWidth() : 0;
}
int MediaPlayerControl::ImageSourceHeight() const
{
    return m_openState == osOpen ? m_engine->videoHeight() : 0;
}

void MediaPlayerControl::setRate(double rate)
{
    m_rate = rate;
    m_engine->setSpeed(rate);
}

bool MediaPlayerControl::Mute() const
{
    return m_engine->isMuted();
}
void MediaPlayerControl::setMute(bool mute)
{
    m_engine->setMuted(mute);
}

// A range end is moved only to a value that keeps start <= end; callers that
// move a whole range clear both ends first.
void MediaPlayerControl::setSelectionStart(double seconds)
{
    if (seconds == m_selectionStart)
        return;
    if (seconds == -1.0) {
        m_selectionStart = -1.0;
        return;
    }
    if (seconds < 0 || (m_selectionEnd != -1.0 && seconds > m_selectionEnd))
        return;
    m_selectionStart = seconds;
}

void MediaPlayerControl::setSelectionEnd(double seconds)
{
    if (seconds == m_selectionEnd)
        return;
    if (seconds == -1.0) {
        m_selectionEnd = -1.0;
        updatePausePoint();
        return;
    }
    if (seconds < 0 || (m_selectionStart != -1.0 && seconds < m_selectionStart))
        return;
    m_selectionEnd = seconds;
    updatePausePoint();
}

// A loop's end is where the range end says; the engine pauses there by
// itself, on the very frame, however fast the clip plays (the position
// events that the loop handlers pause on come a frame or more late on a
// 60 fps clip at double speed).
void MediaPlayerControl::updatePausePoint()
{
    const double point = m_openState == osOpen ? loopEndForSelectionEnd(m_selectionEnd, m_duration) : -1.0;
    if (point == m_pausePoint)
        return;
    m_pausePoint = point;
    m_engine->setPausePoint(point);
}

void MediaPlayerControl::setDisplaySize(DisplaySizeValue size)
{
    if (size != m_displaySize) {
        m_displaySize = size;
        emit displaySizeChanged(size);
    }
    if (!m_fullScreen)
        showPictureFullScreen(false);
}

void MediaPlayerControl::setFullScreenMode(bool on)
{
    m_fullScreen = on;
    showPictureFullScreen(on);
}

void MediaPlayerControl::showPictureFullScreen(bool on)
{
    if (on == m_pictureFullScreen)
        return;
    m_pictureFullScreen = on;
    emit pictureFullScreenChanged(on);
}

void MediaPlayerControl::setFGrabber_Enabled(bool on)
{
    m_grabberEnabled = on;
    if (on)
        m_codecName.clear();
}

void MediaPlayerControl::Open()
{
    if (m_fileName.isEmpty())
        return;
    if (m_playState == mpPlaying)
        Stop();
    m_cue.reset();
    m_playedFromCueAt.reset();
    letGoOfPicture();
    changeOpenState(osLoading);
    updatePausePoint();
    // Loading goes on without holding the caller; it ends with
    // engineLoaded() or engineFailed(), or at the deadline.
    m_loadDeadline.start();
    m_engine->load(m_fileName);
}

// A file that neither opens nor fails (a stalled disk, a player that hangs)
// is given up, so the control does not stay "opening" for ever.
void MediaPlayerControl::openTookTooLong()
{
    if (m_openState == osLoading && m_engine->abandonLoad())
        engineFailed();
}

void MediaPlayerControl::engineLoaded()
{
    if (m_openState != osLoading)
        return;
    if (m_grabberEnabled)
        m_codecName = m_engine->videoDecoderName().left(128);
    m_duration = m_engine->duration();
    const qint64 frames = m_engine->frameCount();
    m_frameCount = frames > 0 ? quint32(frames) : 0;
    m_lastPosition = -1.0;
    changeOpenState(osOpen);
    m_playState = mpStopped;
    updatePausePoint();
    m_loadDeadline.stop();
    if (m_autoStart)
        Play();
    else
        m_engine->seek(0.0);
    emit loadFinished(true);
}

// The engine gave up on the file: while it was opening, or later (a sound
// output that cannot start, a file that breaks off). Either way nothing is
// open or playing any more, and the windows hear so on the next tick.
void MediaPlayerControl::engineFailed()
{
    if (m_openState == osClosed)
        return;
    m_loadDeadline.stop();
    m_cue.reset();
    m_playedFromCueAt.reset();
    letGoOfPicture();
    const OpenStateValue oldOpen = m_openState;
    changeOpenState(osClosed);
    updatePausePoint();
    m_lastPosition = -1.0;
    m_endOfStreamPending = false;
    changePlayState(mpStopped);
    if (oldOpen == osLoading)
        emit loadFinished(false);
}

void MediaPlayerControl::Play()
{
    if (m_openState != osOpen)
        return;
    if (m_playState != mpPlaying) {
        if (m_cue) {
            // Playing starts where the cue has put the engine; the picture
            // follows once the engine is there.
            m_playedFromCueAt = m_cue->target;
            m_cue.reset();
            releasePicture();
            emit seeked(*m_playedFromCueAt);
        } else if (m_engine->isAtEnd()) {
            // A clip that played out starts again from its beginning (or
            // from its play range's start), as from a stop.
            seekEngine(m_selectionStart != -1.0 ? m_selectionStart : 0.0);
        }
        changePlayState(mpPlaying);
        m_engine->setPaused(false);
    }
    if (m_fullScreen)
        showPictureFullScreen(true);
}

bool MediaPlayerControl::Pause()
{
    if (m_openState != osOpen || m_playState != mpPlaying)
        return false;
    m_engine->setPaused(true);
    changePlayState(mpPaused);
    return true;
}

void MediaPlayerControl::Stop()
{
    if (m_openState != osOpen)
        return;
    m_engine->setPaused(true);
    seekEngine(0.0);
    changePlayState(mpStopped);
}

// What happens at once when the play state changes; the windows hear of it on
// the next tick.
void MediaPlayerControl::changePlayState(PlayStateValue newState)
{
    const PlayStateValue oldState = m_playState;
    if (oldState == newState)
        return;
    m_playState = newState;
    if (m_engine->speed() != m_rate)
        m_engine->setSpeed(m_rate);
    if (newState == mpPlaying) {
        if (oldState != mpPaused && m_selectionStart != -1.0)
            seekEngine(m_selectionStart);
        if (m_fullScreen)
            m_fullScreenPending = true;
    }
    // Only the latest change waits for the tick. A tick is brought forward to
    // the next turn of the event loop, so that the windows can act (jump to a
    // loop's start, say) before the engine shows the next frame.
    if (m_timer.isActive() && !m_pendingPlayChange)
        QTimer::singleShot(0, this, &MediaPlayerControl::tick);
    m_pendingPlayChange = Change<PlayStateValue>{oldState, newState};
}

// Only the latest change waits for the tick, and none that leads back to
// where the windows last heard it was: a load that ends as it began.
void MediaPlayerControl::changeOpenState(OpenStateValue newState)
{
    const OpenStateValue oldState = m_openState;
    if (oldState == newState)
        return;
    m_openState = newState;
    m_pendingOpenChange = Change<OpenStateValue>{oldState, newState};
}

void MediaPlayerControl::engineEnded()
{
    m_endOfStreamPending = true;
    // While a play range is set, the clip's end is also the range's end. Some
    // clips (sound only, sound that outlasts the picture) stop reporting
    // positions short of it, so the windows are told of a position at the
    // range's end; if they pause there (or had paused already, just short
    // of it), playback rests at the end instead of stopping.
    if (m_selectionStart != -1.0) {
        if (m_playState == mpPlaying)
            reportRangeEnd();
        if (m_playState != mpPlaying)
            return;
    }
    changePlayState(mpStopped);
}

void MediaPlayerControl::reportRangeEnd()
{
    if (m_openState != osOpen || m_inPositionCheck)
        return;
    const bool endInClip = m_selectionEnd != -1.0 && m_selectionEnd <= m_duration;
    const double end = endInClip ? m_selectionEnd : m_duration;
    const double old = m_lastPosition < 0 ? 0.0 : m_lastPosition;
    m_inPositionCheck = true;
    m_lastPosition = m_engine->position();
    emit OnPositionChange(old, end, framePosition(old), framePosition(end));
    m_inPositionCheck = false;
}

void MediaPlayerControl::enginePositionChanged()
{
    releasePicture();
    if (!m_inTick)
        checkPosition();
}

quint32 MediaPlayerControl::framePosition(double seconds) const
{
    if (m_duration == 0.0 || m_frameCount == 0)
        return 0;
    return quint32(std::llround(m_frameCount * seconds / m_duration));
}

void MediaPlayerControl::checkPosition()
{
    if (m_openState != osOpen || m_inPositionCheck)
        return;
    const double position = CurrentPosition();
    if (position == m_lastPosition)
        return;
    m_inPositionCheck = true;
    const double old = m_lastPosition < 0 ? 0.0 : m_lastPosition;
    m_lastPosition = position;
    emit OnPositionChange(old, position, framePosition(old), framePosition(position));
    if (m_selectionEnd >= 0 && m_selectionEnd <= position)
        Stop();
    m_inPositionCheck = false;
}

void MediaPlayerControl::fullScreenKeyReleased(int key, Qt::KeyboardModifiers modifiers)
{
    if (!m_pendingKey)
        m_pendingKey = Key{key, modifiers};
}

void MediaPlayerControl::tick()
{
    if (m_inTick)
        return;
    m_inTick = true;
    ++m_tickCount;
    if (std::exchange(m_fullScreenPending, false) && m_fullScreen)
        showPictureFullScreen(true);
    if (m_openState == osOpen)
        checkPosition();
    if (const std::optional<Key> key = std::exchange(m_pendingKey, std::nullopt)) {
        if (keys::leavesFullScreen(key->key)) {
            // Escape leaves full screen inside the control, without an event.
            m_fullScreen = false;
            showPictureFullScreen(false);
        } else {
            emit OnFullScreenKeyPress(key->key, key->modifiers);
        }
    }
    if (std::exchange(m_endOfStreamPending, false)) {
        emit OnEndOfStream();
        if (m_loop)
            Play();
    }
    if (const auto change = std::exchange(m_pendingOpenChange, std::nullopt))
        emit OnOpenStateChange(change->from, change->to);
    if (const auto change = std::exchange(m_pendingPlayChange, std::nullopt)) {
        emit OnPlayStateChange(change->from, change->to);
        // The handlers have had their say on where playing starts.
        m_playedFromCueAt.reset();
    }
    m_inTick = false;
    emit ticked();
}
