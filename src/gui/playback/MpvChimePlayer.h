#pragma once

#include "core/playback/ChimePlayer.h"

#include <QString>
#include <QTemporaryDir>
#include <memory>

struct mpv_handle;

// The chime through a libmpv handle of its own, apart from the clip's
// player: audio only, no window, no waiting. The handle is made at the first
// play, and the chime's sound file (built into the program) is written to a
// private temporary folder then, since libmpv reads files, not resources.
class MpvChimePlayer : public ChimePlayer {
public:
    // audioOutput: mpv's "ao" choice; empty for the platform's default.
    explicit MpvChimePlayer(const QString& audioOutput = {}) : m_audioOutput(audioOutput) {}
    ~MpvChimePlayer() override;
    MpvChimePlayer(const MpvChimePlayer&) = delete;
    MpvChimePlayer& operator=(const MpvChimePlayer&) = delete;

    void play() override;
    // True while the chime sounds (loading it counts).
    bool isSounding() const;

private:
    bool prepare();
    void discardEvents();

    mpv_handle* m_mpv = nullptr;
    bool m_failed = false;
    std::unique_ptr<QTemporaryDir> m_folder;
    QByteArray m_path;
    QString m_audioOutput;
    bool m_started = false;
};
