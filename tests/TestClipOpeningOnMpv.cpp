// Opening clips through the player control on the real libmpv (no display,
// no sound): the open returns before libmpv has loaded the clip, the load's
// end arrives as an event, an open made during a load replaces it, and the
// codec's name comes with an open that asks for it.
#include "core/playback/MediaPlayerControl.h"
#include "gui/playback/MpvEngine.h"

#include <QDir>
#include <QSignalSpy>
#include <QTest>
#include <memory>

namespace {

constexpr int LoadDeadlineMs = 5000;

QString clip(const char* name)
{
    return QDir::cleanPath(QStringLiteral(TEMPOLOOP_TEST_DATA "/clips/") + QLatin1String(name));
}

} // namespace

class TestClipOpeningOnMpv : public QObject {
    Q_OBJECT

    std::unique_ptr<MediaPlayerControl> player;

    void open(const QString& path)
    {
        player->setFileName(path);
        player->Open();
    }

private slots:
    void init()
    {
        auto* engine = new MpvEngine(MpvEngineOptions{QStringLiteral("null"), QStringLiteral("null")});
        QVERIFY(engine->initialize());
        player = std::make_unique<MediaPlayerControl>(engine);
    }
    void cleanup() { player.reset(); }

    void openReturnsBeforeTheClipHasLoaded()
    {
        QSignalSpy finished(player.get(), &MediaPlayerControl::loadFinished);
        open(clip("tiny_counted.mp4"));
        QCOMPARE(player->OpenState(), osLoading);
        QVERIFY(!player->engine()->isOpen());
        QVERIFY(finished.isEmpty());
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, LoadDeadlineMs);
        QCOMPARE(finished.first().first().toBool(), true);
        QCOMPARE(player->OpenState(), osOpen);
        QVERIFY(player->Duration() > 0);
    }

    void openingAnotherClipWhilePlayingDoesNotWait()
    {
        QSignalSpy finished(player.get(), &MediaPlayerControl::loadFinished);
        open(clip("tiny_counted.mp4"));
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, LoadDeadlineMs);
        const double videoDuration = player->Duration();
        QCOMPARE(player->PlayState(), mpPlaying);
        open(clip("tiny_beat.mp3"));
        QCOMPARE(player->OpenState(), osLoading);
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 2, LoadDeadlineMs);
        QCOMPARE(finished.last().first().toBool(), true);
        QVERIFY(player->Duration() != videoDuration);
        QCOMPARE(player->ImageSourceWidth(), 0);
    }

    // An open made while another clip loads: the player ends with the
    // second clip open.
    void openDuringALoadReplacesIt()
    {
        QSignalSpy finished(player.get(), &MediaPlayerControl::loadFinished);
        open(clip("tiny_counted.mp4"));
        open(clip("tiny_beat.mp3"));
        QTRY_VERIFY_WITH_TIMEOUT(!finished.isEmpty() && player->OpenState() == osOpen, LoadDeadlineMs);
        // A late report of the first load has arrived once mpv answers a
        // question asked now, and the player's next ticks have handed it on.
        auto* engine = static_cast<MpvEngine*>(player->engine());
        const quint64 sync = engine->requestSync();
        QTRY_VERIFY_WITH_TIMEOUT(engine->syncsReached() >= sync, LoadDeadlineMs);
        const quint64 ticks = player->tickCount();
        QTRY_VERIFY_WITH_TIMEOUT(player->tickCount() >= ticks + 2, LoadDeadlineMs);
        QCOMPARE(player->OpenState(), osOpen);
        QCOMPARE(player->ImageSourceWidth(), 0);
        QCOMPARE(player->FileName(), clip("tiny_beat.mp3"));
    }

    // The codec's name is taken only by an open with the grabber on, which
    // the information window asks for by opening the clip again.
    void codecNameComesWithAGrabberOpen()
    {
        QSignalSpy finished(player.get(), &MediaPlayerControl::loadFinished);
        open(clip("tiny_counted.mp4"));
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, LoadDeadlineMs);
        QVERIFY(player->CodecName().isEmpty());
        player->setFGrabber_Enabled(true);
        player->Open();
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 2, LoadDeadlineMs);
        QVERIFY2(player->CodecName().contains(QLatin1String("h264"), Qt::CaseInsensitive),
                 qPrintable(player->CodecName()));
    }
};

QTEST_MAIN(TestClipOpeningOnMpv)
#include "TestClipOpeningOnMpv.moc"
