// The progress box of long jobs (the relink search's folder walk): it shows
// the job's progress, Cancel and Escape ask the job to stop, and it stays
// until the job has finished, so no work outlives it.
#include "HeldBackFolder.h"
#include "core/base/ProgressJob.h"
#include "core/catalog/ClipSearchJob.h"
#include "gui/prompt/ProgressBox.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

namespace {

// Reports once, then runs until asked to stop; it ends a little after that,
// as a worker thread does.
class EndlessJob : public ProgressJob {
public:
    void start() override
    {
        QTimer::singleShot(0, this, [this] { emit progressed(QStringLiteral("working")); });
    }
    void cancel() override
    {
        ++cancels;
        QTimer::singleShot(20, this, [this] {
            finishedFlag = true;
            emit finished();
        });
    }
    bool isFinished() const override { return finishedFlag; }

    int cancels = 0;
    bool finishedFlag = false;
};

} // namespace

class TestProgressBox : public QObject {
    Q_OBJECT

private slots:
    void cancelWaitsForTheJobToStop_data();
    void cancelWaitsForTheJobToStop();
    void aSearchRunsToItsEnd();
    void aSearchHeldUpByAFolderEndsWhenCancelled();
};

void TestProgressBox::cancelWaitsForTheJobToStop_data()
{
    QTest::addColumn<bool>("escape");
    QTest::newRow("Cancel button") << false;
    QTest::newRow("Escape") << true;
}

void TestProgressBox::cancelWaitsForTheJobToStop()
{
    QFETCH(bool, escape);
    EndlessJob job;
    ProgressBox box(QStringLiteral("Searching"), job);
    QCOMPARE(box.cancelButton()->accessibleName(), QStringLiteral("Cancel"));
    QString shown;
    bool stillOpen = false;
    QTimer::singleShot(100, &box, [&] {
        shown = box.text()->text();
        if (escape)
            QTest::keyClick(&box, Qt::Key_Escape);
        else
            box.cancelButton()->click();
        // Until the job confirms, the box stays and says so.
        stillOpen = box.isVisible() && !box.cancelButton()->isEnabled() && box.text()->text() == "Stopping...";
    });
    box.run();
    QCOMPARE(shown, QStringLiteral("working"));
    QVERIFY(stillOpen);
    QCOMPARE(job.cancels, 1);
    QVERIFY(job.isFinished());
    QVERIFY(!box.isVisible());
}

void TestProgressBox::aSearchRunsToItsEnd()
{
    QTemporaryDir dir;
    for (const char* name : {"a/x.avi", "b/c/X.AVI", "b/y.avi"}) {
        const QString path = dir.path() + u'/' + QLatin1String(name);
        QDir().mkpath(QFileInfo(path).path());
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    ClipSearchJob job(dir.path(), QStringLiteral("x.avi"));
    ProgressBox box(QStringLiteral("Searching"), job);
    box.run();
    QVERIFY(job.isFinished());
    QCOMPARE(job.outcome().matches.size(), 2);
    QVERIFY(!job.outcome().cancelled);
    QCOMPARE(box.text()->text(), ClipSearchJob::progressText(QStringLiteral("x.avi"), 3));
}

// A walk held up by a folder that does not answer: Cancel closes the box a
// moment later all the same, and nothing waits for the walk.
void TestProgressBox::aSearchHeldUpByAFolderEndsWhenCancelled()
{
    const HeldBackFolder share(QStringLiteral("/share"));
    QElapsedTimer took;
    {
        ClipSearchJob job(QStringLiteral("/share"), QStringLiteral("x.avi"));
        ProgressBox box(QStringLiteral("Searching"), job);
        QTimer::singleShot(50, &box, [&] {
            took.start();
            job.cancel();
        });
        box.run();
        QVERIFY(job.isFinished());
        QVERIFY(job.outcome().cancelled);
        QVERIFY2(took.elapsed() < 1000, qPrintable(QString::number(took.elapsed())));
        QCOMPARE(share.held(), 1);
    }
}

QTEST_MAIN(TestProgressBox)
#include "TestProgressBox.moc"
