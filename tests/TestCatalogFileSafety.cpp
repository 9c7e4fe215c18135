// Catalog files the program did not write: text in two code pages, files
// that are no catalog files at all, and names in capitals, through the open
// dialog and as the start-up argument.
#include "CatalogFixture.h"
#include "WithoutRootRights.h"
#include "gui/prompt/QtPrompt.h"

#include <QElapsedTimer>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QtTest>

#include <atomic>
#include <optional>
#include <thread>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace BookmarkColumn;

namespace {

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A catalog of UTF-8 text with one line another program wrote in
// Windows-1252 ("Ocho cortado \x96 r\xe1pido", line 14).
QByteArray mixedCatalog(const QString& clipFolder)
{
    const QByteArray folder = clipFolder.toUtf8();
    return "----- HEADER INFO -----\r\nCategory\r\nName\r\nLearn\r\nRating\r\n----- END OF HEADER INFO -----\r\n"
           "Salsa\r\nSe\xc3\xb1orita\r\n00:00:10   00:00:20   \"clip 1.mp4\"   \"" +
           folder +
           "\"\r\nb,7\r\nGiro \xe2\x80\x94 lento\r\n--------------------@B@\r\n"
           "Bachata\r\nOcho cortado \x96 r\xe1pido\r\n00:00:30   00:00:40   \"clip 1.mp4\"   \"" +
           folder + "\"\r\nx,x\r\n\r\n--------------------@B@\r\n";
}

// Ends a wait of the program on a named pipe: a writer that opens the pipe
// and closes it lets a reader that blocked in open() go on to the end of
// the file. Only used when the program did block.
class PipeWatchdog {
public:
    PipeWatchdog(const QString& path, int afterMs)
    {
        m_thread = std::thread([this, path = path.toLocal8Bit(), afterMs] {
            for (int waited = 0; waited < afterMs && !m_stop; waited += 10)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            if (m_stop)
                return;
#ifdef Q_OS_UNIX
            const int fd = ::open(path.constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0)
                ::close(fd);
#endif
        });
    }
    ~PipeWatchdog()
    {
        m_stop = true;
        m_thread.join();
    }

private:
    std::atomic_bool m_stop{false};
    std::thread m_thread;
};

bool makePipe(const QString& path)
{
#ifdef Q_OS_UNIX
    return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
#else
    Q_UNUSED(path);
    return false;
#endif
}

// The interface thread is free: a timer it runs fires at once.
bool windowAnswers(QWidget* window)
{
    bool fired = false;
    QTimer::singleShot(0, window, [&fired] { fired = true; });
    QElapsedTimer waited;
    waited.start();
    while (!fired && waited.elapsed() < 1000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    return fired && window->isVisible();
}

} // namespace

class TestCatalogFileSafety : public QObject {
    Q_OBJECT

private slots:
    void mixedEncodingKeepsItsAccents();
    void argumentThatIsNoFileIsRefused_data();
    void argumentThatIsNoFileIsRefused();
    void openThatCannotReadKeepsTheCatalog_data();
    void openThatCannotReadKeepsTheCatalog();
    void capitalExtensionsOpenAndSave();
    void messageBoxesShowMarkupAsText();
    void theBlockSeparatorIsRefusedInTheDescription();
    void aColumnNameOfTwoLinesIsRefused();
};

// A UTF-8 catalog with one line in the old code page keeps every accent
// through open, save and open again, and the user hears once which line
// was read in the old code page.
void TestCatalogFileSafety::mixedEncodingKeepsItsAccents()
{
    CatalogFixture app;
    QVERIFY(app.start());
    app.makeClip(QStringLiteral("clip 1.mp4"));
    const QString path = app.catalogFolder() + QStringLiteral("mixed.tvc");
    QVERIFY(writeBytes(path, mixedCatalog(app.clipFolder())));
    app.prompt.queueFileName(path);
    QVERIFY(app.rules().lifecycle.OpenButtonClick(CatalogLifecycle::Caller::CatalogWindow));
    QCOMPARE(app.column(Name),
             (QStringList{QString::fromUtf8("Señorita"), QString::fromUtf8("Ocho cortado – rápido")}));
    QCOMPARE(app.doc()->Cells(Description, 1), QString::fromUtf8("Giro — lento"));
    const QStringList told = app.prompt.messages();
    QCOMPARE(told.size(), 1);
    QVERIFY2(told.first().startsWith(QStringLiteral("Line 14 of this catalog file")), qPrintable(told.first()));
    QVERIFY(told.first().contains(QStringLiteral("Windows-1252")));
    QVERIFY(told.first().endsWith(QString::fromUtf8("\n  14: Ocho cortado – rápido")));

    app.doc()->setCatalogModified(true);
    QVERIFY(app.rules().lifecycle.DoSave());
    const QByteArray saved = contents(path);
    QVERIFY(saved.contains("Se\xc3\xb1orita\r\n"));
    QVERIFY(saved.contains("Giro \xe2\x80\x94 lento\r\n"));
    QVERIFY(saved.contains("Ocho cortado \xe2\x80\x93 r\xc3\xa1pido\r\n"));
    QVERIFY(!saved.contains("\xc3\x83")); // nothing encoded twice

    app.prompt.clear();
    app.prompt.queueFileName(path);
    QVERIFY(app.rules().lifecycle.OpenButtonClick(CatalogLifecycle::Caller::CatalogWindow));
    QCOMPARE(app.column(Name),
             (QStringList{QString::fromUtf8("Señorita"), QString::fromUtf8("Ocho cortado – rápido")}));
    QCOMPARE(app.doc()->Cells(Description, 1), QString::fromUtf8("Giro — lento"));
    QCOMPARE(app.prompt.messages(), QStringList()); // told once: the file is UTF-8 now
}

void TestCatalogFileSafety::argumentThatIsNoFileIsRefused_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason");
    QTest::newRow("named pipe") << "pipe"
                                << "it is a named pipe, not a file";
    QTest::newRow("100 MB file") << "large"
                                 << "it is 100 MiB, more than the 64 MiB a catalog file may have";
    QTest::newRow("folder") << "folder"
                            << "it is a folder, not a file";
}

