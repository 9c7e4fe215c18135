#pragma once

// What the transport controls need from the window that holds them: the
// chosen entries of the jump-value and rate lists and the marks of the mute
// and speed buttons.
class TransportView {
public:
    enum class JumpList { backSeconds, forwardSeconds, backMinutes, forwardMinutes, backFrames, forwardFrames };
    enum class SpeedMode { Slow, Regular, Fast };

    virtual ~TransportView() = default;

    // The chosen value of a jump list, read as a whole number.
    virtual int jumpValue(JumpList list) const = 0;
    // Positions of the chosen entries of the rate lists; -1 when none.
    virtual int slowRateEntry() const = 0;
    virtual int fastRateEntry() const = 0;

    // The mute button: "un-mute (key)" marked while muted, "mute (key)" else.
    virtual void showMuted(bool muted) = 0;
    // Marks the speed button of the mode, unmarks the other two.
    virtual void showSpeedMode(SpeedMode mode) = 0;
};
