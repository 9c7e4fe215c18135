#include "gui/playback/MpvChimePlayer.h"
#include "gui/playback/MpvProperty.h"
#include "gui/playback/MpvSoundHandle.h"

#include <QFile>
#include <mpv/client.h>
#include <utility>

namespace {
const char* const kChimeResource = ":/sounds/chimes.wav";
} // namespace

MpvChimePlayer::~MpvChimePlayer()
{
    if (m_mpv)
        mpv_terminate_destroy(m_mpv);
}

void MpvChimePlayer::play()
{
    if (!prepare())
        return;
    discardEvents();
    const char* args[] = {"loadfile", m_path.constData(), "replace", nullptr};
    m_started = mpv_command_async(m_mpv, 0, args) >= 0;
}

bool MpvChimePlayer::isSounding() const
{
    if (!m_mpv || !m_started)
        return false;
    int idle = 1;
    mpv_get_property(m_mpv, mpvproperty::nameOf(mpvproperty::PropIdle), MPV_FORMAT_FLAG, &idle);
    return !idle;
}

bool MpvChimePlayer::prepare()
{
    if (m_mpv)
        return true;
    if (m_failed)
        return false;
    m_failed = true; // until everything below has worked

    m_folder = std::make_unique<QTemporaryDir>();
    if (!m_folder->isValid())
        return false;
    const QString path = m_folder->filePath(QStringLiteral("chimes.wav"));
    if (!QFile::copy(QString::fromLatin1(kChimeResource), path))
        return false;
    m_path = path.toUtf8();

    m_mpv = mpvsound::makeHandle(m_audioOutput, {{"keep-open", "no"}});
    if (!m_mpv)
        return false;
    m_failed = false;
    return true;
}

// Nobody listens to this handle's events; dropping them keeps its queue
// from filling up.
void MpvChimePlayer::discardEvents()
{
    while (mpv_wait_event(m_mpv, 0)->event_id != MPV_EVENT_NONE) {
    }
}