// A catalog argument that is no catalog file is refused with a message
// before the program reads from it: the window opens and answers, and no
// catalog is tied to the name.
void TestCatalogFileSafety::argumentThatIsNoFileIsRefused()
{
    QFETCH(QString, kind);
    QFETCH(QString, reason);
    CatalogFixture app;
    QVERIFY(app.writeSettings({}));
    const QString path = app.catalogFolder() + QStringLiteral("moves.tvc");
    if (kind == u"pipe") {
        QVERIFY(makePipe(path));
    } else if (kind == u"large") {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.write("----- HEADER INFO -----\r\n") > 0);
        QVERIFY(file.resize(100 * 1024 * 1024)); // sparse: no disk space taken
    } else {
        QVERIFY(QDir().mkpath(path));
    }
    QElapsedTimer took;
    took.start();
    bool started = false;
    {
        const PipeWatchdog watchdog(path, kind == u"pipe" ? 3000 : 0);
        started = app.start({path});
    }
    QVERIFY(started);
    QVERIFY2(took.elapsed() < 2000, qPrintable(QString::number(took.elapsed())));
    const QStringList told = app.prompt.messages();
    QCOMPARE(told.size(), 1);
    QVERIFY2(told.first().startsWith(
                 QStringLiteral("The video catalog \"%1\" was not opened").arg(QFileInfo(path).fileName())),
             qPrintable(told.first()));
    QVERIFY2(told.first().contains(reason), qPrintable(told.first()));
    QCOMPARE(app.doc()->CatalogMode(), CatalogDocument::Mode::Closed);
    QVERIFY(!app.form()->isVisible());
    QVERIFY(windowAnswers(app.main()));
}

void TestCatalogFileSafety::openThatCannotReadKeepsTheCatalog_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason");
    QTest::newRow("read error") << "read error"
                                << "could not be read";
    QTest::newRow("folder") << "folder"
                            << "it is a folder, not a file";
    QTest::newRow("unreadable") << "unreadable"
                                << "Permission denied";
    QTest::newRow("no catalog name") << "text"
                                     << "its name does not end in \".tvc\" or \".csv\"";
}

