#pragma once

#include "core/playback/PlaybackEngine.h"

#include <QSignalSpy>
#include <QTest>

// Waits, with the event loop running, until the load just started on the
// engine has ended, at most `deadlineMs`; past it the load is given up, as
// the player control gives it up at its open deadline. True when a file is
// open then.
inline bool loadEnds(PlaybackEngine& engine, int deadlineMs)
{
    QSignalSpy loaded(&engine, &PlaybackEngine::fileLoaded);
    QSignalSpy failed(&engine, &PlaybackEngine::loadFailed);
    if (!QTest::qWaitFor([&] { return loaded.count() + failed.count() > 0; }, deadlineMs))
        engine.abandonLoad();
    return engine.isOpen();
}
