#include "ScriptedPrompt.h"
#include "TimeBoxEntry.h"
#include "core/base/TimeCode.h"
#include "gui/widgets/TBlinkLabel.h"
#include "gui/widgets/TColourButton.h"
#include "gui/widgets/TimeBox.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QtTest>

Q_DECLARE_METATYPE(TColourButton::ButtonLook)

namespace {

const QColor kFace(200, 40, 40);
const QColor kHot(4, 179, 108);
const QColor kHotText(255, 255, 0);
const QColor kLight(250, 250, 250);
const QColor kDark(90, 90, 90);
const QColor kFrame(0, 0, 128);
const QColor kParent(120, 160, 220);

// A window with two colour buttons side by side and known system colours.
struct ButtonWindow {
    QWidget window;
    TColourButton* button;
    TColourButton* other;

    ButtonWindow()
    {
        QPalette pal = window.palette();
        pal.setColor(QPalette::Light, kLight);
        pal.setColor(QPalette::Dark, kDark);
        pal.setColor(QPalette::Shadow, kFrame);
        pal.setColor(QPalette::Window, kParent);
        window.setPalette(pal);
        auto* layout = new QHBoxLayout(&window);
        button = new TColourButton(QStringLiteral("&Play loop"), &window);
        other = new TColourButton(QStringLiteral("Other"), &window);
        button->setFixedSize(100, 40);
        other->setFixedSize(100, 40);
        layout->addWidget(button);
        layout->addWidget(other);
        button->setColor(kFace);
        button->setHotColor(kHot);
        button->setHotTextColor(kHotText);
        window.resize(260, 60);
    }

    // Shown, active, with the mouse pointer off both buttons.
    bool show()
    {
        QCursor::setPos(QPoint(2000, 2000));
        window.show();
        window.activateWindow();
        return QTest::qWaitForWindowActive(&window);
    }
};

QColor pixel(QWidget* widget, QPoint at)
{
    return widget->grab().toImage().pixelColor(at);
}

void hover(QWidget* widget)
{
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), widget->mapToGlobal(QPointF(5, 5)));
    QCoreApplication::sendEvent(widget, &enter);
}

void unhover(QWidget* widget)
{
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(widget, &leave);
}

} // namespace

class TestWidgets : public QObject {
    Q_OBJECT

private slots:
    void buttonDefaults();
    void colourChangeClearsParentColor_data();
    void colourChangeClearsParentColor();
    void hotOnMouseOver();
    void hotOnFocusSurvivesMouseLeaving();
    void sameHotColorShowsNoChange();
    void hotCaptionStaysLegible_data();
    void hotCaptionStaysLegible();
    void looks_data();
    void looks();
    void parentColorFace();
    void doubleClickActsTwice();
    void spaceClicks();
    void accessibleNameFollowsCaption();
    void hintIsToolTip();

    void blinkRateLimits_data();
    void blinkRateLimits();
    void blinkAlternatesTextColour();
    void blinkRate50BlinksEvery100ms();
    void blinkStopRestoresText();
    void blinkRunsWhileHidden();

    void timeBoxEmpty();
    void timeBoxSetDigitText_data();
    void timeBoxSetDigitText();
    void timeBoxTyping_data();
    void timeBoxTyping();
    void timeBoxEscapeAbandonsEntry();
    void timeBoxKeepsThePlacesOfAPartEntry_data();
    void timeBoxKeepsThePlacesOfAPartEntry();
    void timeBoxCannotBeLeftPartlyFilled();
};

void TestWidgets::buttonDefaults()
{
    QWidget parent;
    TColourButton button(&parent);
    QCOMPARE(button.color(), button.palette().color(QPalette::Button));
    QCOMPARE(button.hotColor(), button.palette().color(QPalette::Button));
    QCOMPARE(button.hotTextColor(), button.palette().color(QPalette::ButtonText));
    QCOMPARE(button.buttonLook(), TColourButton::blNormal);
    QVERIFY(button.parentColor());
    QVERIFY(button.wordWrap());
    QCOMPARE(button.alignment(), Qt::Alignment(Qt::AlignHCenter));
    QCOMPARE(button.margin(), 2);
    QVERIFY(button.showFocus());
    QVERIFY(!button.showDefaultMarker());
    QVERIFY(!button.isHot());
}

void TestWidgets::colourChangeClearsParentColor_data()
{
    QTest::addColumn<QByteArray>("property");
    QTest::newRow("color") << QByteArray("color");
    QTest::newRow("hotColor") << QByteArray("hotColor");
    QTest::newRow("hotTextColor") << QByteArray("hotTextColor");
}

