// The frame scan reads a clip on a thread of its own: what is not a plain
// local file is not read, and ending the scan (as closing the program does)
// never waits for a read that does not come back.
#include "gui/playback/ClipFrameScan.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QtTest>

#include <atomic>
#include <condition_variable>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

class TestClipFrameScan : public QObject {
    Q_OBJECT

private slots:
    void aPipeIsNotRead();
    void endingDoesNotWaitForAReadThatHangs();
};

// A named pipe as the clip would keep FFmpeg waiting for a writer.
void TestClipFrameScan::aPipeIsNotRead()
{
    QTemporaryDir dir;
    const QString pipe = dir.filePath(QStringLiteral("clip.mp4"));
    QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    // Should the scan open the pipe after all, a writer lets it go on.
    std::atomic_bool done{false};
    std::thread writer([&] {
        for (int waited = 0; waited < 3000 && !done; waited += 10)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        if (const int fd = ::open(QFile::encodeName(pipe).constData(), O_WRONLY | O_NONBLOCK); fd >= 0)
            ::close(fd);
    });
    QElapsedTimer took;
    took.start();
    const ClipFrameScan::Frames frames = ClipFrameScan::readFrames(pipe);
    const qint64 ms = took.elapsed();
    done = true;
    writer.join();
    QVERIFY(frames.times.empty());
    QVERIFY2(ms < 2000, qPrintable(QString::number(ms)));
}

// A read held up by a file that does not answer: destroying the scan
// returns at once, and what the scan finds later is not handed on.
void TestClipFrameScan::endingDoesNotWaitForAReadThatHangs()
{
    struct Gate {
        std::mutex lock;
        std::condition_variable open;
        bool released = false;
        bool ended = false;
    };
    auto gate = std::make_shared<Gate>();
    std::atomic_int handedOn{0};
    QElapsedTimer took;
    {
        ClipFrameScan scan(
            QStringLiteral("/share/clip.mp4"), [&handedOn](ClipFrameScan::Frames) { ++handedOn; },
            [gate](const QString&, const std::function<bool()>&) {
                std::unique_lock guard(gate->lock);
                gate->open.wait(guard, [&] { return gate->released; });
                gate->ended = true;
                return ClipFrameScan::Frames{{0.0}, false};
            });
        QVERIFY(!scan.finished());
        took.start();
    }
    QVERIFY2(took.elapsed() < 1000, qPrintable(QString::number(took.elapsed())));
    {
        const std::lock_guard guard(gate->lock);
        gate->released = true;
    }
    gate->open.notify_all();
    QTRY_VERIFY([&] {
        const std::lock_guard guard(gate->lock);
        return gate->ended;
    }());
    QTest::qWait(20);
    QCOMPARE(handedOn.load(), 0);
}

QTEST_GUILESS_MAIN(TestClipFrameScan)
#include "TestClipFrameScan.moc"
