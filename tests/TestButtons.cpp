// The windows' buttons act on a click however it comes: the mouse, Space on
// the focused button, or an accessibility tool's press; and their captions
// light up in the button-highlight colour while hot.
#include "AppFixture.h"
#include "Controls.h"
#include "core/catalog/BookmarkMaking.h"
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

namespace {

QStringList operations(const QSignalSpy& spy)
{
    QStringList out;
    for (const QList<QVariant>& args : spy)
        out << args.at(0).toString();
    return out;
}

} // namespace

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
        TColourButton* button = child<TColourButton>(app->main(), "makeBookmarkButton");
        QSignalSpy made(app->keyboard()->bookmarkMaking, &BookmarkMaking::ran);

        button->setFocus(Qt::TabFocusReason);
        QTest::keyClick(app->main()->windowHandle(), Qt::Key_Space);
        QCOMPARE(operations(made), QStringList{"makeBookmarkButtonClick"});
        QVERIFY(child<FocusSink>(app->main(), "PanelFocusPanel")->isActive());

        button->setFocus(Qt::TabFocusReason);
        QTest::keyClick(app->main()->windowHandle(), Qt::Key_Space, Qt::ShiftModifier);
        QCOMPARE(operations(made).last(), QStringLiteral("QuickMakeBookmarkButtonClick"));
        QTest::keyRelease(app->main()->windowHandle(), Qt::Key_Shift);

        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(button);
        QVERIFY(accessible && accessible->actionInterface());
        QVERIFY(accessible->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
        // An accessible press clicks the button after a short show of it
        // being down.
        accessible->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QTRY_COMPARE(operations(made), (QStringList{"makeBookmarkButtonClick", "QuickMakeBookmarkButtonClick",
                                                    "makeBookmarkButtonClick"}));
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
