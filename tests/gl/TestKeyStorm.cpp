// A storm of random command keys over the whole program, through a real X
// server: about a minute of the program's own command keys (read from its
// key table and its key boxes, so reassigned keys are in), pressed with
// xdotool (XTest), so each takes the path of a real keystroke: X keymap,
// focus, Qt's key event, the program's dispatch, full screen and all. Clips
// switch over a clip folder, full screen goes in and out, bookmarks are
// made, a catalog is open. Modal windows (options, a new bookmark's entry
// box) are answered with Enter or Escape; the boxes of the prompt seam answer
// their default or their cancel button, as Enter or Escape would.
//
// Through the storm the program must read every key (a key the program
// never reads within ten seconds means it hangs), never show two modal boxes
// at once, and never raise a box behind an open modal window from a command
// key; at the end it exits on its exit key, and every catalog file on disk
// is the one opened or a complete catalog.
//
// The storm is seeded: the seed is printed, and
//   TEMPOLOOP_STORM_SEED=n        replays a storm,
//   TEMPOLOOP_STORM_SECONDS=s     sets its length (60 by default),
//   TEMPOLOOP_STORM_KEYS=k        stops it after k keys (to replay exactly
//                                 the keys a failed run sent).
#include "CatalogFixture.h"
#include "XKeys.h"
#include "core/catalog/CatalogFiles.h"
#include "core/input/KeyCommandTable.h"
#include "core/practice/PracticeLog.h"

#include <QAbstractNativeEventFilter>
#include <QDialog>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <optional>

#include <xcb/xcb.h>

namespace {

// Counts the key releases the program reads from the X server: a key was
// read once its release was.
class KeyReleaseCounter : public QAbstractNativeEventFilter {
public:
    int count = 0;
    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override
    {
        if (type == "xcb_generic_event_t") {
            const auto* event = static_cast<const xcb_generic_event_t*>(message);
            if ((event->response_type & 0x7f) == XCB_KEY_RELEASE)
                ++count;
        }
        return false;
    }
};

// The program's modal windows now shown.
QList<QWidget*> modalWindows()
{
    QList<QWidget*> shown;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->isModal())
            shown << w;
    return shown;
}

QString describe(const QWidget* w)
{
    return QStringLiteral("%1 \"%2\"").arg(QString::fromLatin1(w->metaObject()->className()), w->windowTitle());
}

// xdotool's name of a character key.
QString keySymbol(QChar c)
{
    static const QHash<QChar, QString> names{
        {u'.', QStringLiteral("period")},       {u',', QStringLiteral("comma")},
        {u'/', QStringLiteral("slash")},        {u';', QStringLiteral("semicolon")},
        {u'\'', QStringLiteral("apostrophe")},  {u'[', QStringLiteral("bracketleft")},
        {u']', QStringLiteral("bracketright")}, {u'-', QStringLiteral("minus")},
        {u'=', QStringLiteral("equal")},        {u'`', QStringLiteral("grave")},
        {u'\\', QStringLiteral("backslash")},   {u' ', QStringLiteral("space")},
    };
    if (c.isLetterOrNumber() && c.unicode() < 128)
        return QString(c.toLower());
    return names.value(c);
}

// xdotool's name of a fixed key.
QString keySymbol(int key)
{
    if (key >= Qt::Key_F1 && key <= Qt::Key_F12)
        return QStringLiteral("F%1").arg(key - Qt::Key_F1 + 1);
    switch (key) {
    case Qt::Key_PageUp:
        return QStringLiteral("Prior");
    case Qt::Key_PageDown:
        return QStringLiteral("Next");
    case Qt::Key_Left:
        return QStringLiteral("Left");
    case Qt::Key_Right:
        return QStringLiteral("Right");
    case Qt::Key_MediaPlay:
        return QStringLiteral("XF86AudioPlay");
    case Qt::Key_MediaPause:
        return QStringLiteral("XF86AudioPause");
    case Qt::Key_MediaStop:
        return QStringLiteral("XF86AudioStop");
    case Qt::Key_MediaNext:
        return QStringLiteral("XF86AudioNext");
    case Qt::Key_MediaPrevious:
        return QStringLiteral("XF86AudioPrev");
    case Qt::Key_AudioForward:
        return QStringLiteral("XF86AudioForward");
    case Qt::Key_AudioRewind:
        return QStringLiteral("XF86AudioRewind");
    default:
        return {};
    }
}

