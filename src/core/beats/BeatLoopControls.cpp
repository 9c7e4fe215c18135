#include "core/beats/BeatLoopControls.h"

#include "core/base/Prompt.h"
#include "core/base/TimeCode.h"
#include "core/beats/BeatView.h"
#include "core/playback/LoopControls.h"
#include "core/playback/LoopView.h"
#include "core/playback/MediaPlayerControl.h"
#include "core/playback/PlaybackEngine.h"

#include <algorithm>
#include <cmath>
#include <utility>

using beats::LoopPoint;

BeatLoopControls::BeatLoopControls(MediaPlayerControl& player, LoopControls& loops, LoopView& boxes, QObject* parent)
    : QObject(parent), m_player(player), m_loops(loops), m_boxes(boxes)
{
}

void BeatLoopControls::setFindBeats(bool on)
{
    m_findBeats = on;
    searchIfWanted();
}

void BeatLoopControls::setCountInWanted(bool on)
{
    m_countIn = on;
    searchIfWanted();
}

void BeatLoopControls::setSnapToBeat(bool on)
{
    m_snap = on;
    searchIfWanted();
}

void BeatLoopControls::setShowCount(bool on)
{
    m_showCount = on;
    searchIfWanted();
    showCount(m_player.CurrentPosition());
}

void BeatLoopControls::searchIfWanted()
{
    if (wantsBeats() && !m_clip.isEmpty() && !m_known && !m_searching)
        search();
}

void BeatLoopControls::search()
{
    if (!m_source || m_clip.isEmpty())
        return;
    m_searching = true;
    m_source->find(m_clip);
}

void BeatLoopControls::clipOpened(const QString& clipPath)
{
    if (m_source && m_searching)
        m_source->cancel();
    m_clip = clipPath;
    m_searching = false;
    m_known = false;
    m_found.clear();
    m_count = {};
    m_grid = beats::BeatGrid();
    m_pendingBeatLoop.reset();
    m_pendingOneMoves = 0;
    m_pendingLevelChanges = 0;
    gridChanged();
    showCount(0);
    searchIfWanted();
}

void BeatLoopControls::beatsFound(const QString& clipPath, const QList<double>& beats, beats::BeatCount count)
{
    if (clipPath != m_clip || m_clip.isEmpty())
        return;
    m_searching = false;
    m_known = true;
    m_found = beats;
    m_count = count;
    m_grid = beats::KeptBeats{m_found, m_count}.counted();
    m_count.one = m_grid.one();
    const int levelChanges = std::exchange(m_pendingLevelChanges, 0);
    const int moves = std::exchange(m_pendingOneMoves, 0);
    if ((levelChanges != 0 || moves != 0) && !m_grid.isEmpty()) {
        for (int i = 0; i < levelChanges; ++i)
            applyBeatLevel();
        m_grid = m_grid.withOneMoved(moves);
        m_count.one = m_grid.one();
        if (m_source)
            m_source->keepCount(m_clip, m_count);
    }
    gridChanged();
    showCount(m_player.CurrentPosition());
    // A loop asked for while the beats were searched for starts now. When
    // there is none to start, no box comes up out of the blue (the dancer may
    // be typing into another window by now): the ticks stay away, and the
    // next press of the key says why.
    if (const auto pending = std::exchange(m_pendingBeatLoop, std::nullopt))
        playBeatLoopFrom(*pending, Refusal::Quiet);
}

QString BeatLoopControls::loopPointDigits(double position) const
{
    if (m_snap && !m_grid.isEmpty())
        return determineColonStringFromMilliseconds(roundPositionToMilliseconds(*m_grid.nearest(position)));
    if (m_precise)
        return determineColonStringFromMilliseconds(roundPositionToMilliseconds(position));
    return determineColonStringFromSeconds(roundPositionToSeconds(position));
}

void BeatLoopControls::nudge(LoopPoint point, beats::NudgeWay way, beats::NudgeStep step)
{
    if (m_player.FileName().isEmpty()) {
        prompt().message(QStringLiteral("You must choose a clip first before moving a loop's start or end."));
        return;
    }
    const QString start = m_boxes.startTimeDigits();
    const QString end = m_boxes.endTimeDigits();
    if (start.isEmpty()) {
        prompt().message(QStringLiteral("You must enter a \"Start Time\" first before moving a loop's start or end."));
        return;
    }
    if (!isPreciseDigitForm(start) || !(end.isEmpty() || isPreciseDigitForm(end))) {
        prompt().message(
            QStringLiteral("A time box is only partly filled.\nPlease complete or clear it and try again."));
        return;
    }
    beats::NudgeContext loop;
    loop.startMs = determineMillisecondsFromColonString(start);
    if (!end.isEmpty())
        loop.endMs = determineMillisecondsFromColonString(end);
    loop.durationMs = qint64(std::floor(m_player.Duration() * 1000.0));
    loop.framesPerSecond = m_player.engine() ? m_player.engine()->framesPerSecond() : 0;
    loop.snapGrid = m_snap ? &m_grid : nullptr;
    loop.countLength = m_loopCount;
    const auto moved = beats::nudgedLoopPoint(loop, point, way, step);
    if (moved) {
        if (point == LoopPoint::Start) {
            loop.startMs = *moved;
            m_boxes.setStartTimeDigits(determineColonStringFromMilliseconds(*moved));
        } else {
            loop.endMs = *moved;
            m_boxes.setEndTimeDigits(determineColonStringFromMilliseconds(*moved));
        }
        m_loops.moveLoopFromNextPass(loop.startMs / 1000.0, loop.endMs ? *loop.endMs / 1000.0 : -1.0);
    }
}

