// The window commands of the function keys and their buttons on the whole
// program (fake engine, offscreen windows): stored sizes, the maximize
// button, the toggle buttons' messages, full screen and the keys its player
// reports, the re-pause after full screen, the original-size lock with the
// minimum size, and the catalog's play-click behaviour.
#include "CatalogFixture.h"
#include "Controls.h"
#include "core/catalog/CatalogDocument.h"
#include "gui/catalog/TBookmarksForm.h"
#include "gui/help/TQuickStartGuideForm.h"
#include "gui/input/FocusSink.h"
#include "gui/input/KeyCommands.h"
#include "gui/input/Keyboard.h"
#include "gui/main/AppWindows.h"
#include "gui/main/WindowSizing.h"
#include "gui/options/TOptionsForm.h"
#include "gui/playback/TActiveMovie.h"
#include "gui/widgets/TColourButton.h"

#include <QAction>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

using StoredSize = void (WindowSizing::*)();
using windowsize::Asker;
Q_DECLARE_METATYPE(StoredSize)

class TestWindowSizing : public QObject {
    Q_OBJECT

    std::unique_ptr<CatalogFixture> app;
    int beeps = 0;

    TMainForm* m() const { return app->main(); }
    WindowSizing* sizing() const { return app->sizing(); }
    TBookmarksForm* catalog() const { return app->startup->windows().BookmarksForm; }
    bool sinkHasFocus() const { return child<FocusSink>(m(), "PanelFocusPanel")->isActive(); }
    static bool activate(QWidget* window)
    {
        window->show();
        window->activateWindow();
        return QTest::qWaitForWindowActive(window);
    }
    // A key as the platform delivers it to a window; the player hands a
    // full-screen key on with its tick.
    void press(QWidget* window, int key, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QTest::keyClick(window->windowHandle(), Qt::Key(key), mods);
        app->player()->tick();
    }
    void openPausedClip(double seconds)
    {
        app->openClip(app->makeClip(QStringLiteral("lesson.mp4")));
        app->player()->Pause();
        app->player()->setCurrentPosition(seconds);
        app->step();
    }

private slots:
    void init()
    {
        qRegisterMetaType<windowsize::Asker>();
        app = std::make_unique<CatalogFixture>();
        app->defaultClip.duration = 600.0;
        QVERIFY(app->start());
        app->startup->windows().QuickStartGuideForm->hide();
        beeps = 0;
        sizing()->setBeep([this] { ++beeps; });
        m()->setWindowState(Qt::WindowNoState);
        QVERIFY(activate(m()));
    }
    void cleanup() { app.reset(); }

    void storedSizeRestoresExactlyFromMaximized_data()
    {
        QTest::addColumn<StoredSize>("set");
        QTest::addColumn<StoredSize>("show");
        QTest::addColumn<QString>("message");
        QTest::newRow("small") << &WindowSizing::storeSmallSize << &WindowSizing::showSmallSize
                               << "Small video size set to current size of window.";
        QTest::newRow("large") << &WindowSizing::storeLargeSize << &WindowSizing::showLargeSize
                               << "Large video size set to current size of window.";
    }
    void storedSizeRestoresExactlyFromMaximized()
    {
        QFETCH(StoredSize, set);
        QFETCH(StoredSize, show);
        QFETCH(QString, message);
        const QRect stored(41, 52, 707, 613);
        m()->setGeometry(stored);
        (sizing()->*set)();
        QCOMPARE(beeps, 1);
        QCOMPARE(app->prompt.messages(), QStringList{message});

        m()->setGeometry(QRect(60, 70, 820, 700));
        sizing()->toggleMaximized(Asker::MainForm);
        QVERIFY(m()->isMaximized());
        (sizing()->*show)();
        QVERIFY(!m()->isMaximized());
        QCOMPARE(m()->geometry(), stored);
    }