void TestWidgets::colourChangeClearsParentColor()
{
    QFETCH(QByteArray, property);
    TColourButton button;
    QVERIFY(button.parentColor());
    QVERIFY(button.setProperty(property.constData(), QColor(1, 2, 3)));
    QVERIFY(!button.parentColor());
    QCOMPARE(button.property(property.constData()).value<QColor>(), QColor(1, 2, 3));
}

void TestWidgets::hotOnMouseOver()
{
    ButtonWindow w;
    QVERIFY(w.show());
    w.other->setFocus();
    QCOMPARE(pixel(w.button, {2, 2}), kFace);

    QTest::mouseMove(w.button);
    QTRY_VERIFY(w.button->isHot());
    QCOMPARE(pixel(w.button, {2, 2}), kHot);

    QTest::mouseMove(w.other);
    QTRY_VERIFY(!w.button->isHot());
    QVERIFY(w.other->isHot());
    QCOMPARE(pixel(w.button, {2, 2}), kFace);
}

void TestWidgets::hotOnFocusSurvivesMouseLeaving()
{
    ButtonWindow w;
    QVERIFY(w.show());
    w.other->setFocus();
    QVERIFY(!w.button->isHot());
    QTest::keyClick(w.other, Qt::Key_Tab, Qt::ShiftModifier); // focus moves back to the button
    QTRY_VERIFY(w.button->hasFocus());
    QVERIFY(w.button->isHot());
    hover(w.button);
    unhover(w.button);
    QVERIFY(w.button->isHot());
    QCOMPARE(pixel(w.button, {2, 2}), kHot);
    w.other->setFocus();
    QTRY_VERIFY(!w.button->isHot());
}

void TestWidgets::hotCaptionStaysLegible_data()
{
    QTest::addColumn<QColor>("hotFace");
    QTest::addColumn<QColor>("hotText");
    QTest::addColumn<QColor>("shown");
    const QColor black(0, 0, 0);
    const QColor white(255, 255, 255);
    QTest::newRow("white on dark grey") << QColor(128, 128, 128) << white << white;
    QTest::newRow("yellow on green") << kHot << kHotText << kHotText;
    QTest::newRow("white on light grey") << QColor(239, 239, 239) << white << black;
    QTest::newRow("white on white") << white << white << black;
}

void TestWidgets::hotCaptionStaysLegible()
{
    QFETCH(QColor, hotFace);
    QFETCH(QColor, hotText);
    QFETCH(QColor, shown);
    ButtonWindow w;
    QPalette pal = w.button->palette();
    pal.setColor(QPalette::ButtonText, QColor(0, 0, 0));
    w.button->setPalette(pal);
    w.button->setHotColor(hotFace);
    w.button->setHotTextColor(hotText);
    w.button->setText(QStringLiteral("\u2588\u2588\u2588\u2588"));
    QVERIFY(w.show());
    w.other->setFocus();
    QCOMPARE(w.button->currentTextColor(), QColor(0, 0, 0));
    hover(w.button);
    QCOMPARE(w.button->currentTextColor(), shown);
    // The caption (full blocks) is painted in that colour.
    const QImage image = w.button->grab().toImage();
    QCOMPARE(image.pixelColor(image.rect().center()), shown);
}

void TestWidgets::sameHotColorShowsNoChange()
{
    ButtonWindow w;
    QVERIFY(w.show());
    w.other->setFocus();
    w.button->setHotColor(kHot);
    w.button->setColor(kHot);
    const QImage before = w.button->grab().toImage();
    hover(w.button);
    QVERIFY(w.button->isHot());
    // Face unchanged; the caption may take the hot text colour.
    QCOMPARE(pixel(w.button, {2, 2}), before.pixelColor(2, 2));
    QCOMPARE(pixel(w.button, {0, 20}), before.pixelColor(0, 20));
}