int envNumber(const char* name, int fallback)
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok ? value : fallback;
}

} // namespace

// The prompt seam's boxes, answered as Enter (the default button) or Escape
// (the cancel button) would, file dialogs with a file of the storm's folders
// or a cancel; every box is checked against the modal windows shown.
class StormPrompt : public Prompt {
public:
    QRandomGenerator* random = nullptr;
    QString clipFolder;
    QString catalogFolder;
    // While the program exits: every question is answered, none cancelled.
    bool exiting = false;
    // Whether the last key went to an open modal window (so a box it raises
    // is that window's own).
    bool lastKeyAnsweredModal = false;
    bool inProgress = false;
    QStringList faults;
    int boxes = 0;
    QStringList recent; // the texts of the last boxes

    void message(const QString& text, Icon, const QString&) override { box(text); }
    Answer askYesNo(const QString& text, Icon, const QString&) override
    {
        box(text);
        return enter() ? Answer::Yes : Answer::No;
    }
    Answer askYesNoCancel(const QString& text, Icon, const QString&) override
    {
        box(text);
        if (exiting)
            return random->bounded(2) ? Answer::Yes : Answer::No;
        return enter() ? Answer::Yes : Answer::Cancel;
    }
    Answer askOkCancel(const QString& text, Icon, const QString&) override
    {
        box(text);
        return enter() ? Answer::Ok : Answer::Cancel;
    }
    Answer askOkCancelOr(const QString& text, const QString&, Icon, const QString&) override
    {
        box(text);
        return enter() ? Answer::Ok : Answer::Cancel;
    }
    // A progress box is modal: no key goes to the program while it runs.
    void showProgress(const QString& caption, ProgressJob& job) override
    {
        box(caption);
        inProgress = true;
        Prompt::showProgress(caption, job);
        inProgress = false;
    }
    QString openFileName(const QString& caption, const QString&, const QString& filter) override
    {
        box(caption);
        if (!enter())
            return {};
        const bool catalogs = filter.contains(QLatin1String("tvc")) || filter.contains(QLatin1String("csv"));
        return pick(catalogs ? catalogFolder : clipFolder);
    }
    QStringList openFileNames(const QString& caption, const QString&, const QString&) override
    {
        box(caption);
        if (!enter())
            return {};
        return {pick(clipFolder)};
    }
    QString saveFileName(const QString& caption, const QString&, const QString&) override
    {
        box(caption);
        if (!exiting && !enter())
            return {};
        const QStringList names{QStringLiteral("steps.tvc"), QStringLiteral("storm copy.tvc"),
                                QStringLiteral("storm copy.csv")};
        return catalogFolder + names[random->bounded(int(names.size()))];
    }
    QString existingFolder(const QString& caption, const QString&) override
    {
        box(caption);
        return enter() ? clipFolder : QString();
    }
    std::optional<QString> inputText(const QString& caption, const QString& label, const QString& initial) override
    {
        box(caption + ' ' + label);
        if (!enter())
            return std::nullopt;
        return initial;
    }

private:
    bool enter() { return random->bounded(2) == 0; }
    QString pick(const QString& folder)
    {
        const QStringList files = QDir(folder).entryList(QDir::Files, QDir::Name);
        return files.isEmpty() ? QString() : folder + files[random->bounded(int(files.size()))];
    }
    // A box of the prompt seam opens: no other box may be open, and a modal
    // window may be open only when the key just sent went to it.
    void box(const QString& text)
    {
        ++boxes;
        recent << text.left(120);
        if (recent.size() > 5)
            recent.removeFirst();
        if (inProgress)
            faults << QStringLiteral("a box opened over a progress box: \"%1\"").arg(text);
        const QList<QWidget*> modal = modalWindows();
        if (!modal.isEmpty() && !lastKeyAnsweredModal)
            faults << QStringLiteral("a command key raised the box \"%1\" behind the open modal window %2")
                          .arg(text, describe(modal.first()));
    }
};

