// MpvEngine's side of its frame steps (MpvFrameStepper): what the stepper
// reads of the engine and asks of mpv.

#include "gui/playback/MpvEngine.h"
#include "gui/playback/MpvVideoWidget.h"

#include <mpv/client.h>

class MpvEngine::StepperLink final : public MpvFrameStepper::Mpv {
public:
    explicit StepperLink(MpvEngine& engine) : m_engine(engine) {}

    bool restsPaused() const override { return m_engine.isOpen() && m_engine.m_paused && !m_engine.m_seekPending; }

    bool canPlayOneFrame() const override
    {
        const MpvEngine& e = m_engine;
        if (!restsPaused() || e.m_file.width <= 0 || e.m_atEnd || e.m_writesInFlight[mpvproperty::PropPause] > 0)
            return false;
        // Resting at the pause point, mpv has stopped as at a clip's end.
        return !(e.m_mpvEnd >= 0.0 && e.m_position >= e.m_pauseFrame - 1e-6);
    }

    double position() const override { return m_engine.m_position; }
    double speed() const override { return m_engine.m_speed; }
    double frameTimeFrom(double seconds, int count) const override { return m_engine.frameTimeFrom(seconds, count); }

    void readAs(double frameTime) override
    {
        m_engine.m_position = frameTime;
        m_engine.m_atEnd = false;
    }

    void armPausePoint(double from) override { m_engine.armPausePoint(from); }
    void dropPausePointEnd() override { m_engine.dropPausePointEnd(); }
    void seekToFrame(double frameTime) override { m_engine.seekTo(m_engine.seekTargetFor(frameTime), frameTime); }

    void sendFrameStep() override
    {
        const char* args[] = {"frame-step", nullptr};
        mpv_command_async(m_engine.m_mpv, 0, args);
    }

    void askWhetherPaused() override
    {
        mpv_get_property_async(m_engine.m_mpv, PauseReplyFlag, mpvproperty::nameOf(mpvproperty::PropPause),
                               MPV_FORMAT_FLAG);
    }

    void setPlayDirection(MpvFrameStepper::PlayDirection direction) override
    {
        const bool backward = direction == MpvFrameStepper::PlayDirection::Backward;
        const char* args[] = {"set", mpvproperty::nameOf(mpvproperty::PropPlayDirection),
                              backward ? "backward" : "forward", nullptr};
        mpv_command_async(m_engine.m_mpv, backward ? TurnReplyFlag : 0, args);
    }

    void setSeekStart(MpvFrameStepper::SeekStart start) override
    {
        const bool earlier = start == MpvFrameStepper::SeekStart::EarlierKeyframe;
        const char* args[] = {"set", mpvproperty::nameOf(mpvproperty::PropSeekDemuxerOffset), earlier ? "0.5" : "0",
                              nullptr};
        mpv_command_async(m_engine.m_mpv, 0, args);
    }

private:
    MpvEngine& m_engine;
};

std::unique_ptr<MpvFrameStepper::Mpv> MpvEngine::linkStepper()
{
    return std::make_unique<StepperLink>(*this);
}

// A step to a frame the picture keeps shows it at once; mpv goes there
// unseen, as it would have without it.
void MpvEngine::stepFrames(double from, int count)
{
    if (m_surface && isOpen() && m_paused) {
        const double target = frameTimeFrom(from, count);
        if (target >= 0.0)
            m_surface->showStoredFrame(target);
    }
    m_stepper.stepFrames(from, count);
}