// A file chosen in the open dialog that cannot be read leaves the open
// catalog as it was: its rows, its name, its window.
void TestCatalogFileSafety::openThatCannotReadKeepsTheCatalog()
{
    QFETCH(QString, kind);
    QFETCH(QString, reason);
    CatalogFixture app;
    QVERIFY(app.start());
    QVERIFY(app.open(app.catalog({"Basic", "Turn"})));
    const QString before = app.doc()->CatalogFileName();
    app.doc()->setCells(Name, 1, QStringLiteral("Basic 2"));
    app.doc()->setCatalogModified(true);
    app.prompt.clear();
    QString chosen;
    if (kind == u"read error") {
        // A file by its type and size, whose reading fails with an I/O error.
        chosen = app.catalogFolder() + QStringLiteral("damaged disk.tvc");
        QVERIFY(QFile::link(QStringLiteral("/proc/self/mem"), chosen));
        QVERIFY(QFileInfo(chosen).isFile());
    } else if (kind == u"folder") {
        chosen = app.catalogFolder() + QStringLiteral("old.tvc");
        QVERIFY(QDir().mkpath(chosen));
    } else if (kind == u"unreadable") {
        chosen = app.catalogFolder() + QStringLiteral("locked.tvc");
        QString error;
        QVERIFY(TVC_WriteCatalogFile(chosen, app.catalog({"a"}), &error));
        QVERIFY(QFile::setPermissions(chosen, QFileDevice::WriteOwner));
        // The way to the file stays open to everyone.
        const auto open = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                          QFileDevice::ReadOther | QFileDevice::ExeOther;
        QVERIFY(QFile::setPermissions(app.programDir.path(), open));
        QVERIFY(QFile::setPermissions(app.catalogFolder(), open));
    } else {
        chosen = app.catalogFolder() + QStringLiteral("notes.txt");
        QVERIFY(writeBytes(chosen, "----- HEADER INFO -----\r\n"));
    }
    app.prompt.queueAnswer(Prompt::Answer::No); // give up the change to Basic
    app.prompt.queueFileName(chosen);
    bool opened = true;
    {
        std::optional<WithoutRootRights> unprivileged;
        if (kind == u"unreadable")
            QVERIFY(unprivileged.emplace().ok());
        opened = app.rules().lifecycle.OpenButtonClick(CatalogLifecycle::Caller::CatalogWindow);
    }
    QVERIFY(!opened);
    const QStringList told = app.prompt.messages();
    QCOMPARE(told.size(), 2); // the save question, then why
    QVERIFY2(told.last().startsWith(
                 QStringLiteral("The video catalog \"%1\" was not opened").arg(QFileInfo(chosen).fileName())),
             qPrintable(told.last()));
    QVERIFY2(told.last().contains(reason), qPrintable(told.last()));
    QCOMPARE(app.doc()->CatalogFileName(), before);
    QCOMPARE(app.doc()->CatalogMode(), CatalogDocument::Mode::OnFile);
    QCOMPARE(app.column(Name), (QStringList{"Basic 2", "Turn"}));
    QVERIFY(app.form()->isVisible());
}

// ".TVC" and ".CSV", as catalogs come from systems that ignore letter case,
// open, and save in their own format under their own name.
void TestCatalogFileSafety::capitalExtensionsOpenAndSave()
{
    for (const QString& name : {QStringLiteral("SALSA.TVC"), QStringLiteral("Bachata.Csv")}) {
        CatalogFixture app;
        QVERIFY(app.start());
        const QString path = app.catalogFolder() + name;
        QString error;
        const bool native = name.endsWith(QLatin1String(".tvc"), Qt::CaseInsensitive);
        const CatalogData data = app.catalog({"Basic", "Turn"});
        QVERIFY(native ? TVC_WriteCatalogFile(path, data, &error) : CSV_WriteCatalogFile(path, data, &error));
        app.prompt.queueFileName(path);
        QVERIFY(app.rules().lifecycle.OpenButtonClick(CatalogLifecycle::Caller::CatalogWindow));
        QCOMPARE(app.column(Name), (QStringList{"Basic", "Turn"}));
        QCOMPARE(app.doc()->CatalogFileName(), path);
        app.doc()->setCells(Name, 2, QStringLiteral("Turn 2"));
        app.doc()->setCatalogModified(true);
        QVERIFY(app.rules().lifecycle.DoSave());
        QVERIFY(!app.doc()->CatalogModified());
        const CatalogReadResult back =
            native ? TVC_ReadCatalogFile(path, CatalogData{}) : CSV_ReadCatalogFile(path, CatalogData{});
        QCOMPARE(back.catalog.bookmarks.value(1).name, QStringLiteral("Turn 2"));
        QCOMPARE(app.prompt.messages(), QStringList());
    }
    // As the start-up argument too.
    CatalogFixture app;
    QVERIFY(app.writeSettings({}));
    const QString path = app.catalogFolder() + QStringLiteral("ARG.TVC");
    QString error;
    QVERIFY(TVC_WriteCatalogFile(path, app.catalog({"Basic"}), &error));
    QVERIFY(app.start({path}));
    QCOMPARE(app.doc()->CatalogMode(), CatalogDocument::Mode::OnFile);
    QCOMPARE(app.column(Name), QStringList{"Basic"});
}

