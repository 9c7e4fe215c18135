// The main window and the screen, on an X display with a window manager
// (which frames the windows and makes them full screen): every size the
// program sets fits the screen's available area, and leaving the program in
// full screen stores the window as it was before.
#include "AppFixture.h"
#include "Controls.h"
#include "DisplayWithWindowManager.h"
#include "gui/help/TQuickStartGuideForm.h"
#include "gui/info/TFilePlayingInfoForm.h"
#include "gui/main/MainMenu.h"
#include "gui/main/WindowSizing.h"
#include "gui/widgets/TColourButton.h"

#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QTest>

using windowsize::Asker;

class TestWindowsOnScreen : public QObject {
    Q_OBJECT

public:
    void setWindowManagerRunning(bool running) { m_windowManager = running; }

private:
    bool m_windowManager = false;
    std::unique_ptr<AppFixture> app;

    TMainForm* m() const { return app->main(); }
    WindowSizing* sizing() const { return app->startup->sizing(); }
    static QRect screenArea() { return QGuiApplication::primaryScreen()->availableGeometry(); }
    static bool onScreen(QWidget* w) { return screenArea().contains(QRect(w->mapToGlobal(QPoint()), w->size())); }

    bool start(const QStringList& settings = {})
    {
        app = std::make_unique<AppFixture>();
        app->defaultClip.duration = 600.0;
        app->defaultClip.width = 1920;
        app->defaultClip.height = 1080;
        if (!app->startWithSettings(QStringList{"Main_Form_Left: 40", "Main_Form_Top: 40"} + settings))
            return false;
        m()->activateWindow();
        return QTest::qWaitForWindowExposed(m()) && QTest::qWaitForWindowActive(m());
    }

private slots:
    void initTestCase()
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            QSKIP("needs an X server (run with QT_QPA_PLATFORM=xcb)");
        QVERIFY2(m_windowManager, "needs Xvfb and openbox (scripts/install-deps.sh)");
    }
    void cleanup() { app.reset(); }

    // "Lock to original clip size" with a 1080p clip on a 1280 x 1024
    // screen: the window fits the screen with its loop and bookmark controls
    // on it, the picture shows smaller (and the information window says so),
    // F5 still shrinks the window, and the next clip fits as well.
    void aLockedClipLargerThanTheScreenFitsIt()
    {
        QVERIFY(start());
        QCOMPARE(screenArea().size(), QSize(1280, 1024));
        app->openClip(app->makeClip(QStringLiteral("concert.mp4")));
        sizing()->toggleOriginalSizeLock();
        QVERIFY(m()->menu().originalSizeLocked());
        QTRY_VERIFY(screenArea().contains(m()->frameGeometry()));
        QTRY_VERIFY(m()->width() > 1000); // it did grow towards the clip's size
        QVERIFY(onScreen(child<QWidget>(m(), "LoopControlsBox")));
        QVERIFY(onScreen(child<QWidget>(m(), "BookmarkControlsBox")));
        QWidget* picture = child<QWidget>(m(), "picture");
        QVERIFY(picture->width() < 1920);
        QVERIFY(qAbs(picture->width() * 1080 - picture->height() * 1920) <= 1920); // its shape kept
        auto* screenSize = app->startup->windows().FilePlayingInfoForm->findChild<QLineEdit*>("ShowScreenSize");
        QVERIFY(screenSize);
        QVERIFY2(screenSize->text().endsWith(QStringLiteral("(scaled down to fit the screen)")),
                 qPrintable(screenSize->text()));

        const QSize before = m()->size();
        sizing()->shrink();
        QTRY_COMPARE(m()->size(), before - QSize(15, 10));

        app->openClip(app->makeClip(QStringLiteral("encore.mp4")));
        QTRY_VERIFY(screenArea().contains(m()->frameGeometry()));
        QVERIFY(onScreen(child<QWidget>(m(), "BookmarkControlsBox")));
    }

    // F6 and the information window's "size to original video" fit too.
    void enlargingStopsAtTheScreen()
    {
        QVERIFY(start());
        for (int i = 0; i < 40; ++i)
            sizing()->enlarge();
        QTRY_VERIFY(m()->width() > 1100);
        QTRY_VERIFY(screenArea().contains(m()->frameGeometry()));
        app->openClip(app->makeClip(QStringLiteral("concert.mp4")));
        app->startup->windows().FilePlayingInfoForm->SizeToOriginalVideoButtonClick();
        QTRY_VERIFY(screenArea().contains(m()->frameGeometry()));
    }

    // A small size stored on a monitor that is gone comes back on screen.
    void storedSizesComeBackOnScreen()
    {
        QVERIFY(start({"Video_Clip_SmallScreenSize_Left: 3000", "Video_Clip_SmallScreenSize_Top: 2000",
                       "Video_Clip_SmallScreenSize_Width: 700", "Video_Clip_SmallScreenSize_Height: 560",
                       "Video_Clip_LargeScreenSize_Width: 2400", "Video_Clip_LargeScreenSize_Height: 1500"}));
        sizing()->showSmallSize();
        QTRY_VERIFY(screenArea().contains(m()->frameGeometry()));
        QCOMPARE(m()->size(), QSize(700, 560));
        sizing()->showLargeSize();
        QTRY_VERIFY(m()->width() > 1000);
        QTRY_VERIFY(screenArea().contains(m()->frameGeometry()));
    }

    // Leaving the program in full screen stores the window as it was before
    // full screen: its bounds, and maximised when it was.
    void exitInFullScreenStoresTheWindowBeforeIt_data()
    {
        QTest::addColumn<bool>("maximized");
        QTest::newRow("normal") << false;
        QTest::newRow("maximized") << true;
    }
    void exitInFullScreenStoresTheWindowBeforeIt()
    {
        QFETCH(bool, maximized);
        QVERIFY(start());
        m()->setGeometry(100, 120, 900, 700);
        QTRY_COMPARE(m()->geometry(), QRect(100, 120, 900, 700));
        if (maximized) {
            m()->showMaximized();
            QTRY_VERIFY(m()->isMaximized());
        }
        app->openClip(app->makeClip(QStringLiteral("lesson.mp4")));
        child<TColourButton>(m(), "F2_Button")->click();
        QTRY_VERIFY(m()->isFullScreen());
        QTRY_COMPARE(m()->frameGeometry(), QGuiApplication::primaryScreen()->geometry());
        m()->exitButtonClick();
        QVERIFY(!m()->isVisible());

        QFile config(app->configPath());
        QVERIFY(config.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(config.readAll());
        const QStringList expected = {QStringLiteral("Main_Form_Left: 100"), QStringLiteral("Main_Form_Top: 120"),
                                      QStringLiteral("Main_Form_Width: 900"), QStringLiteral("Main_Form_Height: 700"),
                                      QStringLiteral("Main_Form_WindowState: %1").arg(maximized ? 2 : 0)};
        for (const QString& line : expected)
            QVERIFY2(text.contains(line), qPrintable(line + " in:\n" + text));
    }
};

TEMPOLOOP_MAIN_WITH_WINDOW_MANAGER(TestWindowsOnScreen)
#include "TestWindowsOnScreen.moc"