    void maximizeButtonTellsWhatItDoesNext()
    {
        auto* f1 = child<TColourButton>(m(), "F1_Button");
        f1->click();
        QVERIFY(m()->isMaximized());
        QCOMPARE(f1->text(), QStringLiteral("restore window (F1)"));
        QCOMPARE(f1->toolTip(), QStringLiteral("Restore the video window back to previous size"));
        QVERIFY(sinkHasFocus());
        f1->click();
        QVERIFY(!m()->isMaximized());
        QCOMPARE(f1->text(), QStringLiteral("maximize window (F1)"));
        QCOMPARE(f1->toolTip(),
                 QStringLiteral("Maximize the video window (Loop and Bookmark controls will still be visible.)"));

        // From full screen, F1 ends in the maximized window.
        openPausedClip(10);
        sizing()->toggleFullScreen(Asker::FullScreenButton);
        QVERIFY(app->player()->FullScreenMode());
        sizing()->toggleMaximized(Asker::MainForm);
        QVERIFY(!app->player()->FullScreenMode());
        QVERIFY(m()->isMaximized());
        QCOMPARE(f1->text(), QStringLiteral("restore window (F1)"));
    }

    void toggleButtonsOnlySayToPressTheKey_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("message");
        QTest::newRow("F3") << "F3_Button"
                            << "Sorry, but for this function to work, you have to press the <F3> button itself.";
        QTest::newRow("F4") << "F4_Button"
                            << "Sorry, but for this function to work, you have to press the <F4> button itself.";
    }
    void toggleButtonsOnlySayToPressTheKey()
    {
        QFETCH(QString, button);
        QFETCH(QString, message);
        catalog()->document()->setCatalogMode(CatalogDocument::Mode::New);
        child<TColourButton>(m(), qPrintable(button))->click();
        QCOMPARE(app->prompt.messages(), QStringList{message});
        QVERIFY(!catalog()->isVisible());
        QVERIFY(m()->isActiveWindow());
        QVERIFY(sinkHasFocus());
    }

    void catalogToggleNeedsAnOpenCatalog()
    {
        press(m(), Qt::Key_F4);
        QCOMPARE(app->prompt.messages(),
                 QStringList{"Sorry, but for this function to work, you must have a video catalog open first."});
        QVERIFY(!catalog()->isVisible());
        app->prompt.clear();
        catalog()->document()->setCatalogMode(CatalogDocument::Mode::New);
        press(m(), Qt::Key_F4);
        QVERIFY(app->prompt.messages().isEmpty());
        QVERIFY(catalog()->isVisible());
        QTRY_VERIFY(catalog()->isActiveWindow());
        // F4 in the active catalog window hands the keys to the video window.
        press(catalog(), Qt::Key_F4);
        QTRY_VERIFY(m()->isActiveWindow());
        QVERIFY(catalog()->isVisible());
    }

    void videoToggleBetweenTheWindows()
    {
        catalog()->document()->setCatalogMode(CatalogDocument::Mode::New);
        QVERIFY(activate(catalog()));
        press(catalog(), Qt::Key_F3);
        QTRY_VERIFY(m()->isActiveWindow());
        press(m(), Qt::Key_F3);
        QTRY_VERIFY(catalog()->isActiveWindow());
        QVERIFY(m()->isVisible());
    }

    void fullScreenNeedsAClip()
    {
        auto* f2 = child<TColourButton>(m(), "F2_Button");
        m()->setFocus();
        sizing()->toggleFullScreen(Asker::MainForm);
        QCOMPARE(app->prompt.messages(),
                 QStringList{"You must first have a video clip loaded in order for this to work."});
        QVERIFY(!sinkHasFocus());
        f2->click();
        QCOMPARE(app->prompt.messages().size(), 2);
        QVERIFY(sinkHasFocus());
        QVERIFY(!app->player()->FullScreenMode());
    }

    void keysInFullScreen()
    {
        openPausedClip(100);
        child<QLineEdit>(m(), "backsecondsKey")->setText(QStringLiteral("1"));
        QVERIFY(activate(catalog()));
        QSignalSpy ran(app->keyboard()->commands, &KeyCommands::commandRan);
        // F2 in the catalog window: its own key comes back first and is dropped.
        press(catalog(), Qt::Key_F2);
        QVERIFY(app->player()->FullScreenMode());
        QCOMPARE(sizing()->fullScreen().requester(), Asker::BookmarksForm);
        QVERIFY(!sizing()->fullScreen().skipNextKey());

        sizing()->toggleFullScreen(Asker::MainForm);
        QVERIFY(!app->player()->FullScreenMode());
        sizing()->toggleFullScreen(Asker::BookmarksForm);
        QVERIFY(sizing()->fullScreen().skipNextKey());
        press(m(), Qt::Key_F); // the tail of the keystroke that went full screen
        QCOMPARE(app->player()->CurrentPosition(), 100.0);
        press(m(), Qt::Key_F); // forward seconds
        QVERIFY(app->player()->CurrentPosition() > 100.0);
        const double position = app->player()->CurrentPosition();
        press(m(), '!', Qt::ShiftModifier); // Shift with the back-seconds key "1": back minutes
        QVERIFY(app->player()->CurrentPosition() <= position - 60);

        ran.clear();
        for (int key : {int(Qt::Key_F3), int(Qt::Key_F5), int(Qt::Key_F8)})
            press(m(), key);
        press(m(), Qt::Key_F7, Qt::ControlModifier);
        QVERIFY(ran.isEmpty());
        QCOMPARE(beeps, 0);

        press(m(), Qt::Key_C);
        press(m(), Qt::Key_O);
        QCOMPARE(beeps, 2);
        // The space plays and pauses in full screen as in the window.
        press(m(), Qt::Key_Space);
        QCOMPARE(app->player()->PlayState(), mpPlaying);
        press(m(), Qt::Key_Space);
        QCOMPARE(app->player()->PlayState(), mpPaused);
        QVERIFY(app->prompt.shown().isEmpty());
        QVERIFY(app->player()->FullScreenMode());

        press(m(), Qt::Key_F2);
        QVERIFY(!app->player()->FullScreenMode());
        QTRY_VERIFY(catalog()->isActiveWindow());
        QCOMPARE(app->player()->PlayState(), mpPaused);
    }

    void leavingFullScreenPausedKeepsTheNextPlay()
    {
        openPausedClip(30);
        auto* f2 = child<TColourButton>(m(), "F2_Button");
        f2->click();
        QVERIFY(app->player()->FullScreenMode());
        QVERIFY(!sizing()->fullScreen().skipNextKey());
        f2->click();
        QVERIFY(!app->player()->FullScreenMode());
        QVERIFY(!app->loops()->rePausePending());
        app->step();
        QCOMPARE(app->player()->PlayState(), mpPaused);
        app->player()->Play();
        app->step();
        QCOMPARE(app->player()->PlayState(), mpPlaying);

        // Paused in full screen, the change not yet handed on: it is the one
        // the re-pause waits for, and the clip stays paused.
        f2->click();
        app->player()->Pause();
        f2->click();
        QVERIFY(app->loops()->rePausePending());
        app->step();
        QVERIFY(!app->loops()->rePausePending());
        QCOMPARE(app->player()->PlayState(), mpPaused);
        app->player()->Play();
        app->step();
        QCOMPARE(app->player()->PlayState(), mpPlaying);
    }

    // A play click in the catalog's grid, by the options window's choice.
    void playClickBringsTheVideoWindowToFront()
    {
        app->startup->windows().OptionsForm->setBookmarkPlayClickBehaviorIndex(1);
        QVERIFY(app->open(app->catalog({"one"})));
        QVERIFY(activate(catalog()));
        app->doubleClick(BookmarkColumn::Play, 1);
        QVERIFY(app->player()->FileName().endsWith(QStringLiteral("clip 1.mp4")));
        QTRY_VERIFY(m()->isActiveWindow());
        QVERIFY(!app->player()->FullScreenMode());
    }

    void playClickGoesFullScreen_data()
    {
        QTest::addColumn<bool>("doubleClick");
        QTest::addColumn<Asker>("requester");
        QTest::newRow("double-click") << true << Asker::BookmarksForm;
        QTest::newRow("Enter") << false << Asker::BookmarksGrid;
    }
    void playClickGoesFullScreen()
    {
        QFETCH(bool, doubleClick);
        QFETCH(Asker, requester);
        app->startup->windows().OptionsForm->setBookmarkPlayClickBehaviorIndex(2);
        QVERIFY(app->open(app->catalog({"one"})));
        QVERIFY(activate(catalog()));
        if (doubleClick) {
            app->doubleClick(BookmarkColumn::Play, 1);
        } else {
            app->click(BookmarkColumn::Play, 1);
            app->key(Qt::Key_Return);
        }
        app->engine->finishLoad();
        app->player()->tick(); // Enter's own release, from the full-screen player: nothing
        QVERIFY(app->player()->FullScreenMode());
        QCOMPARE(sizing()->fullScreen().requester(), requester);
        QVERIFY(!sizing()->fullScreen().skipNextKey());
        press(m(), Qt::Key_F2);
        QVERIFY(!app->player()->FullScreenMode());
        QTRY_VERIFY(catalog()->isActiveWindow());
    }

    void lockKeepsTheClipsOwnSize()
    {
        auto* lock = child<QAction>(m(), "OriginalSize1");
        auto* movie = child<TActiveMovie>(m(), "ActiveMovie1");
        const QSize before = m()->size();
        lock->trigger(); // no clip: only the mode and the check mark
        QVERIFY(lock->isChecked());
        QCOMPARE(app->player()->DisplaySize(), mpDefaultSize);
        QCOMPARE(m()->size(), before);
        QCOMPARE(m()->minimumSize(), QSize(303, 366));

        app->openClip(app->makeClip(QStringLiteral("lesson.mp4")));
        // At its smallest, the window leaves the picture area the clip's size.
        QCOMPARE(m()->minimumSize(), m()->size() - movie->pictureArea()->size() + QSize(640, 360));
        QVERIFY(movie->width() >= 640 && movie->height() >= 360 + TActiveMovie::StripHeight);
        QCOMPARE(movie->picture()->size(), QSize(640, 360));
        QCOMPARE(movie->picture()->geometry().center(), movie->pictureArea()->rect().center());
        QVERIFY(m()->windowTitle().startsWith(QStringLiteral("lesson.mp4 (640 x 360), Current Video Size: ")));

        for (int i = 0; i < 40; ++i)
            sizing()->shrink();
        QCOMPARE(m()->size(), m()->minimumSize());
        QCOMPARE(movie->pictureArea()->size(), QSize(640, 360));

        // Another clip: the window follows its size.
        FakeEngine::Clip small;
        small.width = 320;
        small.height = 240;
        const QString other = app->makeClip(QStringLiteral("small.mp4"));
        app->engine->addClip(other, small);
        app->openClip(other);
        QCOMPARE(m()->minimumSize(), m()->size() - movie->pictureArea()->size() + QSize(320, 240));
        QCOMPARE(movie->picture()->size(), QSize(320, 240));

        lock->trigger();
        QVERIFY(!lock->isChecked());
        QCOMPARE(app->player()->DisplaySize(), mpFitToSize);
        QCOMPARE(movie->picture()->geometry(), movie->pictureArea()->rect());
        QCOMPARE(m()->minimumSize(), QSize(303, 366));
    }

    void hiddenUserControlsLowerTheMinimum()
    {
        child<QWidget>(m(), "PlayerControlsPanel")->hide();
        sizing()->userControlsChanged();
        QCOMPARE(m()->minimumSize(), QSize(303, 218));
        child<QWidget>(m(), "PlayerControlsPanel")->show();
        sizing()->userControlsChanged();
        QCOMPARE(m()->minimumSize(), QSize(303, 366));
    }

    void enlargeShowsInTheTitle()
    {
        openPausedClip(1);
        auto* movie = child<TActiveMovie>(m(), "ActiveMovie1");
        const QSize video(movie->width(), movie->height() - TActiveMovie::StripHeight);
        auto titleSize = [this] {
            const QString t = m()->windowTitle();
            const QString part = t.section(QStringLiteral("Current Video Size: "), 1).section(u',', 0, 0);
            return QSize(part.section(QStringLiteral(" x "), 0, 0).toInt(),
                         part.section(QStringLiteral(" x "), 1).toInt());
        };
        QCOMPARE(titleSize(), video);
        child<TColourButton>(m(), "F6_Button")->click();
        QCOMPARE(titleSize(), video + QSize(15, 10));
        QVERIFY(sinkHasFocus());
    }

    void titleKeepsTheProgramsNameWithoutAClip()
    {
        const QString title = m()->windowTitle();
        sizing()->enlarge();
        QCOMPARE(m()->windowTitle(), title);
    }
};

QTEST_MAIN(TestWindowSizing)
#include "TestWindowSizing.moc"