// A bookmark's name from a shared catalog is shown as it is written, never
// read as markup.
void TestCatalogFileSafety::messageBoxesShowMarkupAsText()
{
    QtPrompt qtBoxes(QStringLiteral("Tempoloop"));
    Prompt::install(&qtBoxes);
    Prompt& boxes = qtBoxes;
    const QString name = QStringLiteral("Bookmark #1, with name, \"<b>Salsa</b><img src=x>\" appears to be missing.");
    Qt::TextFormat format = Qt::AutoText;
    QString shown;
    QTimer watcher;
    watcher.setInterval(10);
    connect(&watcher, &QTimer::timeout, this, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        watcher.stop();
        format = box->textFormat();
        shown = box->text();
        box->accept();
    });
    watcher.start();
    boxes.message(name, Prompt::Icon::Warning);
    QCOMPARE(format, Qt::PlainText);
    QCOMPARE(shown, name);
    watcher.start();
    format = Qt::AutoText;
    boxes.askOkCancelOr(name, QStringLiteral("Search a Folder..."));
    QCOMPARE(format, Qt::PlainText);
}

// A description line equal to the native file's block separator would end
// the bookmark there when the file is read: typing or pasting it is undone,
// with a message, and the catalog keeps what it had.
void TestCatalogFileSafety::theBlockSeparatorIsRefusedInTheDescription()
{
    CatalogFixture app;
    QVERIFY(app.start());
    QVERIFY(app.open(app.catalog({"Basic", "Turn"})));
    QVERIFY(QTest::qWaitForWindowActive(app.form()));
    auto* memo = app.form()->findChild<QPlainTextEdit*>(QStringLiteral("DescriptionMemo"));
    QVERIFY(memo);
    memo->setFocus(Qt::MouseFocusReason);
    QTest::keyClicks(memo, QStringLiteral("lead on 1"));
    QTest::keyClick(memo, Qt::Key_Return);
    QTest::keyClicks(memo, QStringLiteral("--------------------@B"));
    QCOMPARE(app.prompt.messages(), QStringList());
    QTest::keyClicks(memo, QStringLiteral("@"));
    QCOMPARE(memo->toPlainText(), QStringLiteral("lead on 1\n--------------------@B"));
    QTRY_COMPARE(app.prompt.messages().size(), 1);
    QVERIFY2(app.prompt.lastMessage().startsWith(QStringLiteral("A description line cannot be")),
             qPrintable(app.prompt.lastMessage()));
    // A paste that makes such a line is undone whole.
    memo->insertPlainText(QStringLiteral("@\nmore"));
    QCOMPARE(memo->toPlainText(), QStringLiteral("lead on 1\n--------------------@B"));
    QTRY_COMPARE(app.prompt.messages().size(), 2);
    // Typing goes on where it stood, and the description saves.
    QTest::keyClicks(memo, QStringLiteral("x"));
    QCOMPARE(memo->toPlainText(), QStringLiteral("lead on 1\n--------------------@Bx"));
    QVERIFY(app.rules().lifecycle.DoSave());
    const CatalogReadResult saved = TVC_ReadCatalogFile(app.doc()->CatalogFileName(), {});
    QCOMPARE(saved.catalog.bookmarks.value(0).description, QStringLiteral("lead on 1\r\n--------------------@Bx"));
    QCOMPARE(saved.catalog.bookmarks.size(), 2);
}

// A column title is one line of the catalog file.
void TestCatalogFileSafety::aColumnNameOfTwoLinesIsRefused()
{
    CatalogFixture app;
    QVERIFY(app.start());
    QVERIFY(app.open(app.catalog({"Basic"})));
    app.prompt.clear();
    app.prompt.queueInput(QStringLiteral("Figure\nname"));
    app.prompt.queueInput(QStringLiteral("Figure name"));
    app.doubleClickHeader(Name);
    QCOMPARE(app.prompt.messages().size(), 1);
    QVERIFY(app.prompt.lastMessage().startsWith(QStringLiteral("The column name has a line break")));
    QCOMPARE(app.doc()->Cells(Name, 0), QStringLiteral("Figure name"));
    QVERIFY(app.doc()->CatalogModified());
}

QTEST_MAIN(TestCatalogFileSafety)
#include "TestCatalogFileSafety.moc"
