// The real program, started as a user starts it, on its own X display with
// a window manager: a description typed into the catalog is not lost when
// the program is killed (SIGKILL) or ended by the session (SIGTERM); the
// next start offers it back, and saving keeps it. A second program that
// opens the same catalog is told that the first has it open.
//
// The program is a copy of the built one in a folder of the test's own, so
// that its config.txt and catalogs go there; its recovery files and locks
// go to the test's XDG_STATE_HOME. It is driven from outside with xdotool.
#include "BookmarksOnClips.h"
#include "DisplayWithWindowManager.h"
#include "FileBytes.h"
#include "ProgramFromOutside.h"
#include "core/catalog/CatalogFiles.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <memory>

namespace {

const QString demoClip = QStringLiteral(TEMPOLOOP_DEMO_CLIP);
const QString typed = QStringLiteral("Spin twice then hold the frame");

} // namespace

class TestProgramRecovery : public QObject {
    Q_OBJECT
public:
    void setWindowManagerRunning(bool running) { m_windowManager = running; }

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void typingSurvivesTheEndOfTheProgram_data();
    void typingSurvivesTheEndOfTheProgram();
    void aSecondProgramIsToldOfTheLock();

private:
    QString programFolder() const { return m_dir->path() + QStringLiteral("/bin/"); }
    QString stateFolder() const { return m_dir->path() + QStringLiteral("/state/Tempoloop/"); }
    QString catalogPath() const { return m_dir->path() + QStringLiteral("/salsa.tvc"); }
    QStringList recoveries() const
    {
        return QDir(stateFolder()).entryList({QStringLiteral("*.recovery")}, QDir::Files);
    }
    QProcess* startProgram(const QStringList& arguments);
    void endProgram(QProcess* program);

    bool m_windowManager = false;
    std::unique_ptr<QTemporaryDir> m_dir;
    QList<QProcess*> m_programs;
};

void TestProgramRecovery::initTestCase()
{
    QVERIFY2(m_windowManager, "needs Xvfb and openbox (scripts/install-deps.sh)");
    QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty(), "needs xdotool");
    QVERIFY2(QFileInfo::exists(QStringLiteral(TEMPOLOOP_PROGRAM)), TEMPOLOOP_PROGRAM);
}

void TestProgramRecovery::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(QDir().mkpath(programFolder() + QStringLiteral("VideoCatalogs")));
    QVERIFY(QFile::copy(QStringLiteral(TEMPOLOOP_PROGRAM), programFolder() + QStringLiteral("tempoloop")));
    QFile config(programFolder() + QStringLiteral("config.txt"));
    QVERIFY(config.open(QIODevice::WriteOnly));
    config.write("Beginner_Mode: 0\r\nQuick_Start_Guide_Visible: 0\r\n");
    config.close();
    const Relinking::ClipLocation demo{QFileInfo(demoClip).fileName(), QFileInfo(demoClip).absolutePath() + u'/'};
    const CatalogData catalog = bookmarksOn({demo, demo, demo});
    QString error;
    QVERIFY2(TVC_WriteCatalogFile(catalogPath(), catalog, &error), qPrintable(error));
}

void TestProgramRecovery::cleanup()
{
    for (QProcess* p : std::as_const(m_programs))
        endProgram(p);
    qDeleteAll(m_programs);
    m_programs.clear();
    m_dir.reset();
}

QProcess* TestProgramRecovery::startProgram(const QStringList& arguments)
{
    auto* p = new QProcess;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("XDG_STATE_HOME"), m_dir->path() + QStringLiteral("/state"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_dir->path() + QStringLiteral("/config"));
    env.insert(QStringLiteral("XDG_CACHE_HOME"), m_dir->path() + QStringLiteral("/cache"));
    env.remove(QStringLiteral("SESSION_MANAGER")); // this display has none
    p->setProcessEnvironment(env);
    p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p->start(programFolder() + QStringLiteral("tempoloop"), arguments);
    m_programs.append(p);
    return p;
}

void TestProgramRecovery::endProgram(QProcess* program)
{
    if (program->state() == QProcess::NotRunning)
        return;
    program->kill();
    program->waitForFinished(5000);
}

void TestProgramRecovery::typingSurvivesTheEndOfTheProgram_data()
{
    QTest::addColumn<int>("signal");
    QTest::newRow("killed") << int(SIGKILL);
    QTest::newRow("ended by the session") << int(SIGTERM);
}