void TestWidgets::looks_data()
{
    QTest::addColumn<TColourButton::ButtonLook>("look");
    QTest::addColumn<bool>("hot");
    QTest::addColumn<bool>("down");
    QTest::addColumn<QColor>("outerLeft");  // x = 0
    QTest::addColumn<QColor>("outerRight"); // x = width - 1
    QTest::addColumn<QColor>("innerLeft");  // x = 1
    QTest::addColumn<QColor>("face");       // (3, 3)

    using B = TColourButton;
    QTest::newRow("normal") << B::blNormal << false << false << kLight << kDark << kFace << kFace;
    QTest::newRow("normal hot") << B::blNormal << true << false << kLight << kDark << kHot << kHot;
    QTest::newRow("normal pressed") << B::blNormal << false << true << kDark << kLight << kFace << kFace;
    QTest::newRow("framed") << B::blFramed << false << false << kLight << kDark << kFace << kFace;
    QTest::newRow("framed pressed") << B::blFramed << false << true << kFace << kFace << kFace << kFace;
    QTest::newRow("flat cool has no edge") << B::blFlat << false << false << kParent << kParent << kFace << kFace;
    QTest::newRow("flat hot") << B::blFlat << true << false << kLight << kDark << kHot << kHot;
    QTest::newRow("flat pressed") << B::blFlat << false << true << kDark << kLight << kFace << kFace;
    QTest::newRow("framed on hover cool") << B::blFramedOnHover << false << false << kLight << kDark << kFace << kFace;
    QTest::newRow("framed on hover hot") << B::blFramedOnHover << true << false << kFrame << kFrame << kLight << kHot;
}

void TestWidgets::looks()
{
    QFETCH(TColourButton::ButtonLook, look);
    QFETCH(bool, hot);
    QFETCH(bool, down);
    QFETCH(QColor, outerLeft);
    QFETCH(QColor, outerRight);
    QFETCH(QColor, innerLeft);
    QFETCH(QColor, face);

    ButtonWindow w;
    QVERIFY(w.show());
    w.other->setFocus();
    w.button->setButtonLook(look);
    if (hot)
        hover(w.button);
    w.button->setDown(down);
    QCOMPARE(w.button->isHot(), hot);

    const QImage image = w.button->grab().toImage();
    const int y = image.height() / 2;
    QCOMPARE(image.pixelColor(0, y), outerLeft);
    QCOMPARE(image.pixelColor(image.width() - 1, y), outerRight);
    QCOMPARE(image.pixelColor(1, y), innerLeft);
    QCOMPARE(image.pixelColor(3, 3), face);
}

void TestWidgets::parentColorFace()
{
    ButtonWindow w;
    QVERIFY(w.show());
    w.button->setFocus();
    // "Other" kept ParentColor: its face is the window's background.
    QCOMPARE(pixel(w.other, {2, 2}), kParent);
    w.other->setParentColor(false);
    QCOMPARE(pixel(w.other, {2, 2}), w.other->color());
}

void TestWidgets::doubleClickActsTwice()
{
    ButtonWindow w;
    QVERIFY(w.show());
    QSignalSpy clicked(w.button, &QAbstractButton::clicked);
    // What the platform delivers for two quick clicks.
    QTest::mouseClick(w.button, Qt::LeftButton);
    QTest::mouseDClick(w.button, Qt::LeftButton);
    QTest::mouseRelease(w.button, Qt::LeftButton);
    QCOMPARE(clicked.count(), 2);
}

void TestWidgets::spaceClicks()
{
    ButtonWindow w;
    QVERIFY(w.show());
    w.button->setFocus();
    QSignalSpy clicked(w.button, &QAbstractButton::clicked);
    QTest::keyClick(w.button, Qt::Key_Space);
    QCOMPARE(clicked.count(), 1);
}

void TestWidgets::accessibleNameFollowsCaption()
{
    ButtonWindow w;
    QVERIFY(w.show());
    QCOMPARE(w.button->accessibleName(), QStringLiteral("Play loop"));
    w.button->setText(QStringLiteral("Stop && go"));
    QCOMPARE(w.button->accessibleName(), QStringLiteral("Stop & go"));

    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w.button);
    QVERIFY(iface);
    QCOMPARE(iface->role(), QAccessible::Button);
    QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("Stop & go"));
    QAccessibleActionInterface* actions = iface->actionInterface();
    QVERIFY(actions);
    QSignalSpy clicked(w.button, &QAbstractButton::clicked);
    actions->doAction(QAccessibleActionInterface::pressAction());
    QTRY_COMPARE(clicked.count(), 1);
}

void TestWidgets::hintIsToolTip()
{
    TColourButton button;
    button.setHint(QStringLiteral("Plays the loop"));
    QCOMPARE(button.toolTip(), QStringLiteral("Plays the loop"));
}

void TestWidgets::blinkRateLimits_data()
{
    QTest::addColumn<int>("set");
    QTest::addColumn<int>("rate");
    QTest::newRow("700") << 700 << 700;
    QTest::newRow("100") << 100 << 100;
    QTest::newRow("99 raised") << 99 << 100;
    QTest::newRow("50 raised") << 50 << 100;
    QTest::newRow("1 raised") << 1 << 100;
    QTest::newRow("0 stops") << 0 << 0;
}

