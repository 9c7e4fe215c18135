// The video and catalog window toggles (F3, F4) and the keys of the
// full-screen player, through a real X server: the keys are pressed with
// xdotool (XTest) and the windows' order is read from the X server, which
// stacks the program's windows itself when no window manager runs.
#include "AppFixture.h"
#include "Controls.h"
#include "XKeys.h"
#include "core/catalog/CatalogDocument.h"
#include "gui/catalog/TBookmarksForm.h"
#include "gui/help/TQuickStartGuideForm.h"
#include "gui/input/KeyCommands.h"
#include "gui/input/Keyboard.h"
#include "gui/main/AppWindows.h"
#include "gui/main/WindowSizing.h"
#include "gui/widgets/TColourButton.h"

#include <QGuiApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <xcb/xcb.h>

using xkeys::press;

class TestWindowStacking : public QObject {
    Q_OBJECT

    std::unique_ptr<AppFixture> app;

    TMainForm* m() const { return app->main(); }
    TBookmarksForm* catalog() const { return app->startup->windows().BookmarksForm; }

    // Whether `upper` lies above `lower` in the X server's stacking order.
    static bool above(QWidget* upper, QWidget* lower)
    {
        auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
        xcb_connection_t* c = x11->connection();
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
        xcb_query_tree_reply_t* tree = xcb_query_tree_reply(c, xcb_query_tree(c, root), nullptr);
        if (!tree)
            return false;
        const xcb_window_t* children = xcb_query_tree_children(tree); // bottom to top
        const int count = xcb_query_tree_children_length(tree);
        int upperAt = -1, lowerAt = -1;
        for (int i = 0; i < count; ++i) {
            if (children[i] == xcb_window_t(upper->winId()))
                upperAt = i;
            if (children[i] == xcb_window_t(lower->winId()))
                lowerAt = i;
        }
        free(tree);
        return upperAt >= 0 && lowerAt >= 0 && upperAt > lowerAt;
    }

    static bool activate(QWidget* window)
    {
        window->show();
        window->raise();
        window->activateWindow();
        return QTest::qWaitForWindowActive(window);
    }

private slots:
    void initTestCase()
    {
        if (const QString lacking = xkeys::missing(); !lacking.isEmpty())
            QSKIP(qPrintable(lacking));
    }

    void init()
    {
        app = std::make_unique<AppFixture>();
        app->defaultClip.duration = 600.0;
        QVERIFY(app->start());
        app->startup->windows().QuickStartGuideForm->hide();
        catalog()->document()->setCatalogMode(CatalogDocument::Mode::New);
        catalog()->setGeometry(100, 400, 500, 300);
        QVERIFY(activate(catalog()));
        QVERIFY(activate(m()));
    }
    void cleanup() { app.reset(); }

    void videoToggleSendsTheVideoWindowBehindTheCatalog()
    {
        QVERIFY(above(m(), catalog()));
        QVERIFY(press(QStringLiteral("F3")));
        QTRY_VERIFY(catalog()->isActiveWindow());
        QVERIFY(above(catalog(), m()));
        QVERIFY(m()->isVisible());
        // F3 again, now in the catalog window: the video window to the front.
        QVERIFY(press(QStringLiteral("F3")));
        QTRY_VERIFY(m()->isActiveWindow());
        QVERIFY(above(m(), catalog()));
    }

    void catalogToggleSendsTheCatalogBehindTheVideoWindow()
    {
        QVERIFY(press(QStringLiteral("F4"))); // from the video window: the catalog to the front
        QTRY_VERIFY(catalog()->isActiveWindow());
        QVERIFY(above(catalog(), m()));
        QVERIFY(press(QStringLiteral("F4"))); // from the catalog itself: behind the video window
        QTRY_VERIFY(m()->isActiveWindow());
        QVERIFY(above(m(), catalog()));
        QVERIFY(catalog()->isVisible());
    }

    // F3 in the video window with none of the catalog, command line entry
    // and information windows shown leaves it in front, above the windows of
    // other programs (here a window of this program's own that none of the
    // toggles knows), at the first F3 and at the next.
    void videoToggleWithNoOtherWindowShownLeavesItInFront()
    {
        qRegisterMetaType<windowsize::Asker>();
        catalog()->hide();
        QWidget otherProgram;
        otherProgram.setWindowTitle(QStringLiteral("another program"));
        otherProgram.setGeometry(50, 50, 400, 300);
        otherProgram.show();
        QVERIFY(QTest::qWaitForWindowExposed(&otherProgram));
        QVERIFY(activate(m()));
        QVERIFY(above(m(), &otherProgram));
        QSignalSpy ran(app->keyboard()->commands, &KeyCommands::commandRan);
        for (int presses = 1; presses <= 2; ++presses) {
            QVERIFY(press(QStringLiteral("F3")));
            QTRY_COMPARE(ran.count(), presses);
            QVERIFY(m()->isVisible());
            QVERIFY(above(m(), &otherProgram));
        }
    }

    // Shift with a digit key reaches its Shift command from the full-screen
    // player as it does in the window, also when Shift is let go first (as
    // xdotool does).
    void shiftedDigitInFullScreen()
    {
        child<QLineEdit>(m(), "backsecondsKey")->setText(QStringLiteral("1"));
        app->openClip(app->makeClip(QStringLiteral("lesson.mp4")));
        app->player()->Pause();
        app->player()->setCurrentPosition(100);
        app->step();
        child<TColourButton>(m(), "F2_Button")->click();
        QVERIFY(app->player()->FullScreenMode());
        QTRY_VERIFY(m()->isActiveWindow());
        QVERIFY(press(QStringLiteral("shift+1")));
        QTRY_VERIFY((app->player()->tick(), app->player()->CurrentPosition() <= 40.0));
        QVERIFY(app->player()->FullScreenMode());
    }
};

QTEST_MAIN(TestWindowStacking)
#include "TestWindowStacking.moc"
