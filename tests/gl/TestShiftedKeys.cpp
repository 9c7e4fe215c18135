// Shift with a digit key, through a real X server: X reports the shifted
// symbol (Shift+1 arrives as "!"), yet a key box that holds a digit starts
// its Shift command. The keys are pressed with xdotool (XTest), so they take
// the whole path of a real keystroke: X keymap, Qt's key event, dispatch.
#include "AppFixture.h"
#include "Controls.h"
#include "XKeys.h"
#include "gui/input/FocusSink.h"
#include "gui/input/KeyCommands.h"
#include "gui/input/Keyboard.h"
#include "gui/input/LayoutKey.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>

using keys::Command;
Q_DECLARE_METATYPE(keys::Command)

using xkeys::press;

class TestShiftedKeys : public QObject {
    Q_OBJECT

    std::unique_ptr<AppFixture> app;
    // The X server's layout and variant before a test changed them; the X
    // server outlives this test, so cleanup() puts them back.
    QStringList m_layoutToRestore;

    // setxkbmap's arguments that bring back the present layout.
    static QStringList currentLayout()
    {
        QProcess query;
        query.start(QStringLiteral("setxkbmap"), {QStringLiteral("-query")});
        if (!query.waitForFinished(5000))
            return {};
        QStringList arguments;
        for (const QString& line : QString::fromLocal8Bit(query.readAllStandardOutput()).split('\n')) {
            const QString name = line.section(':', 0, 0).trimmed();
            const QString value = line.section(':', 1).trimmed();
            if ((name == u"layout" || name == u"variant") && !value.isEmpty())
                arguments << '-' + name << value;
        }
        return arguments;
    }

private slots:
    void initTestCase()
    {
        qRegisterMetaType<keys::Command>();
        if (const QString lacking = xkeys::missing(); !lacking.isEmpty())
            QSKIP(qPrintable(lacking));
    }

    void init()
    {
        app = std::make_unique<AppFixture>();
        QFile config(app->configPath());
        QVERIFY(config.open(QIODevice::WriteOnly));
        config.write("Forward_Seconds_Key: 1\r\nBack_1_Frame_Key: .\r\n"
                     "Options_Form_Add_Bookmark_Keystroke: 7\r\nOptions_Form_Exit_Keystroke: 5\r\n"
                     "Quick_Start_Guide_Visible: 0\r\n");
        config.close();
        QVERIFY(app->start());
        app->main()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(app->main()));
        app->main()->giveFocusToSink();
        QTRY_VERIFY(child<FocusSink>(app->main(), "PanelFocusPanel")->isActive());
    }
    void cleanup()
    {
        app.reset();
        if (!m_layoutToRestore.isEmpty()) {
            QCOMPARE(QProcess::execute(QStringLiteral("setxkbmap"), m_layoutToRestore), 0);
            m_layoutToRestore.clear();
        }
    }

    void shiftWithADigitOrSymbolKeyStartsItsShiftCommand_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<Command>("command");
        QTest::newRow("Shift+1: forward minutes") << "shift+1" << Command::forwardminutes;
        QTest::newRow("Shift+.: several frames back") << "shift+period" << Command::backframes;
        QTest::newRow("Shift+7: quick bookmark") << "shift+7" << Command::quickMakeBookmark;
        QTest::newRow("Shift+5: exit") << "shift+5" << Command::exit;
    }
    void shiftWithADigitOrSymbolKeyStartsItsShiftCommand()
    {
        QFETCH(QString, keys);
        QFETCH(Command, command);
        QSignalSpy ran(app->keyboard()->commands, &KeyCommands::commandRan);
        QVERIFY(press(keys));
        QTRY_VERIFY(!ran.isEmpty());
        QCOMPARE(ran.first().at(0).value<Command>(), command);
    }

    // On a German keyboard Shift+7 types "/", which the US layout types
    // unshifted: only the X server's own layout knows it as the 7 key.
    void theActiveLayoutDecides()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("setxkbmap")).isEmpty())
            QSKIP("needs setxkbmap");
        m_layoutToRestore = currentLayout();
        QVERIFY(!m_layoutToRestore.isEmpty());
        QCOMPARE(QProcess::execute(QStringLiteral("setxkbmap"), {QStringLiteral("de")}), 0);
        QSignalSpy ran(app->keyboard()->commands, &KeyCommands::commandRan);
        QVERIFY(press(QStringLiteral("shift+7")));
        QTRY_VERIFY_WITH_TIMEOUT(!ran.isEmpty(), 2000);
        QCOMPARE(ran.first().at(0).value<Command>(), Command::quickMakeBookmark);
    }

    // A key event with no X key code (synthesised, or from another
    // platform) falls back on the US layout's shifted symbols.
    void usLayoutStandsInWithoutAKeyCode_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("matched");
        QTest::newRow("Shift+1") << int(Qt::Key_Exclam) << "!" << int(Qt::ShiftModifier) << int(Qt::Key_1);
        QTest::newRow("Shift+.") << int(Qt::Key_Greater) << ">" << int(Qt::ShiftModifier) << int(Qt::Key_Period);
        QTest::newRow("Shift+a") << int(Qt::Key_A) << "A" << int(Qt::ShiftModifier) << int(Qt::Key_A);
        QTest::newRow("Shift+F2") << int(Qt::Key_F2) << "" << int(Qt::ShiftModifier) << int(Qt::Key_F2);
        QTest::newRow("! without Shift") << int(Qt::Key_Exclam) << "!" << int(Qt::NoModifier) << int(Qt::Key_Exclam);
    }
    void usLayoutStandsInWithoutAKeyCode()
    {
        QFETCH(int, key);
        QFETCH(QString, text);
        QFETCH(int, modifiers);
        QFETCH(int, matched);
        const QKeyEvent event(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers), text);
        QCOMPARE(LayoutKey::unshiftedKey(event), matched);
    }

    void plainDigitStartsOnlyItsOwnCommand()
    {
        QSignalSpy ran(app->keyboard()->commands, &KeyCommands::commandRan);
        QVERIFY(press(QStringLiteral("1")));
        // A second key marks the end of what the first one did: the X server
        // hands the keys over in order.
        QVERIFY(press(QStringLiteral("k")));
        QTRY_COMPARE(ran.size(), 2);
        QCOMPARE(ran.at(0).at(0).value<Command>(), Command::forwardseconds);
        QCOMPARE(ran.at(1).at(0).value<Command>(), Command::regularspeed);
    }
};

QTEST_MAIN(TestShiftedKeys)
#include "TestShiftedKeys.moc"
