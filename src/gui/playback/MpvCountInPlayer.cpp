#include "gui/playback/MpvCountInPlayer.h"

#include "gui/playback/CountInTrack.h"
#include "gui/playback/MpvSoundHandle.h"

#include <QFile>
#include <algorithm>
#include <chrono>
#include <mpv/client.h>
#include <utility>

namespace {

// The properties watched, by the id their events carry.
enum Watched : std::uint64_t { WatchedAudioPts = 1, WatchedEof };

// The spoken counts, built into the program.
const char* const kVoiceResources[] = {":/sounds/count5.wav", ":/sounds/count6.wav", ":/sounds/count7.wav",
                                       ":/sounds/count8.wav"};

qint64 steadyNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

QByteArray renderTrack(const countin::CountInPlan& plan, countin::CountInSound sound)
{
    if (sound != countin::CountInSound::Voice)
        return countintrack::renderClicks(plan);
    QList<countintrack::Samples> words;
    for (const char* name : kVoiceResources) {
        QFile file(QString::fromLatin1(name));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        words << countintrack::readSpokenWord(file.readAll());
    }
    return countintrack::renderVoice(plan, words);
}

} // namespace

MpvCountInPlayer::MpvCountInPlayer(const QString& audioOutput, QObject* parent)
    : QObject(parent), m_audioOutput(audioOutput)
{
    m_one.setSingleShot(true);
    m_one.setTimerType(Qt::PreciseTimer);
    connect(&m_one, &QTimer::timeout, this, &MpvCountInPlayer::reachOne);
}

MpvCountInPlayer::~MpvCountInPlayer()
{
    if (!m_mpv)
        return;
    mpv_set_wakeup_callback(m_mpv, nullptr, nullptr);
    mpv_terminate_destroy(m_mpv);
}

bool MpvCountInPlayer::makeHandle()
{
    if (m_mpv)
        return true;
    if (m_failed)
        return false;
    m_failed = true; // until everything below has worked
    m_folder = std::make_unique<QTemporaryDir>();
    if (!m_folder->isValid())
        return false;
    m_mpv = mpvsound::makeHandle(
        m_audioOutput, {{"keep-open", "yes"}, {"audio-buffer", "0.05"}, {"pause", "yes"}, {"access-references", "no"}});
    if (!m_mpv)
        return false;
    mpv_observe_property(m_mpv, WatchedAudioPts, "audio-pts", MPV_FORMAT_DOUBLE);
    mpv_observe_property(m_mpv, WatchedEof, "eof-reached", MPV_FORMAT_FLAG);
    mpv_set_wakeup_callback(m_mpv, &MpvCountInPlayer::onWakeup, this);
    m_failed = false;
    return true;
}

// Called on one of mpv's threads: the time is noted and the work queued.
void MpvCountInPlayer::onWakeup(void* self)
{
    auto* player = static_cast<MpvCountInPlayer*>(self);
    player->m_wokenNs = steadyNs();
    if (player->m_drainQueued.exchange(true))
        return;
    QMetaObject::invokeMethod(player, &MpvCountInPlayer::drainEvents, Qt::QueuedConnection);
}

void MpvCountInPlayer::prepare(const countin::CountInPlan& plan, countin::CountInSound sound, int volume)
{
    if (!makeHandle())
        return;
    setVolume(volume);
    const Track track{plan, sound};
    if (m_track != track && m_state != State::Sounding)
        load(track);
}

bool MpvCountInPlayer::start(const countin::CountInPlan& plan, countin::CountInSound sound, int volume,
                             std::function<void()> atOne)
{
    stop();
    if (!makeHandle())
        return false;
    setVolume(volume);
    const Track track{plan, sound};
    if (m_track != track)
        load(track);
    if (m_state == State::Empty)
        return false;
    m_atOne = std::move(atOne);
    m_startWanted = true;
    // Until mpv tells where the sound is, the count-in's length from now.
    m_one.start(plan.lengthMs() + qRound(countintrack::LeadInSeconds * 1000));
    unpauseIfWanted();
    return true;
}

void MpvCountInPlayer::stop()
{
    m_startWanted = false;
    m_atOne = nullptr;
    m_one.stop();
    if (m_state == State::Sounding)
        rewind();
}

