// MpvFrameStepper against a stand-in for the engine that keeps the stepper's
// side of the bargain: every exact seek it is asked for tells the stepper
// first (seekStarts), as MpvEngine's does. What the stepper sets up around
// such a seek must outlive it. The real libmpv: TestControlsOnMpv.
#include "gui/playback/MpvFrameStepper.h"

#include <QList>
#include <QTest>
#include <cmath>
#include <memory>

namespace {

using PlayDirection = MpvFrameStepper::PlayDirection;
using SeekStart = MpvFrameStepper::SeekStart;

constexpr double Frame = 0.04; // 25 frames a second

// The time of frame `n`, as the stand-in reckons it.
double at(int n)
{
    return n * Frame;
}

// The engine and mpv as the stepper sees them, paused on a clip, and what
// it was asked to do.
struct Engine final : MpvFrameStepper::Mpv {
    MpvFrameStepper* stepper = nullptr;
    double shownAt = at(25);
    bool seeking = false;
    QList<double> seeks;
    QList<PlayDirection> directions;
    QList<SeekStart> seekStarts;
    int frameSteps = 0;

    bool restsPaused() const override { return !seeking; }
    bool canPlayOneFrame() const override { return restsPaused(); }
    double position() const override { return shownAt; }
    double speed() const override { return 1.0; }
    double frameTimeFrom(double seconds, int count) const override
    {
        const int frame = int(std::lround(seconds / Frame)) + count;
        return frame < 0 ? -1.0 : at(frame);
    }
    void readAs(double frameTime) override { shownAt = frameTime; }
    void armPausePoint(double) override {}
    void dropPausePointEnd() override {}
    void seekToFrame(double frameTime) override
    {
        stepper->seekStarts();
        shownAt = frameTime;
        seeking = true;
        seeks.append(frameTime);
    }
    void sendFrameStep() override { ++frameSteps; }
    void askWhetherPaused() override {}
    void setPlayDirection(PlayDirection direction) override { directions.append(direction); }
    void setSeekStart(SeekStart start) override { seekStarts.append(start); }

    // mpv has settled on `landed` after the last seek, as MpvEngine hands it
    // on: a landing that stands is shown, then mpv may turn.
    void seekLands(double landed)
    {
        seeking = false;
        if (stepper->exactSeekLanded(landed) == MpvFrameStepper::Landing::SoughtAgain)
            return;
        shownAt = landed;
        stepper->turnIfWanted();
    }
};

struct Rig {
    Engine* engine = new Engine;
    MpvFrameStepper stepper{std::unique_ptr<MpvFrameStepper::Mpv>(engine), {}};
    Rig() { engine->stepper = &stepper; }

    // mpv takes the turn backwards and settles after the seek it makes.
    void turnTaken()
    {
        stepper.turnTaken();
        stepper.playbackRestarted();
    }
};

} // namespace

class TestMpvFrameStepper : public QObject {
    Q_OBJECT

private slots:
    // A step back on a clip whose groups of pictures are open can land on
    // the keyframe after its frame; the seek is made again from an earlier
    // keyframe, and the turn backwards that the step back asked for still
    // comes once the frame is shown.
    void aStepBackSoughtAgainStillTurnsBackwards()
    {
        Rig rig;
        Engine& engine = *rig.engine;
        rig.stepper.stepFrames(at(25), -1);
        QCOMPARE(engine.seeks, QList<double>({at(24)}));

        engine.seekLands(at(25));
        QCOMPARE(engine.seeks, QList<double>({at(24), at(24)}));
        QCOMPARE(engine.seekStarts, QList<SeekStart>({SeekStart::EarlierKeyframe}));
        QVERIFY(engine.directions.isEmpty());

        engine.seekLands(at(24));
        QCOMPARE(engine.seekStarts, QList<SeekStart>({SeekStart::EarlierKeyframe, SeekStart::AtTarget}));
        QCOMPARE(engine.directions, QList<PlayDirection>({PlayDirection::Backward}));
        QVERIFY(rig.stepper.isTurning());

        // Turned, the next step back is a frame step of mpv's, not a seek.
        rig.turnTaken();
        rig.stepper.stepFrames(at(24), -1);
        QCOMPARE(engine.frameSteps, 1);
        QCOMPARE(engine.seeks.size(), 2);
        QVERIFY(rig.stepper.stepPending());
    }

    // Backwards mpv passes over the frames before a keyframe in such clips:
    // the step is made by a seek, which is made again if it shows the
    // keyframe, and the clip's steps back seek from then on.
    void aStepBackThatPassesFramesIsMadeBySeeks()
    {
        Rig rig;
        Engine& engine = *rig.engine;
        rig.stepper.stepFrames(at(25), -1);
        engine.seekLands(at(24));
        rig.turnTaken();
        rig.stepper.stepFrames(at(24), -1);
        QCOMPARE(engine.frameSteps, 1);

        const double target = at(23);
        QVERIFY(rig.stepper.holdsPosition(at(20)));
        QVERIFY(!rig.stepper.stepPending());
        QCOMPARE(engine.seeks, QList<double>({at(24), target}));
        QCOMPARE(engine.directions, QList<PlayDirection>({PlayDirection::Backward, PlayDirection::Forward}));

        engine.seekLands(at(24));
        QCOMPARE(engine.seeks, QList<double>({at(24), target, target}));
        QCOMPARE(engine.seekStarts, QList<SeekStart>({SeekStart::EarlierKeyframe}));
        engine.seekLands(target);
        QCOMPARE(engine.shownAt, target);

        rig.stepper.stepFrames(target, -1);
        engine.seekLands(at(22));
        QCOMPARE(engine.seeks.size(), 4);
        QCOMPARE(engine.directions.size(), 2);
        QCOMPARE(engine.frameSteps, 1);
    }
};

QTEST_MAIN(TestMpvFrameStepper)
#include "TestMpvFrameStepper.moc"