void BeatLoopControls::playBeatLoop()
{
    if (m_player.FileName().isEmpty()) {
        prompt().message(QStringLiteral("You must choose a clip first before attempting to play a loop."));
        return;
    }
    const double position = m_player.CurrentPosition();
    if (!m_known) {
        // The loop starts from here as soon as the beats are known.
        m_pendingBeatLoop = position;
        if (!m_searching)
            search();
        return;
    }
    playBeatLoopFrom(position);
}

void BeatLoopControls::playBeatLoopFrom(double position, Refusal refusal)
{
    const bool say = refusal == Refusal::Said;
    if (m_grid.isEmpty()) {
        if (say)
            prompt().message(QStringLiteral("No steady beat was found in the sound of this clip."));
        return;
    }
    const auto loop = m_grid.countLoop(position, m_loopCount, m_player.Duration());
    if (!loop) {
        if (say)
            prompt().message(
                QStringLiteral("There are not enough beats after this point for a loop of %1 beats.").arg(m_loopCount));
        return;
    }
    m_boxes.setStartTimeDigits(determineColonStringFromMilliseconds(roundPositionToMilliseconds(loop->start)));
    m_boxes.setEndTimeDigits(determineColonStringFromMilliseconds(roundPositionToMilliseconds(loop->end)));
    m_loops.playLoop();
}

// Whether the count can change now: a clip is open and it has beats. A
// press while they are still unknown is counted in `pending`, for when they
// come, and they are searched for.
bool BeatLoopControls::countCanChange(const QString& doing, int& pending)
{
    if (m_player.FileName().isEmpty()) {
        prompt().message(QStringLiteral("You must choose a clip first before %1.").arg(doing));
        return false;
    }
    if (!m_known) {
        ++pending;
        if (!m_searching)
            search();
        return false;
    }
    if (m_grid.isEmpty()) {
        prompt().message(QStringLiteral("No steady beat was found in the sound of this clip."));
        return false;
    }
    return true;
}

void BeatLoopControls::moveCountOne()
{
    if (!countCanChange(QStringLiteral("moving the count's \"1\""), m_pendingOneMoves))
        return;
    m_grid = m_grid.withOneMoved(1);
    m_count.one = m_grid.one();
    countChanged();
}

void BeatLoopControls::changeBeatLevel()
{
    if (!countCanChange(QStringLiteral("counting its beats another way"), m_pendingLevelChanges))
        return;
    applyBeatLevel();
    countChanged();
}

// The next level, from the beats as found, with the "1" on the found beat
// nearest to where it is now: halving keeps that beat, doubling adds beats
// around it.
void BeatLoopControls::applyBeatLevel()
{
    const double oneAt = m_grid.times().value(m_grid.one());
    const int one = std::max(0, beats::BeatGrid(m_found).nearestIndex(oneAt));
    m_count.level = beats::nextLevel(m_count.level);
    m_grid = beats::BeatGrid::atLevel(m_found, m_count.level, one);
    m_count.one = m_grid.one();
}

void BeatLoopControls::countChanged()
{
    if (m_source)
        m_source->keepCount(m_clip, m_count);
    gridChanged();
    m_countShown = -1; // shown again even where the number is the same
    showCount(m_player.CurrentPosition());
}

// The loop's count-in is timed by the beats, and they show as ticks.
void BeatLoopControls::gridChanged()
{
    m_loops.setBeatGrid(m_grid);
    showTicks();
}

void BeatLoopControls::showTicks()
{
    if (m_view)
        m_view->showBeatTicks(m_grid.times(), m_grid.one());
}

void BeatLoopControls::positionChanged(double position)
{
    showCount(position);
}

void BeatLoopControls::showCount(double position)
{
    int count = 0;
    if (m_showCount && !m_grid.isEmpty()) {
        const double loopStart = m_player.SelectionStart();
        const double oneAt = m_loops.LoopIsPlaying() && loopStart >= 0 ? loopStart : m_grid.times().at(m_grid.one());
        count = m_grid.countAt(position, oneAt, CountShown);
    }
    if (count == m_countShown)
        return;
    m_countShown = count;
    if (m_view)
        m_view->showBeatCount(count);
}
