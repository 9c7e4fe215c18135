#pragma once

#include "core/beats/BeatGrid.h"
#include "core/beats/LoopNudge.h"

#include <QObject>
#include <QString>
#include <optional>

class BeatSource;
class BeatView;
class LoopControls;
class LoopView;
class MediaPlayerControl;

// Loops on the beat: precise loop points, the nudge keys, the beats of the
// loaded clip with snapping, the beat loop key (a loop of 8 beats from the
// beat nearest the playback point) and the count over the picture.
//
// Every switch is off at first, and then the loops are exactly what they
// were: whole seconds, no beats searched for. The beats of a clip are
// searched for when it opens while "find the beats", snap, the count or the
// loops' count-in is on, or when the beat loop key asks for them (the loop
// then starts as soon as they are known).
class BeatLoopControls : public QObject {
    Q_OBJECT
public:
    // How many beats the count over the picture runs through.
    static constexpr int CountShown = beats::CountCycle;

    BeatLoopControls(MediaPlayerControl& player, LoopControls& loops, LoopView& boxes, QObject* parent = nullptr);

    void setBeatSource(BeatSource* source) { m_source = source; }
    void setBeatView(BeatView* view) { m_view = view; }

    // "Set start/end time" take the frame's time to the millisecond.
    void setPreciseLoopPoints(bool on) { m_precise = on; }
    bool preciseLoopPoints() const { return m_precise; }
    // Beats are searched for in every clip that opens.
    void setFindBeats(bool on);
    bool findBeats() const { return m_findBeats; }
    // "Set start/end time" and the nudge keys land on beats.
    void setSnapToBeat(bool on);
    bool snapToBeat() const { return m_snap; }
    // The count over the picture.
    void setShowCount(bool on);
    bool showCount() const { return m_showCount; }
    // The loops' count-in is on: it needs the beats.
    void setCountInWanted(bool on);
    // Beats in a beat loop: 4, 8, 16 or 32 (anything else: 8).
    void setBeatLoopCount(int count) { m_loopCount = beats::beatLoopCountOrDefault(count); }
    int beatLoopCount() const { return m_loopCount; }

    // A clip has opened (its length is known): its beats are unknown.
    void clipOpened(const QString& clipPath);
    // The beats of a clip as the source found them, and how they are
    // counted (the level, the first beat counted "1"); dropped unless it is
    // the clip still open.
    void beatsFound(const QString& clipPath, const QList<double>& beats, beats::BeatCount count = {});
    // Whether the beats of the open clip are known (maybe none).
    bool beatsKnown() const { return m_known; }
    const beats::BeatGrid& grid() const { return m_grid; }

    // The digits "set start/end time" put into a box for a position: the
    // nearest beat when snapping, the millisecond when precise, else the
    // whole second.
    QString loopPointDigits(double position) const;

    // The nudge keys: the loop's start or end one frame (coarse: a tenth of
    // a second) earlier or later; on the beats when snapping. The box shows
    // the new time; a loop that plays takes it from its next pass.
    void nudge(beats::LoopPoint point, beats::NudgeWay way, beats::NudgeStep step);
    // The beat loop key: a loop of beatLoopCount() beats from the beat
    // nearest the playback point, played at once in the current loop mode.
    void playBeatLoop();

    // The key that moves the count's "1" one beat later: the beats stay,
    // the count shifts, and the clip keeps it with its beats. Pressed while
    // the beats are still being found, it counts once they are known.
    void moveCountOne();
    // The key that counts the beats at the next level (twice as fast, half
    // as fast, as found): the "1" stays on its beat, and the clip keeps the
    // level with its beats. Pressed while the beats are still being found,
    // it counts once they are known.
    void changeBeatLevel();
    beats::BeatLevel beatLevel() const { return m_count.level; }

    // The playback position moved: the count follows it.
    void positionChanged(double position);

private:
    bool wantsBeats() const { return m_findBeats || m_snap || m_showCount || m_countIn; }
    void searchIfWanted();
    void search();
    // Said: a loop that cannot be made is refused with a message; Quiet:
    // without one.
    enum class Refusal { Said, Quiet };
    void playBeatLoopFrom(double position, Refusal refusal = Refusal::Said);
    void showCount(double position);
    void gridChanged();
    bool countCanChange(const QString& doing, int& pending);
    // The grid is counted anew: kept with the clip, shown, told to the loops.
    void countChanged();
    void applyBeatLevel();
    void showTicks();

    MediaPlayerControl& m_player;
    LoopControls& m_loops;
    LoopView& m_boxes;
    BeatSource* m_source = nullptr;
    BeatView* m_view = nullptr;

    bool m_precise = false;
    bool m_findBeats = false;
    bool m_snap = false;
    bool m_showCount = false;
    bool m_countIn = false;
    int m_loopCount = beats::DefaultBeatLoopCount;

    QString m_clip;
    bool m_searching = false;
    bool m_known = false;
    // The beats as found, how they are counted, and the beats so counted.
    QList<double> m_found;
    beats::BeatCount m_count;
    beats::BeatGrid m_grid;
    // Where the beat loop key was pressed while the beats were unknown.
    std::optional<double> m_pendingBeatLoop;
    // Presses of the move-"1" key while the beats were unknown.
    int m_pendingOneMoves = 0;
    int m_pendingLevelChanges = 0;
    int m_countShown = 0;
};