using xkeys::press;

class TestKeyStorm : public QObject {
    Q_OBJECT

    std::unique_ptr<CatalogFixture> app;
    StormPrompt stormPrompt;
    KeyReleaseCounter released;
    QRandomGenerator random;
    quint32 seed = 0;
    // A key box's text by its settings line; the boxes this storm reassigns.
    const QHash<QString, QString> reassigned{
        {QStringLiteral("Forward_Seconds_Key:"), QStringLiteral("1")},
        {QStringLiteral("Back_1_Frame_Key:"), QStringLiteral(".")},
        {QStringLiteral("Options_Form_Add_Bookmark_Keystroke:"), QStringLiteral("7")},
        {QStringLiteral("Options_Form_Exit_Keystroke:"), QStringLiteral("5")},
    };

    static const keys::KeyBoxRow& keyBoxRow(keys::KeyBox box)
    {
        return *std::find_if(keys::keyBoxRows.begin(), keys::keyBoxRows.end(),
                             [&](const keys::KeyBoxRow& row) { return row.box == box; });
    }
    // The key a key box holds now, as the program shows it in the box.
    QString boxKey(const keys::KeyBoxRow& row) const
    {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (auto* box = top->findChild<QLineEdit*>(QString::fromLatin1(row.objectName)))
                return box->text();
        return {};
    }

    // Every command key of the key table but the exit keys, as xdotool names
    // them; the menus' shortcut keys besides.
    QStringList commandKeys() const
    {
        QStringList keys;
        for (const keys::CommandRow& row : keys::commandRows) {
            if (row.command == keys::Command::exit)
                continue;
            if (row.match == keys::Match::FixedKey) {
                const QString symbol = keySymbol(row.fixedKey);
                if (symbol.isEmpty())
                    continue;
                keys << (row.held == keys::Held::Ctrl ? QStringLiteral("ctrl+") + symbol : symbol);
                continue;
            }
            if (row.match == keys::Match::Blank) {
                keys << QStringLiteral("space");
                continue;
            }
            if (row.box == keys::KeyBox::None)
                continue;
            const QString text = boxKey(keyBoxRow(row.box));
            if (text.size() != 1 || keySymbol(text[0]).isEmpty())
                continue;
            const QString symbol = keySymbol(text[0]);
            keys << (row.match == keys::Match::ShiftKeyCode ? QStringLiteral("shift+") + symbol : symbol);
        }
        // Options (modal), file information, lock to the clip's size; the
        // catalog's open, save, save as and close.
        keys << QStringLiteral("ctrl+q") << QStringLiteral("ctrl+i") << QStringLiteral("ctrl+l")
             << QStringLiteral("ctrl+o") << QStringLiteral("ctrl+s") << QStringLiteral("ctrl+shift+s")
             << QStringLiteral("ctrl+w");
        return keys;
    }

