#include "core/catalog/CatalogFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

// Saving a catalog replaces the file whole or not at all: a save that fails,
// or a program killed in the middle of one, leaves the previous file as it
// was, byte for byte.
//
// The interrupted save runs in a child process, this test program started
// again with "--save-and-stop <format> <path>". A file size limit makes the
// write stop half way; the child then reports and waits, and the test kills
// it with SIGKILL.

namespace {

const QString kNativeFailure = QStringLiteral("The \".tvc\" version of this file could not be saved.\n"
                                              "Something is wrong.\nPlease fix, and try again");
const QString kSpreadsheetFailure =
    QStringLiteral("The .csv version of this file could not be saved.\n"
                   "It may be open in another program, or its folder may be read-only.\n"
                   "Please fix, and try again");

CatalogData catalogOf(int count, const QString& name)
{
    CatalogData c;
    c.bookmarks.reserve(count);
    for (int i = 0; i < count; ++i) {
        Bookmark b;
        b.category = QStringLiteral("Salsa");
        b.name = name + QString::number(i);
        b.learn = QStringLiteral("a");
        b.rating = QString::number(i % 11);
        b.startTime = QStringLiteral("00:01:05");
        b.endTime = QStringLiteral("00:01:29");
        b.fileName = QStringLiteral("clip %1.mp4").arg(i);
        b.folder = QStringLiteral("/home/user/Video Clips/");
        b.description = QStringLiteral("A description\r\nof two lines");
        c.bookmarks.append(b);
    }
    return c;
}

bool save(const QString& format, const QString& path, const CatalogData& c, QString* error)
{
    return format == u"tvc" ? TVC_WriteCatalogFile(path, c, error) : CSV_WriteCatalogFile(path, c, error);
}

QByteArray contents(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

// Runs `write` with files limited to `bytes`; a write past the limit fails
// instead of ending the process.
template <typename Write> void withFileSizeLimit(rlim_t bytes, Write write)
{
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &small);
    write();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
}

void reportAndWait(int)
{
    static const char text[] = "stopped in the middle of the save\n";
    [[maybe_unused]] const auto n = ::write(STDOUT_FILENO, text, sizeof text - 1);
    for (;;)
        pause();
}

// The child: a large save that stops after 64 KiB.
int saveAndStop(const QString& format, const QString& path)
{
    const CatalogData big = catalogOf(20000, QStringLiteral("New "));
    std::signal(SIGXFSZ, reportAndWait);
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = 64 * 1024;
    setrlimit(RLIMIT_FSIZE, &limit);
    QString error;
    save(format, path, big, &error);
    return 3; // the save was not stopped
}

// Whether process `pid` has a file open in `folder` (an unnamed temporary
// file shows as "folder/#number (deleted)").
bool holdsFileIn(qint64 pid, const QString& folder)
{
    const QString fds = QStringLiteral("/proc/%1/fd").arg(pid);
    for (const QString& fd : QDir(fds).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
        char target[4096];
        const ssize_t n = readlink(QFile::encodeName(fds + u'/' + fd).constData(), target, sizeof target);
        if (n > 0 && QFile::decodeName(QByteArray(target, n)).startsWith(folder + u'/'))
            return true;
    }
    return false;
}

} // namespace

class TestCatalogFileSaving : public QObject {
    Q_OBJECT

private slots:
    void init();
    void failedSaveKeepsThePreviousFile_data();
    void failedSaveKeepsThePreviousFile();
    void killedSaveKeepsThePreviousFile_data();
    void killedSaveKeepsThePreviousFile();

private:
    QTemporaryDir m_dir;
};

void TestCatalogFileSaving::init()
{
    QVERIFY(m_dir.isValid());
    for (const QString& name : QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden))
        QFile::remove(m_dir.filePath(name));
}

void TestCatalogFileSaving::failedSaveKeepsThePreviousFile_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("message");
    QTest::newRow("tvc") << QStringLiteral("tvc") << kNativeFailure;
    QTest::newRow("csv") << QStringLiteral("csv") << kSpreadsheetFailure;
}

void TestCatalogFileSaving::failedSaveKeepsThePreviousFile()
{
    QFETCH(QString, format);
    QFETCH(QString, message);
    const QString path = m_dir.filePath(QStringLiteral("catalog.") + format);
    QString error;
    QVERIFY(save(format, path, catalogOf(3, QStringLiteral("Old ")), &error));
    const QByteArray old = contents(path);

    // The disk fills up half way.
    bool saved = true;
    withFileSizeLimit(old.size() + 100,
                      [&] { saved = save(format, path, catalogOf(500, QStringLiteral("New ")), &error); });
    QVERIFY(!saved);
    QCOMPARE(error, message);
    QCOMPARE(contents(path), old);
    QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("catalog.") + format});

    // The folder is gone.
    error.clear();
    QVERIFY(!save(format, m_dir.filePath(QStringLiteral("gone/catalog.") + format), catalogOf(1, {}), &error));
    QCOMPARE(error, message);
}

void TestCatalogFileSaving::killedSaveKeepsThePreviousFile_data()
{
    QTest::addColumn<QString>("format");
    QTest::newRow("tvc") << QStringLiteral("tvc");
    QTest::newRow("csv") << QStringLiteral("csv");
}

void TestCatalogFileSaving::killedSaveKeepsThePreviousFile()
{
    QFETCH(QString, format);
    const QString path = m_dir.filePath(QStringLiteral("catalog.") + format);
    const CatalogData oldCatalog = catalogOf(200, QStringLiteral("Old "));
    QString error;
    QVERIFY(save(format, path, oldCatalog, &error));
    const QByteArray old = contents(path);

    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--save-and-stop"), format, path});
    QVERIFY(child.waitForStarted());
    QByteArray said;
    while (!said.contains('\n') && child.waitForReadyRead(20000))
        said += child.readAllStandardOutput();
    QCOMPARE(said, QByteArray("stopped in the middle of the save\n"));
    // The new text is half written, in a file the child holds open in the
    // catalog's folder.
    QVERIFY(holdsFileIn(child.processId(), m_dir.path()));

    child.kill(); // SIGKILL
    QVERIFY(child.waitForFinished(20000));
    QCOMPARE(child.exitStatus(), QProcess::CrashExit);

    QCOMPARE(contents(path), old);
    const CatalogReadResult back =
        format == u"tvc" ? TVC_ReadCatalogFile(path, CatalogData{}) : CSV_ReadCatalogFile(path, CatalogData{});
    QVERIFY(back.complete);
    QCOMPARE(back.catalog, oldCatalog);
}

int main(int argc, char** argv)
{
    if (argc == 4 && qstrcmp(argv[1], "--save-and-stop") == 0)
        return saveAndStop(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    QCoreApplication app(argc, argv);
    TestCatalogFileSaving test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestCatalogFileSaving.moc"
