#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

// Reads the times of a clip's video frames on a thread of its own, with
// FFmpeg's demuxer (the one libmpv uses): only the packets' time stamps, no
// decoding. The times are on libmpv's clock (0 at the container's start).
//
// The result is handed to `done` on the thread that runs the scan; the
// caller queues it onto its own thread. Destroying the scan, or cancel(),
// stops it at the next packet, also while FFmpeg opens or probes the file
// (its interrupt callback), and `done` is not called after cancel() has
// returned. Only a plain local file is read: no protocols, no pipes or
// devices, which could keep the reader waiting.
class ClipFrameScan {
public:
    struct Frames {
        std::vector<double> times;
        // Some frame is decoded after a keyframe but shown before it: the
        // groups of pictures are open (HEVC as x265 writes it by default).
        bool openGroups = false;
    };
    using Done = std::function<void(Frames frames)>;

    // Reads the clip's frames: readFrames() unless a test gives another
    // reader.
    using Reader = std::function<Frames(const QString& path, const std::function<bool()>& stop)>;
    ClipFrameScan(const QString& path, Done done, Reader reader = {});
    // Waits a moment for the thread, which stops at its next packet; a
    // thread still held up in a read of a file that does not answer (a
    // network share gone away) is left to end on its own, so that closing
    // the program never waits for it.
    ~ClipFrameScan();
    ClipFrameScan(const ClipFrameScan&) = delete;
    ClipFrameScan& operator=(const ClipFrameScan&) = delete;

    void cancel();
    bool finished() const;

    // The scan itself, for tests: the frames of the clip's best video
    // stream, none when it has none or cannot be read. `stop` is polled
    // between packets.
    static Frames readFrames(const QString& path, const std::function<bool()>& stop = {});

private:
    struct Shared;
    std::shared_ptr<Shared> m_shared;
    std::thread m_thread;
};