    // What a failure message ends with: the windows shown, the last boxes,
    // and how to replay the storm.
    QString replay() const
    {
        QStringList windows;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible())
                windows << describe(w) + (w->isFullScreen() ? QStringLiteral(" (full screen)") : QString());
        const QWindow* focus = QGuiApplication::focusWindow();
        return QStringLiteral("\nwindows shown: %1\nfocus: %2\nlast boxes: %3\n(replay with TEMPOLOOP_STORM_SEED=%4)")
            .arg(windows.join(QStringLiteral(", ")), focus ? focus->title() : QStringLiteral("none"),
                 stormPrompt.recent.join(QStringLiteral(" | ")))
            .arg(seed);
    }

    // Whether the file reads back as a whole catalog, every bookmark with
    // its times and clip. (A catalog closed and begun anew in the storm may
    // hold fewer bookmarks than the one opened.)
    static QString checkCatalog(const QString& path)
    {
        const bool spreadsheet = path.endsWith(QLatin1String(".csv"));
        const CatalogReadResult read =
            spreadsheet ? CSV_ReadCatalogFile(path, CatalogData()) : TVC_ReadCatalogFile(path, CatalogData());
        if (!read.complete || !read.message.isEmpty())
            return QStringLiteral("%1 does not read back whole: %2").arg(path, read.message);
        for (const Bookmark& b : read.catalog.bookmarks)
            if (b.startTime.isEmpty() || b.endTime.isEmpty() || b.fileName.isEmpty() || b.folder.isEmpty())
                return QStringLiteral("%1 holds a bookmark without its times or clip: \"%2\"").arg(path, b.name);
        return {};
    }