void TestWidgets::blinkRateLimits()
{
    QFETCH(int, set);
    QFETCH(int, rate);
    TBlinkLabel label;
    QCOMPARE(label.blinkRate(), 300);
    label.setBlinkRate(set);
    QCOMPARE(label.blinkRate(), rate);
}

void TestWidgets::blinkAlternatesTextColour()
{
    QWidget parent;
    QPalette pal = parent.palette();
    pal.setColor(QPalette::Window, kParent);
    pal.setColor(QPalette::WindowText, kFace);
    parent.setPalette(pal);
    TBlinkLabel label(QStringLiteral("Playing All Bookmarks"), &parent);
    label.setBlinkRate(100);
    parent.show();

    QTRY_VERIFY(label.isTextHidden());
    QCOMPARE(label.palette().color(QPalette::WindowText), kParent);
    QTRY_VERIFY(!label.isTextHidden());
    QCOMPARE(label.palette().color(QPalette::WindowText), kFace);
    // Given back as inherited: a later change of the parent's colour shows.
    QVERIFY(!label.testAttribute(Qt::WA_SetPalette));
}

void TestWidgets::blinkRate50BlinksEvery100ms()
{
    // The rate is read back rather than timed: a loaded machine delays
    // timer ticks, which says nothing about the rate the label asked for.
    TBlinkLabel label(QStringLiteral("x"));
    label.setBlinkRate(50);
    QCOMPARE(label.blinkRate(), 100);
    QTRY_VERIFY(label.isTextHidden());
    QTRY_VERIFY(!label.isTextHidden());
}

void TestWidgets::blinkStopRestoresText()
{
    QWidget parent;
    TBlinkLabel label(QStringLiteral("x"), &parent);
    const QColor text = label.palette().color(QPalette::WindowText);
    label.setBlinkRate(100);
    QTRY_VERIFY(label.isTextHidden());
    label.setBlinkRate(0);
    QVERIFY(!label.isTextHidden());
    QCOMPARE(label.palette().color(QPalette::WindowText), text);
    // Stopped for good: no blink is still to come.
    QVERIFY(!label.isBlinking());
}

void TestWidgets::blinkRunsWhileHidden()
{
    TBlinkLabel label(QStringLiteral("x"));
    QVERIFY(!label.isVisible());
    label.setBlinkRate(100);
    QTRY_VERIFY(label.isTextHidden());
}

void TestWidgets::timeBoxEmpty()
{
    TimeBox box;
    QCOMPARE(box.digitText(), QString());
    QVERIFY(box.isBlank());
    QVERIFY(!box.isComplete());
    QCOMPARE(box.displayText(), QStringLiteral("__:__:__"));
}

void TestWidgets::timeBoxSetDigitText_data()
{
    QTest::addColumn<QString>("set");
    QTest::addColumn<QString>("digits");
    QTest::addColumn<QString>("shown");
    QTest::newRow("full") << "000325"
                          << "000325"
                          << "00:03:25";
    QTest::newRow("empty clears") << ""
                                  << ""
                                  << "__:__:__";
    QTest::newRow("seven digits cut") << "1234567"
                                      << "123456"
                                      << "12:34:56";
    QTest::newRow("display form accepted") << "12:34:56"
                                           << "123456"
                                           << "12:34:56";
    QTest::newRow("partial") << "1234"
                             << "1234__"
                             << "12:34:__";
}

void TestWidgets::timeBoxSetDigitText()
{
    QFETCH(QString, set);
    QFETCH(QString, digits);
    QFETCH(QString, shown);
    TimeBox box;
    box.setDigitText("999999");
    box.setDigitText(set);
    QCOMPARE(box.digitText(), digits);
    QCOMPARE(box.displayText(), shown);
    QCOMPARE(box.isComplete(), !digits.isEmpty() && !digits.contains(u'_'));
}

void TestWidgets::timeBoxTyping_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("digits");
    QTest::addColumn<bool>("complete");
    QTest::newRow("six digits") << "123456"
                                << "123456" << true;
    QTest::newRow("letters refused") << "1a2b3c4d5e6f"
                                     << "123456" << true;
    QTest::newRow("partial") << "12"
                             << "12____" << false;
    QTest::newRow("colons typed are skipped") << "12:34:56"
                                              << "123456" << true;
    QTest::newRow("extra digits ignored") << "12345678"
                                          << "123456" << true;
}

