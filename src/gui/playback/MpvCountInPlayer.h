#pragma once

#include "core/playback/CountInPlayer.h"

#include <QObject>
#include <QTemporaryDir>
#include <QTimer>
#include <atomic>
#include <memory>
#include <optional>

struct mpv_handle;
struct mpv_event;

// The count-in through a libmpv handle of its own, beside the clip's player:
// audio only, a short audio buffer, no window. The whole count-in is one
// sound file (written to a private temporary folder), loaded paused ahead of
// time; once it sounds, its "1" is timed from its own playback clock as mpv
// reports it: each report of the audio position, stamped when mpv sent it,
// sets a precise timer for the moment the position reaches the count-in's
// length. Nothing here waits on mpv. Without a sound device no position
// comes, and the "1" falls the count-in's length after the start.
class MpvCountInPlayer : public QObject, public CountInPlayer {
    Q_OBJECT
public:
    // audioOutput: mpv's "ao" choice; empty for the platform's default.
    explicit MpvCountInPlayer(const QString& audioOutput = {}, QObject* parent = nullptr);
    ~MpvCountInPlayer() override;
    MpvCountInPlayer(const MpvCountInPlayer&) = delete;
    MpvCountInPlayer& operator=(const MpvCountInPlayer&) = delete;

    void prepare(const countin::CountInPlan& plan, countin::CountInSound sound, int volume) override;
    bool start(const countin::CountInPlan& plan, countin::CountInSound sound, int volume,
               std::function<void()> atOne) override;
    void stop() override;

    // How far ahead of the count's "1" the loop is told to play: the clip's
    // output, which starts from paused, is heard about 10 ms after "play"
    // (measured at the sound output by TestCountInSound and CountInBench,
    // 10 to 13 ms on PulseAudio at 1x and 0.75x).
    static constexpr int ClipStartLeadMs = 8;

private:
    enum class State { Empty, Loading, Ready, Sounding };
    struct Track {
        countin::CountInPlan plan;
        countin::CountInSound sound = countin::CountInSound::Off;
        bool operator==(const Track&) const = default;
    };

    bool makeHandle();
    void load(const Track& track);
    void setVolume(int volume);
    void setPaused(bool paused);
    void rewind();
    void unpauseIfWanted();
    void drainEvents();
    void handleEvent(const mpv_event& event);
    void positionReported(double seconds, qint64 stampNs);
    void reachOne();
    static void onWakeup(void* self);

    QString m_audioOutput;
    mpv_handle* m_mpv = nullptr;
    bool m_failed = false;
    std::unique_ptr<QTemporaryDir> m_folder;
    int m_files = 0;
    State m_state = State::Empty;
    std::optional<Track> m_track;
    bool m_startWanted = false;
    // mpv has landed where the last load or rewind sent it.
    bool m_settled = false;
    std::function<void()> m_atOne;
    QTimer m_one;
    std::atomic<bool> m_drainQueued{false};
    std::atomic<qint64> m_wokenNs{0};
};