private slots:
    void initTestCase()
    {
        if (const QString lacking = xkeys::missing(); !lacking.isEmpty())
            QSKIP(qPrintable(lacking));
        bool given = false;
        seed = quint32(qEnvironmentVariableIntValue("TEMPOLOOP_STORM_SEED", &given));
        if (!given)
            seed = QRandomGenerator::system()->generate() % 1000000;
        random.seed(seed);
        qInfo("key storm seed: %u (TEMPOLOOP_STORM_SEED=%u replays it)", seed, seed);
        qApp->installNativeEventFilter(&released);
    }
    void cleanupTestCase() { qApp->removeNativeEventFilter(&released); }

    void theProgramOutlivesAKeyStorm()
    {
        app = std::make_unique<CatalogFixture>();
        QStringList settings;
        for (auto it = reassigned.begin(); it != reassigned.end(); ++it)
            settings << it.key() + ' ' + it.value();
        QVERIFY(app->startWithSettings(settings));
        for (int i = 1; i <= 3; ++i)
            app->makeClip(QStringLiteral("extra %1.mp4").arg(i));
        const CatalogData opened = app->catalog({"turn", "slide", "spin", "dip"}, {"A", "A", "B", ""});
        QVERIFY(app->open(opened));
        const QString catalogPath = app->catalogFolder() + QStringLiteral("steps.tvc");
        QFile original(catalogPath);
        QVERIFY(original.open(QIODevice::ReadOnly));
        const QByteArray originalBytes = original.readAll();
        original.close();
        app->openClip(app->clipFolder() + QStringLiteral("clip 1.mp4"));
        QVERIFY(app->activateMain());

        stormPrompt.random = &random;
        stormPrompt.clipFolder = app->clipFolder();
        stormPrompt.catalogFolder = app->catalogFolder();
        Prompt::install(&stormPrompt);

        const QStringList keys = commandKeys();
        QVERIFY2(keys.size() > 30, qPrintable(keys.join(' ')));
        // The reassigned keys are in the storm (the exit key ends it).
        for (auto it = reassigned.begin(); it != reassigned.end(); ++it)
            QVERIFY2(it.key().startsWith(QLatin1String("Options_Form_Exit")) || keys.contains(keySymbol(it.value()[0])),
                     qPrintable(it.value() + " missing from " + keys.join(' ')));

        const int seconds = envNumber("TEMPOLOOP_STORM_SECONDS", 60);
        const int maxKeys = envNumber("TEMPOLOOP_STORM_KEYS", INT_MAX);
        QStringList faults;
        int sent = 0, answers = 0, typedIntoModal = 0, refocused = 0, fullScreens = 0, bookmarkBoxes = 0;
        int expectedReleases = released.count;
        QString lastKey;
        QElapsedTimer keyClock, stormClock;
        keyClock.start();
        QWidget* answering = nullptr;
        int answersToIt = 0;
        bool busy = false, done = false;
        stormClock.start();

        // One step of the storm per timer tick: a timer keeps ticking inside
        // the nested event loops of modal windows, which a plain loop would
        // not get back from.
        QTimer ticker;
        ticker.setInterval(1);
        auto fault = [&](const QString& text) {
            faults << text + QStringLiteral(" after %1 keys, the last \"%2\"").arg(sent).arg(lastKey) + replay();
            done = true;
            // The storm ends: the modal windows' event loops, which the
            // test waits below, are closed.
            for (QWidget* w : modalWindows())
                if (auto* dialog = qobject_cast<QDialog*>(w))
                    QMetaObject::invokeMethod(dialog, &QDialog::reject, Qt::QueuedConnection);
        };
        connect(&ticker, &QTimer::timeout, this, [&] {
            if (busy || done)
                return;
            busy = true;
            const auto finish = qScopeGuard([&] { busy = false; });
            if (!stormPrompt.faults.isEmpty()) {
                for (const QString& f : std::as_const(stormPrompt.faults))
                    fault(f);
                return;
            }
            if (!app->main()->isVisible())
                return fault(QStringLiteral("the main window closed though no exit key was pressed"));
            // The last key must have been read before the next one goes.
            if (released.count < expectedReleases) {
                if (keyClock.elapsed() > 10000)
                    fault(QStringLiteral("the program read no key for ten seconds"));
                return;
            }
            const QList<QWidget*> modal = modalWindows();
            if (modal.size() > 1)
                return fault(QStringLiteral("two modal windows open at once: %1 and %2")
                                 .arg(describe(modal[0]), describe(modal[1])));
            if (stormPrompt.inProgress)
                return;
            // When the time is up the storm ends once no modal window is
            // open: the test waits for the end outside their event loops,
            // which only their answers close.
            const bool timeUp = stormClock.elapsed() > seconds * 1000 || sent >= maxKeys;
            if (timeUp && modal.isEmpty()) {
                done = true;
                return;
            }
            // Without a window manager nothing gives the focus back when
            // a window closes; a user would click a window.
            QWidget* target = modal.isEmpty() ? nullptr : modal.first();
            const QWindow* focus = QGuiApplication::focusWindow();
            if (!focus || (target && focus != target->windowHandle())) {
                if (keyClock.isValid() && keyClock.elapsed() > 10000)
                    return fault(QStringLiteral("no window of the program takes the keyboard focus"));
                QWidget* w = target ? target : app->main();
                w->activateWindow();
                ++refocused;
                return;
            }
            QString combination;
            if (target) {
                if (target != answering) {
                    answering = target;
                    answersToIt = 0;
                    bookmarkBoxes += QString::fromLatin1(target->metaObject()->className()).contains("Category");
                }
                if (++answersToIt > 60)
                    return fault(
                        QStringLiteral("%1 stays open after 60 keys, most Enter or Escape").arg(describe(target)));
                // Now and then a command key typed into the window, as a
                // dancer typing on would: the window owns it.
                if (timeUp) {
                    combination = QStringLiteral("Escape");
                    ++answers;
                } else if (random.bounded(4) == 0) {
                    combination = keys[random.bounded(int(keys.size()))];
                    ++typedIntoModal;
                } else {
                    combination = random.bounded(2) ? QStringLiteral("Return") : QStringLiteral("Escape");
                    ++answers;
                }
            } else {
                answering = nullptr;
                // The clip plays on: a tick, or now and then a few seconds.
                const int ms = random.bounded(8) == 0 ? 1000 + random.bounded(3000) : 40;
                // A box raised inside the tick (full-screen keys reach
                // the commands with it) is answered by the storm's next
                // steps, which run in the box's own event loop.
                busy = false;
                for (int t = 0; t < ms && !done; t += 40)
                    app->step(40);
                busy = true;
                if (done || !modalWindows().isEmpty() || released.count < expectedReleases)
                    return;
                combination = keys[random.bounded(int(keys.size()))];
                fullScreens += combination == QLatin1String("F2");
            }
            stormPrompt.lastKeyAnsweredModal = target != nullptr;
            lastKey = combination;
            expectedReleases = released.count + int(combination.count('+')) + 1;
            keyClock.start();
            if (!press(combination))
                return fault(QStringLiteral("xdotool could not press ") + combination);
            ++sent;
        });
        ticker.start();
        QTRY_VERIFY_WITH_TIMEOUT(done, (seconds + 60) * 1000);
        ticker.stop();
        qInfo("%d keys (%d answers to modal windows, %d command keys typed into them, %d bookmark entry boxes, "
              "%d presses of F2), %d boxes of the prompt, %d refocused windows",
              sent, answers, typedIntoModal, bookmarkBoxes, fullScreens, stormPrompt.boxes, refocused);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));

        // The end: open windows answered with Escape, then the exit key
        // pressed in the main window; the exit's save question is answered
        // Yes or No.
        stormPrompt.exiting = true;
        QTRY_VERIFY2_WITH_TIMEOUT(
            [&] {
                const QList<QWidget*> modal = modalWindows();
                if (modal.isEmpty())
                    return true;
                modal.first()->activateWindow();
                stormPrompt.lastKeyAnsweredModal = true;
                if (QGuiApplication::focusWindow() == modal.first()->windowHandle())
                    press(QStringLiteral("Escape"));
                return false;
            }(),
            qPrintable("a modal window stays open" + replay()), 20000);
        QVERIFY(app->activateMain());
        stormPrompt.lastKeyAnsweredModal = false;
        // The exit key as its box holds it now (keys typed into the options
        // window may have changed it).
        const QString exitKey = boxKey(keyBoxRow(keys::KeyBox::exit));
        QVERIFY2(exitKey.size() == 1 && !keySymbol(exitKey[0]).isEmpty(), qPrintable(exitKey));
        QVERIFY(press(keySymbol(exitKey[0])));
        // In full screen a key reaches the commands with the player's tick.
        QTRY_VERIFY2_WITH_TIMEOUT(
            [&] {
                app->step();
                return !app->main()->isVisible();
            }(),
            qPrintable(QStringLiteral("no exit on the exit key ") + exitKey + replay()), 20000);
        QVERIFY2(stormPrompt.faults.isEmpty(), qPrintable(stormPrompt.faults.join('\n') + replay()));

        // Every catalog on disk: the one opened, or a whole catalog.
        const QStringList files = QDir(app->catalogFolder()).entryList(QDir::Files);
        QVERIFY(files.contains(QStringLiteral("steps.tvc")));
        for (const QString& name : files) {
            const QString path = app->catalogFolder() + name;
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            if (path == catalogPath && file.readAll() == originalBytes)
                continue;
            // A practice log beside a catalog is no catalog: each of its
            // lines after the header is one of practice.
            if (name.endsWith(QStringLiteral(".log.csv"))) {
                file.seek(0);
                const QList<PracticeLogLine> lines = PracticeLog::parse(file.readAll());
                for (qsizetype i = 1; i < lines.size(); ++i)
                    QVERIFY2(lines[i].entry, lines[i].bytes.constData());
                continue;
            }
            const QString problem = checkCatalog(path);
            file.seek(0);
            QVERIFY2(problem.isEmpty(), qPrintable(problem + replay() + '\n' + file.readAll()));
        }
        Prompt::install(&app->prompt);
    }
};

QTEST_MAIN(TestKeyStorm)
#include "TestKeyStorm.moc"
