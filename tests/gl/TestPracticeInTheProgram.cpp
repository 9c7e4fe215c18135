// The real program, started as a user starts it with a catalog, on its own
// X display with a window manager: a bookmark's loop played continuously
// counts its passes into the catalog's practice log beside the catalog, and
// the catalog's file stays as it was, byte for byte.
#include "BookmarksOnClips.h"
#include "DisplayWithWindowManager.h"
#include "FileBytes.h"
#include "ProgramFromOutside.h"
#include "core/catalog/CatalogFiles.h"
#include "core/practice/PracticeLog.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <memory>

class TestPracticeInTheProgram : public QObject {
    Q_OBJECT
public:
    void setWindowManagerRunning(bool running) { m_windowManager = running; }

private slots:
    void initTestCase();
    void passesOfABookmarkAreLogged();

private:
    bool m_windowManager = false;
};

void TestPracticeInTheProgram::initTestCase()
{
    QVERIFY2(m_windowManager, "needs Xvfb and openbox (scripts/install-deps.sh)");
    QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty(), "needs xdotool");
    QVERIFY2(QFileInfo::exists(QStringLiteral(TEMPOLOOP_PROGRAM)), TEMPOLOOP_PROGRAM);
}

void TestPracticeInTheProgram::passesOfABookmarkAreLogged()
{
    // The program is a copy in a folder of the test's own, so that its
    // settings come from there: loops play continuously, with a short wait.
    QTemporaryDir dir;
    const QString bin = dir.path() + QStringLiteral("/bin/");
    QVERIFY(QDir().mkpath(bin + QStringLiteral("VideoCatalogs")));
    QVERIFY(QFile::copy(QStringLiteral(TEMPOLOOP_PROGRAM), bin + QStringLiteral("tempoloop")));
    QVERIFY(writeFileBytes(bin + QStringLiteral("config.txt"),
                           "Beginner_Mode: 0\r\nQuick_Start_Guide_Visible: 0\r\nLoop_Continuously: 1\r\n"));
    QVERIFY(writeFileBytes(bin + QStringLiteral("extras.txt"), "Repeat_Gap_Milliseconds: 1500\r\n"));
    const QString demo = QStringLiteral(TEMPOLOOP_DEMO_CLIP);
    CatalogData catalog = bookmarksOn({{QFileInfo(demo).fileName(), QFileInfo(demo).absolutePath() + u'/'}});
    catalog.bookmarks[0].category = QStringLiteral("Turns, fast");
    catalog.bookmarks[0].endTime = QStringLiteral("00:00:02");
    const QString catalogPath = dir.path() + QStringLiteral("/Practice.tvc");
    QString error;
    QVERIFY2(TVC_WriteCatalogFile(catalogPath, catalog, &error), qPrintable(error));
    const QByteArray saved = fileBytes(catalogPath);

    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("XDG_STATE_HOME"), dir.path() + QStringLiteral("/state"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.path() + QStringLiteral("/config"));
    env.insert(QStringLiteral("XDG_CACHE_HOME"), dir.path() + QStringLiteral("/cache"));
    env.remove(QStringLiteral("SESSION_MANAGER"));
    program.setProcessEnvironment(env);
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    program.start(bin + QStringLiteral("tempoloop"), {catalogPath});
    const QString catalogWindow = waitForWindow(QStringLiteral("^Video Catalog --  Practice\\.tvc"));
    QVERIFY2(!catalogWindow.isEmpty(), "the catalog window did not show");
    // The current bookmark's key plays it.
    QVERIFY(press(catalogWindow, QStringLiteral("9")));

    // The session's line of the bookmark is rewritten after every pass;
    // each pass of a second, then a wait of 1.5 s, leaves time to read it.
    const QString logPath = catalogPath + QStringLiteral(".log.csv");
    auto passesLogged = [&]() -> int {
        for (const PracticeLogLine& line : PracticeLog::parse(fileBytes(logPath)))
            if (line.entry && line.entry->name == QStringLiteral("n1") && line.entry->category == "Turns, fast")
                return line.entry->passes;
        return 0;
    };
    QList<int> seen;
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 60000 && (seen.isEmpty() || seen.last() < 3)) {
        const int passes = passesLogged();
        if (seen.isEmpty() || seen.last() != passes)
            seen.append(passes);
        QTest::qWait(50);
    }
    QCOMPARE(seen, (QList<int>{0, 1, 2, 3}));
    QCOMPARE(fileBytes(catalogPath), saved);
    // Practising marks nothing modified.
    QVERIFY(!xdotool({"getwindowname", catalogWindow}).contains(QStringLiteral("MODIFIED")));

    QVERIFY(::kill(pid_t(program.processId()), SIGTERM) == 0);
    QVERIFY(program.waitForFinished(5000));
    QCOMPARE(fileBytes(catalogPath), saved);
    QVERIFY(passesLogged() >= 3);
}

TEMPOLOOP_MAIN_WITH_WINDOW_MANAGER(TestPracticeInTheProgram)
#include "TestPracticeInTheProgram.moc"
