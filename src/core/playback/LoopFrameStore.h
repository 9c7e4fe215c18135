#pragma once

#include <QSize>
#include <QtGlobal>
#include <map>
#include <optional>
#include <vector>

// Which frames of the loop under way are kept as they were drawn, and where:
// the bookkeeping of the picture's frame store. The picture owns the buffers
// (one frame each, all of the drawn size, made ahead of time and reused);
// this class names them by index, a slot.
//
// A frame is kept under its time. Inside the loop every frame drawn gets a
// slot: the slot it has already, a free one, or, when all are taken, the
// slot of the frame kept longest ago (the frames just played are the ones
// rocked over). The slots are as many as the budget holds at the drawn size,
// and no more than the loop has frames. A new loop, clip or drawn size
// empties the store.
class LoopFrameStore {
public:
    static constexpr int DefaultBudgetMB = 768;
    static constexpr int MaxBudgetMB = 8192;
    // Times closer than this are the same frame (time stamps read through
    // different time bases differ in their last digits).
    static constexpr double SameFrame = 0.0005;

    // Bytes a frame of the drawn size takes (four bytes a pixel).
    static qint64 frameBytes(QSize drawn);
    // Bytes every frame from start to end takes at `fps` and the drawn size.
    static qint64 bytesFor(double start, double end, double fps, QSize drawn);

    // The most the store may hold, in bytes; a budget that changes the
    // number of slots empties the store.
    void setBudget(qint64 bytes);
    qint64 budget() const { return m_budget; }

    // The loop from start to end (seconds) at `fps`, drawn at `drawn`.
    // Anything else than what is kept empties the store; an empty size or
    // an end not after the start keeps nothing. True when the store was
    // emptied.
    bool setLoop(double start, double end, double fps, QSize drawn);
    // No loop: nothing is kept.
    void clear();
    bool isActive() const { return slotCount() > 0; }
    double loopStart() const { return m_start; }
    double loopEnd() const { return m_end; }
    QSize drawnSize() const { return m_drawn; }

    // Whether a frame at `time` lies inside the loop.
    bool covers(double time) const;
    // The buffers the store uses: what the budget holds at the drawn size,
    // no more than the loop's frames.
    int slotCount() const { return int(m_slots.size()); }
    // The slots whose buffers are made: only the first `count` are handed
    // out (all of them while no count was given).
    void setReadySlots(int count) { m_ready = count; }

    // Where the frame drawn at `time` is to be kept (see the class
    // comment); -1 outside the loop or without a loop. `spared` is a slot
    // that is not to be taken (the one on screen).
    int store(double time, int spared = -1);
    // The slot of the frame kept at `time`, -1 when none is.
    int slotOf(double time) const;
    // The time of the kept frame nearest `time`, and of the first kept
    // after it and the last before it.
    std::optional<double> nearest(double time) const;
    std::optional<double> next(double time) const;
    std::optional<double> previous(double time) const;

    int heldCount() const { return int(m_byTime.size()); }
    qint64 bytesHeld() const { return heldCount() * frameBytes(m_drawn); }

private:
    struct Slot {
        std::optional<double> time;
        quint64 storedAt = 0;
    };
    std::map<double, int>::const_iterator find(double time) const;

    qint64 m_budget = qint64(DefaultBudgetMB) * 1024 * 1024;
    double m_start = 0.0;
    double m_end = -1.0;
    double m_fps = 0.0;
    QSize m_drawn;
    std::vector<Slot> m_slots;
    std::map<double, int> m_byTime;
    quint64 m_stores = 0;
    int m_ready = -1;
};