void TestProgramRecovery::typingSurvivesTheEndOfTheProgram()
{
    QFETCH(int, signal);
    const QByteArray saved = fileBytes(catalogPath());

    QProcess* first = startProgram({catalogPath()});
    const QString catalogWindow = waitForWindow(QStringLiteral("^Video Catalog --  salsa\\.tvc"));
    QVERIFY2(!catalogWindow.isEmpty(), "the catalog window did not show");
    // Into the description pane, on the right of the window.
    xdotool({"windowactivate", "--sync", catalogWindow});
    const QString geometry = xdotool({"getwindowgeometry", "--shell", catalogWindow});
    QMap<QString, int> g;
    for (const QString& line : geometry.split(u'\n'))
        g.insert(line.section(u'=', 0, 0), line.section(u'=', 1).toInt());
    QCOMPARE(
        QProcess::execute(QStringLiteral("xdotool"), {"mousemove", "--sync", QString::number(g["X"] + g["WIDTH"] - 80),
                                                      QString::number(g["Y"] + g["HEIGHT"] / 2), "click", "1"}),
        0);
    QVERIFY(QProcess::execute(QStringLiteral("xdotool"), {"type", "--delay", "30", typed}) == 0);
    QElapsedTimer sinceTyping;
    sinceTyping.start();

    // Kept within two seconds of the last keystroke, also while the pane
    // still holds it (nothing was taken in, nothing saved).
    auto recoveryHoldsTyping = [this] {
        const QStringList files = recoveries();
        return files.size() == 1 && fileBytes(stateFolder() + files.first()).contains(typed.toUtf8());
    };
    QTRY_VERIFY_WITH_TIMEOUT(recoveryHoldsTyping(), 6000);
    qInfo("recovery written %lld ms after the last keystroke", sinceTyping.elapsed());
    QVERIFY2(sinceTyping.elapsed() < 3000, "the recovery came more than two seconds after the change");
    QCOMPARE(fileBytes(catalogPath()), saved);

    QElapsedTimer sinceSignal;
    sinceSignal.start();
    QVERIFY(::kill(pid_t(first->processId()), signal) == 0);
    QVERIFY(first->waitForFinished(5000));
    if (signal == SIGTERM) {
        // Ended by itself, at once, without a box waiting for an answer.
        QVERIFY2(sinceSignal.elapsed() < 2000, qPrintable(QString::number(sinceSignal.elapsed())));
        QCOMPARE(first->exitStatus(), QProcess::NormalExit);
        QCOMPARE(first->exitCode(), 0);
    }
    QVERIFY(recoveryHoldsTyping());
    QCOMPARE(fileBytes(catalogPath()), saved);

    // The next start offers the changes back; Yes (the default) brings them.
    QProcess* second = startProgram({});
    const QString question = waitForWindow(QStringLiteral("^Recover Video Catalog$"));
    QVERIFY2(!question.isEmpty(), "the next start offered nothing back");
    QVERIFY(press(question, QStringLiteral("Return")));
    const QString modified = waitForWindow(QStringLiteral("^Video Catalog --  salsa\\.tvc.*\\[MODIFIED\\]$"));
    QVERIFY2(!modified.isEmpty(), "the catalog did not come back marked modified");
    QCOMPARE(fileBytes(catalogPath()), saved); // nothing saved until the user saves
    QVERIFY(press(modified, QStringLiteral("ctrl+s")));
    QTRY_VERIFY_WITH_TIMEOUT(fileBytes(catalogPath()).contains(typed.toUtf8()), 5000);
    // Saved: nothing is left to recover.
    QTRY_VERIFY_WITH_TIMEOUT(recoveries().isEmpty(), 3000);
    QVERIFY(::kill(pid_t(second->processId()), SIGTERM) == 0);
    QVERIFY(second->waitForFinished(5000));
    QVERIFY(recoveries().isEmpty());
}

void TestProgramRecovery::aSecondProgramIsToldOfTheLock()
{
    QProcess* first = startProgram({catalogPath()});
    QVERIFY(!waitForWindow(QStringLiteral("^Video Catalog --  salsa\\.tvc")).isEmpty());
    QProcess* second = startProgram({catalogPath()});
    const QString told = waitForWindow(QStringLiteral("^Video Catalog Already Open$"));
    QVERIFY2(!told.isEmpty(), "the second program was not told that the catalog is open in the first");
    // No: the second does not open it.
    QVERIFY(press(told, QStringLiteral("Escape")));
    QTRY_VERIFY_WITH_TIMEOUT(xdotool({"search", "--onlyvisible", "--name", "^Video Catalog Already Open$"}).isEmpty(),
                             5000);
    for (QProcess* p : {second, first}) {
        QVERIFY(::kill(pid_t(p->processId()), SIGTERM) == 0);
        QVERIFY(p->waitForFinished(5000));
    }
}

TEMPOLOOP_MAIN_WITH_WINDOW_MANAGER(TestProgramRecovery)
#include "TestProgramRecovery.moc"