void MpvCountInPlayer::load(const Track& track)
{
    const QByteArray bytes = renderTrack(track.plan, track.sound);
    const QString path = m_folder->filePath(QStringLiteral("countin-%1.wav").arg(++m_files));
    QFile file(path);
    if (bytes.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        m_state = State::Empty;
        m_track.reset();
        return;
    }
    file.close();
    // The older file goes; mpv has read it whole by now or is replacing it.
    if (m_files > 1)
        QFile::remove(m_folder->filePath(QStringLiteral("countin-%1.wav").arg(m_files - 1)));
    setPaused(true);
    const QByteArray utf8 = path.toUtf8();
    const char* args[] = {"loadfile", utf8.constData(), "replace", nullptr};
    mpv_command_async(m_mpv, 0, args);
    m_track = track;
    m_state = State::Loading;
    m_settled = false;
}

void MpvCountInPlayer::setVolume(int volume)
{
    double v = std::clamp(volume, 0, 100);
    mpv_set_property_async(m_mpv, 0, "volume", MPV_FORMAT_DOUBLE, &v);
}

void MpvCountInPlayer::setPaused(bool paused)
{
    int flag = paused ? 1 : 0;
    mpv_set_property_async(m_mpv, 0, "pause", MPV_FORMAT_FLAG, &flag);
}

// Back to the count's start, paused, ready for the next pass.
void MpvCountInPlayer::rewind()
{
    setPaused(true);
    const char* args[] = {"seek", "0", "absolute+exact", nullptr};
    mpv_command_async(m_mpv, 0, args);
    m_state = State::Ready;
    m_settled = false;
}

void MpvCountInPlayer::unpauseIfWanted()
{
    if (!m_startWanted || m_state != State::Ready)
        return;
    m_startWanted = false;
    m_state = State::Sounding;
    setPaused(false);
}

void MpvCountInPlayer::drainEvents()
{
    m_drainQueued = false;
    if (!m_mpv)
        return;
    while (true) {
        const qint64 stamp = m_wokenNs;
        const mpv_event* event = mpv_wait_event(m_mpv, 0);
        if (event->event_id == MPV_EVENT_NONE)
            break;
        if (event->event_id == MPV_EVENT_PROPERTY_CHANGE && event->reply_userdata == WatchedAudioPts) {
            const auto* change = static_cast<const mpv_event_property*>(event->data);
            if (change->format == MPV_FORMAT_DOUBLE)
                positionReported(*static_cast<const double*>(change->data), stamp);
            continue;
        }
        handleEvent(*event);
    }
}

void MpvCountInPlayer::handleEvent(const mpv_event& event)
{
    switch (event.event_id) {
    case MPV_EVENT_FILE_LOADED:
        if (m_state == State::Loading)
            m_state = State::Ready;
        unpauseIfWanted();
        break;
    case MPV_EVENT_PLAYBACK_RESTART:
        // Loaded or gone back to the start: the positions come from there.
        m_settled = true;
        break;
    case MPV_EVENT_END_FILE:
        // A file that could not be played: nothing is loaded.
        if (static_cast<const mpv_event_end_file*>(event.data)->reason == MPV_END_FILE_REASON_ERROR) {
            m_state = State::Empty;
            m_track.reset();
        }
        break;
    case MPV_EVENT_PROPERTY_CHANGE: {
        const auto* change = static_cast<const mpv_event_property*>(event.data);
        if (event.reply_userdata == WatchedEof && change->format == MPV_FORMAT_FLAG &&
            *static_cast<const int*>(change->data) && m_state == State::Sounding) {
            // The sound is over, ready for the next pass. Over too soon (no
            // sound device), the "1" still comes when the timer says.
            rewind();
        }
        break;
    }
    default:
        break;
    }
}

// The count sounds at its own pace: the "1" comes when the position reported
// (at the time mpv reported it) reaches the count-in's length.
void MpvCountInPlayer::positionReported(double seconds, qint64 stampNs)
{
    // A position from before the last load or rewind tells nothing.
    if (m_state != State::Sounding || !m_settled || !m_atOne || !m_track || seconds <= 0)
        return;
    const double toOne = countintrack::LeadInSeconds + m_track->plan.lengthSeconds() - seconds;
    const qint64 dueNs = stampNs + qint64(toOne * 1e9) - qint64(ClipStartLeadMs) * 1000000;
    m_one.start(int(std::max<qint64>(0, (dueNs - steadyNs() + 500000) / 1000000)));
}

void MpvCountInPlayer::reachOne()
{
    if (std::function<void()> atOne = std::exchange(m_atOne, nullptr))
        atOne();
}
