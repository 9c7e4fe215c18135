// The windows' buttons act on a click however it comes: the mouse, Space on
// the focused button, or an accessibility tool's press; and their captions
// light up in the button-highlight colour while hot.
#include "AppFixture.h"
#include "Controls.h"
#include "core/catalog/CatalogDocument.h"
#include "gui/catalog/TBookmarksForm.h"
#include "gui/input/FocusSink.h"
#include "gui/input/Keyboard.h"
#include "gui/main/AppWindows.h"
#include "gui/widgets/Colours.h"
#include "gui/widgets/TColourButton.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QSignalSpy>
#include <QTest>

class TestButtons : public QObject {
    Q_OBJECT

    std::unique_ptr<AppFixture> app;

private slots:
    void init()
    {
        app = std::make_unique<AppFixture>();
        QVERIFY(app->start());
        app->main()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(app->main()));
    }
    void cleanup() { app.reset(); }

    void addBookmarkActsOnSpaceAndOnAnAccessiblePress()
    {
        // With a clip but no loop, the add asks for a start time and the
        // quick add makes a bookmark at once: which one ran shows.
        app->openClip(app->makeClip(QStringLiteral("lesson.mp4")));
        const QString noStart =
            QStringLiteral("You must enter a \"Start Time\" in Loop Controls (above) before defining a bookmark.");
        TColourButton* button = child<TColourButton>(app->main(), "makeBookmarkButton");

        button->setFocus(Qt::TabFocusReason);
        QTest::keyClick(app->main()->windowHandle(), Qt::Key_Space);
        QCOMPARE(app->prompt.messages(), QStringList{noStart});
        QVERIFY(child<FocusSink>(app->main(), "PanelFocusPanel")->isActive());

        button->setFocus(Qt::TabFocusReason);
        QTest::keyClick(app->main()->windowHandle(), Qt::Key_Space, Qt::ShiftModifier);
        QCOMPARE(app->windows().BookmarksForm->document()->CatalogMode(), CatalogDocument::Mode::New);
        QCOMPARE(app->prompt.messages(), QStringList{noStart});
        QTest::keyRelease(app->main()->windowHandle(), Qt::Key_Shift);

        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(button);
        QVERIFY(accessible && accessible->actionInterface());
        QVERIFY(accessible->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
        // An accessible press clicks the button after a short show of it
        // being down.
        accessible->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QTRY_COMPARE(app->prompt.messages(), (QStringList{noStart, noStart}));
    }

    // A button clicked while a box takes text gives the keys back to the
    // window's focus sink: the next key is a command again.
    void clickedButtonsGiveTheKeysBack_data()
    {
        QTest::addColumn<QString>("button");
        for (const char* name : {"playButton",
                                 "restartButton",
                                 "muteButton",
                                 "backsecondsButton",
                                 "forwardminutesButton",
                                 "back1frameButton",
                                 "forwardframesButton",
                                 "slowmotionButton",
                                 "regularspeedButton",
                                 "setStartTimeButton",
                                 "resetEndTimeButton",
                                 "resetLoopButton",
                                 "loopOnce",
                                 "playFullVideoButton",
                                 "playLoopButton",
                                 "ViewClipButton",
                                 "nextClipButton",
                                 "F5_Button",
                                 "F6_Button",
                                 "F7_Button",
                                 "F8_Button"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void clickedButtonsGiveTheKeysBack()
    {
        QFETCH(QString, button);
        QVERIFY(app->openClipAt(10));
        app->startup->storedLoopView().playStoredLoop(QStringLiteral("000002"), QStringLiteral("000004"), std::nullopt);
        app->player()->Pause();
        FocusSink* sink = child<FocusSink>(app->main(), "PanelFocusPanel");
        QWidget* box = child<QWidget>(app->main(), "setEndTimeValue");
        box->setFocus(Qt::MouseFocusReason);
        QVERIFY(!sink->isActive());
        child<TColourButton>(app->main(), qPrintable(button))->click();
        QVERIFY(sink->isActive());
    }

    // A loop refused (no clip) leaves the keys where the user had them.
    void refusedLoopAndKeysLeaveTheFocus()
    {
        FocusSink* sink = child<FocusSink>(app->main(), "PanelFocusPanel");
        QWidget* box = child<QWidget>(app->main(), "setEndTimeValue");
        box->setFocus(Qt::MouseFocusReason);
        child<TColourButton>(app->main(), "playLoopButton")->click();
        QCOMPARE(app->prompt.messages(), QStringList{"You must choose a clip first before attempting to play a loop."});
        QVERIFY(box->hasFocus());
        QVERIFY(!sink->isActive());
    }

    void hotCaptionsUseTheButtonHighlightColour()
    {
        const QList<QWidget*> windows{app->main(), static_cast<QWidget*>(app->startup->windows().BookmarksForm)};
        int buttons = 0;
        for (QWidget* window : windows) {
            for (TColourButton* button : window->findChildren<TColourButton*>()) {
                QCOMPARE(button->hotTextColor(), Colours::buttonHighlight());
                ++buttons;
            }
        }
        QVERIFY(buttons > 40);
    }
};

QTEST_MAIN(TestButtons)
#include "TestButtons.moc"