void TestWidgets::timeBoxTyping()
{
    QFETCH(QString, keys);
    QFETCH(QString, digits);
    QFETCH(bool, complete);
    TimeBox box;
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    box.setFocus();
    box.setCursorPosition(0);
    QTest::keyClicks(&box, keys);
    QCOMPARE(box.digitText(), digits);
    QCOMPARE(box.isComplete(), complete);
    QVERIFY(!box.text().contains(u'_'));
}

void TestWidgets::timeBoxEscapeAbandonsEntry()
{
    struct Window : QWidget {
        int escapes = 0;
        void keyPressEvent(QKeyEvent* event) override
        {
            if (event->key() == Qt::Key_Escape)
                ++escapes;
        }
    } window;
    auto* box = new TimeBox(&window);
    box->setAccessibleName(QStringLiteral("loop start time"));
    box->setDigitText("000100");
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    box->setFocus();
    QTRY_VERIFY(box->hasFocus());

    box->setCursorPosition(0);
    QTest::keyClicks(box, "99");
    QCOMPARE(box->digitText(), QStringLiteral("990100"));
    QTest::keyClick(box, Qt::Key_Escape);
    QCOMPARE(box->digitText(), QStringLiteral("000100"));
    QCOMPARE(window.escapes, 0);

    // Nothing edited: Escape belongs to the window.
    QTest::keyClick(box, Qt::Key_Escape);
    QCOMPARE(window.escapes, 1);
    QCOMPARE(box->accessibleName(), QStringLiteral("loop start time"));
}

void TestWidgets::timeBoxKeepsThePlacesOfAPartEntry_data()
{
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("digits");
    QTest::newRow("last place open") << "00:00:1_"
                                     << "00001_";
    QTest::newRow("gap in the minutes") << "00:_1:05"
                                        << "00_105";
    QTest::newRow("first place open") << "_0:00:00"
                                      << "_00000";
    QTest::newRow("complete") << "12:34:56"
                              << "123456";
    QTest::newRow("blank") << "__:__:__"
                           << "";
}

void TestWidgets::timeBoxKeepsThePlacesOfAPartEntry()
{
    QFETCH(QString, shown);
    QFETCH(QString, digits);
    TimeBox box;
    enterShown(&box, shown);
    QCOMPARE(box.displayText(), shown);
    QCOMPARE(box.digitText(), digits);
    QCOMPARE(box.isPartlyFilled(), digits.contains(u'_'));
    // No reader of time codes takes a partly filled box for a time.
    QCOMPARE(isDigitForm(box.digitText()), digits.size() == 6 && !digits.contains(u'_'));
    QCOMPARE(validateTimeCode(insertColonsIntoString(box.digitText())), !digits.contains(u'_'));
}

void TestWidgets::timeBoxCannotBeLeftPartlyFilled()
{
    ScriptedPrompt prompt;
    QWidget window;
    auto* box = new TimeBox(&window);
    auto* other = new QLineEdit(&window);
    auto* button = new TColourButton(QStringLiteral("go"), &window);
    auto* layout = new QHBoxLayout(&window);
    layout->addWidget(box);
    layout->addWidget(other);
    layout->addWidget(button);
    QSignalSpy clicks(button, &QAbstractButton::clicked);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    box->setFocus();
    box->setCursorPosition(0);
    QTest::keyClicks(box, "12");

    // Tab, a click on another control and a program moving the focus are
    // all refused, with one message each.
    QTest::keyClick(box, Qt::Key_Tab);
    QTRY_COMPARE(prompt.messages().size(), 1);
    QVERIFY(box->hasFocus());
    QTest::mouseClick(button, Qt::LeftButton);
    QTRY_COMPARE(prompt.messages().size(), 2);
    QCOMPARE(clicks.count(), 0);
    QVERIFY(box->hasFocus());
    other->setFocus();
    QTRY_VERIFY(box->hasFocus());
    QCOMPARE(prompt.messages().size(), 3);
    QCOMPARE(prompt.lastMessage(), TimeBox::incompleteMessage());

    // Escape abandons the entry; the empty box can be left.
    QTest::keyClick(box, Qt::Key_Escape);
    QVERIFY(box->isBlank());
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(clicks.count(), 1);

    // So can a completed one.
    box->setFocus();
    box->setCursorPosition(0);
    QTest::keyClicks(box, "000105");
    QTest::keyClick(box, Qt::Key_Tab);
    QVERIFY(!box->hasFocus());
    QCOMPARE(prompt.messages().size(), 3);
}

QTEST_MAIN(TestWidgets)
#include "TestWidgets.moc"
