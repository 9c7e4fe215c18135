#pragma once

// The playback controllers of PlaybackRig with what the desktop is told of
// them: the media controls, and the screen kept awake through a recording
// inhibitor, on the rig's manual clock. A play-all sequence of stored loops
// stands in for the catalog. For core tests; header-only.

#include "PlaybackRig.h"
#include "core/catalog/CatalogDocument.h"
#include "core/desktop/IdleInhibitor.h"
#include "core/desktop/MediaControls.h"
#include "core/desktop/ScreenAwake.h"
#include "core/playback/PlayAllView.h"

#include <QList>
#include <QStringList>

// Records each hold and release with the time of the clock.
class RecordingInhibitor : public IdleInhibitor {
public:
    struct Call {
        bool hold;
        qint64 at;
    };
    explicit RecordingInhibitor(ManualClock& clock) : m_clock(clock) {}

    QList<Call> calls;
    QString reason;

    void inhibit(const QString& why) override
    {
        calls.append({true, m_clock.now()});
        reason = why;
    }
    void release() override { calls.append({false, m_clock.now()}); }

    bool held() const { return !calls.isEmpty() && calls.last().hold; }
    int releases() const
    {
        return int(std::count_if(calls.cbegin(), calls.cend(), [](const Call& c) { return !c.hold; }));
    }

private:
    ManualClock& m_clock;
};

// Play all over stored loops of 10 s to 12 s, one on each clip given, in
// order, as the catalog hands them to the main window.
class LoopSequence : public PlayAllView {
public:
    LoopSequence(PlaybackRig& rig, CatalogDocument& document) : m_rig(rig), m_document(document) {}

    QStringList clips;

    void start()
    {
        m_next = 0;
        m_document.setPlayingAll(true);
        PlayNextLoop(Step::Next, Asker::Elsewhere);
    }
    bool PlayingAll() const override { return m_document.PlayingAll(); }
    void TurnOffPlayAllBookmarks() override
    {
        m_document.setPlayingAll(false);
        m_rig.loops.stopPlayAllPlayback();
    }
    void PlayNextLoop(Step, Asker) override
    {
        if (m_next == clips.size()) {
            TurnOffPlayAllBookmarks();
            return;
        }
        const QString clip = clips.at(m_next++);
        if (clip != m_rig.player.FileName())
            m_rig.clips.StartVideoClip(clip);
        m_rig.clips.whenLoaded(
            [this] { m_rig.loops.playStoredLoop(QStringLiteral("000010"), QStringLiteral("000012")); });
    }

private:
    PlaybackRig& m_rig;
    CatalogDocument& m_document;
    int m_next = 0;
};

class DesktopRig : public PlaybackRig {
public:
    CatalogDocument document;
    MediaControls media{{player, loops, transport, clips}};
    RecordingInhibitor inhibitor{clock};
    ScreenAwake awake{inhibitor};
    LoopSequence sequence{*this, document};

    explicit DesktopRig(double clipSeconds = 120.0) : PlaybackRig(clipSeconds)
    {
        loops.setPlayAllView(&sequence);
        media.setCatalog(nullptr, &document);
        media.setClock([this] { return clock.now(); });
        awake.setTimer([this](int ms, std::function<void()> done) { clock.schedule(ms, std::move(done)); });
        QObject::connect(&media, &MediaControls::activityChanged, &awake, &ScreenAwake::follow);
    }

    bool playing() const { return player.PlayState() == mpPlaying; }
};
