#include "FakeEngine.h"

#include "core/playback/FrameTimes.h"

#include <QFileInfo>
#include <QTimer>
#include <algorithm>
#include <cmath>

void FakeEngine::load(const QString& absolutePath)
{
    m_loads << absolutePath;
    m_open = false;
    m_paused = true;
    m_atEnd = false;
    m_position = 0.0;
    m_pendingLoad = absolutePath;
    m_loadPending = true;
    if (m_opensByItself)
        QTimer::singleShot(0, this, [this] { finishLoad(); });
}

bool FakeEngine::abandonLoad()
{
    if (!m_loadPending)
        return false;
    m_loadPending = false;
    emit loadFailed(QStringLiteral("the file took too long to open"));
    return true;
}

void FakeEngine::breakDown(const QString& reason)
{
    m_loadPending = false;
    m_open = false;
    m_paused = true;
    m_atEnd = false;
    emit loadFailed(reason);
}

bool FakeEngine::finishLoad()
{
    if (!m_loadPending || m_clips.value(m_pendingLoad, m_defaultClip).hangs)
        return false;
    m_loadPending = false;
    const Clip clip = m_clips.value(m_pendingLoad, m_defaultClip);
    const QFileInfo info(m_pendingLoad);
    if (clip.broken || (!m_clips.contains(m_pendingLoad) && !info.isFile())) {
        emit loadFailed(QStringLiteral("unrecognized file format"));
        return true;
    }
    m_clip = clip;
    m_open = true;
    emit fileLoaded();
    return true;
}

void FakeEngine::setPaused(bool paused)
{
    if (paused == m_paused)
        return;
    m_paused = paused;
    emit pausedChanged(paused);
}

void FakeEngine::seek(double seconds)
{
    if (!m_open)
        return;
    ++m_seeks;
    m_lastSeek = seconds;
    m_position = std::clamp(seconds, 0.0, m_clip.duration);
    m_atEnd = m_position >= m_clip.duration;
    m_seekReportPending = true;
}

double FakeEngine::frameTimeFrom(double seconds, int count) const
{
    if (!m_open || m_clip.frameTimes.empty())
        return PlaybackEngine::frameTimeFrom(seconds, count);
    return FrameTimes::fromTimes(m_clip.frameTimes).timeFrom(seconds, count);
}

qint64 FakeEngine::frameCount() const
{
    return m_open ? std::llround(m_clip.duration * m_clip.fps) : 0;
}

void FakeEngine::advance(int milliseconds)
{
    finishLoad();
    if (!m_open)
        return;
    if (m_seekReportPending) {
        m_seekReportPending = false;
        emit positionChanged(m_position);
    }
    if (m_paused || m_atEnd)
        return;
    const double frame = 1.0 / m_clip.fps;
    double remaining = milliseconds / 1000.0 * m_speed;
    while (remaining > 1e-9 && !m_paused) {
        // Advance to the next frame boundary, or as far as time allows.
        // Frame k lies at k / fps, as a clip's time stamps put it, exactly
        // (not k times a rounded frame length, which drifts below whole
        // seconds).
        const double nextFrame = (std::floor(m_position / frame + 1e-6) + 1) / m_clip.fps;
        const bool reachesFrame = m_position + remaining >= nextFrame - 1e-9;
        const double stepTo = reachesFrame ? nextFrame : m_position + remaining;
        remaining -= stepTo - m_position;
        m_position = std::min(stepTo, m_clip.duration);
        if (m_position >= m_clip.duration) {
            m_atEnd = true;
            m_paused = true;
            emit positionChanged(m_position);
            emit pausedChanged(true);
            emit endReached();
            return;
        }
        if (reachesFrame)
            emit positionChanged(m_position);
    }
}
