// The practice features in the whole program on the fake engine: their keys
// through the real keyboard, the Practice page driving the loop, the mirror
// view's menu item, and what extras.txt keeps of them.
#include "AppFixture.h"
#include "gui/options/TOptionsForm.h"
#include "gui/widgets/TColourButton.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QTest>

namespace {

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestPracticeControls : public QObject {
    Q_OBJECT

    std::unique_ptr<AppFixture> app;

    LoopControls* loops() { return app->loops(); }
    TOptionsForm* options() { return app->startup->windows().OptionsForm; }
    QAction* mirrorItem() { return app->main()->findChild<QAction*>(QStringLiteral("MirrorView1")); }
    QString extrasPath() { return app->programFolder() + QStringLiteral("extras.txt"); }
    template <class T> T* practice(const char* name) { return options()->findChild<T*>(QLatin1String(name)); }
    void type(char key) { QTest::keyClick(app->main()->windowHandle(), key); }

private slots:
    void init()
    {
        app = std::make_unique<AppFixture>();
        QVERIFY(app->startWithClip(120.0));
    }
    void cleanup() { app.reset(); }

    void keysCycleTheLoopModeAndFlipThePicture()
    {
        QVERIFY(app->activateMain());
        auto* button = app->control<TColourButton>("loopOnce");
        QStringList captions;
        for (int i = 0; i < 3; ++i) {
            type('b');
            captions << button->text();
        }
        QCOMPARE(captions, (QStringList{"loop continuously", "speed ladder", "loop once"}));
        QVERIFY(!mirrorItem()->isChecked());
        type('x');
        QVERIFY(mirrorItem()->isChecked());
        QVERIFY(app->main()->isMirrored());
        type('x');
        QVERIFY(!mirrorItem()->isChecked());
        QCOMPARE(app->prompt.messages(), QStringList());
    }

    // Reassigned keys act, and the menu item and the hint follow them.
    void reassignedKeysActAndShow()
    {
        QVERIFY(app->activateMain());
        practice<QLineEdit>("mirrorViewKey")->setText(QStringLiteral("v"));
        practice<QLineEdit>("loopModeKey")->setText(QStringLiteral("n"));
        QCOMPARE(mirrorItem()->text(), QStringLiteral("Mirror view (v)"));
        QVERIFY(app->control<TColourButton>("loopOnce")->toolTip().contains(QStringLiteral("The 'n' keystroke")));
        type('x');
        type('b');
        QVERIFY(!mirrorItem()->isChecked());
        QCOMPARE(loops()->loopMode(), LoopControls::LoopMode::Once);
        type('v');
        type('n');
        QVERIFY(mirrorItem()->isChecked());
        QCOMPARE(loops()->loopMode(), LoopControls::LoopMode::Continuously);
    }

    void thePracticePageSetsTheLoop()
    {
        practice<QSpinBox>("RepeatGap")->setValue(1200);
        QCOMPARE(loops()->restartPauseMs(), 1200);
        practice<QSpinBox>("SpeedLadderPasses")->setValue(3);
        auto* rates = practice<QLineEdit>("SpeedLadderRates");
        rates->setText(QStringLiteral("0.6 0.9"));
        emit rates->editingFinished();
        QCOMPARE(loops()->speedLadder(), SpeedLadder({0.6, 0.9}, 3));
        practice<QComboBox>("CountIn")->setCurrentIndex(2);
        practice<QSpinBox>("CountInVolume")->setValue(40);
        QCOMPARE(loops()->countInSound(), countin::CountInSound::Voice);
        QCOMPARE(loops()->countInVolume(), 40);
        QCOMPARE(app->prompt.messages(), QStringList());
    }

    // Hardware decoding is on unless switched off on the Practice page.
    void hardwareDecodingSwitch()
    {
        auto* box = practice<QCheckBox>("HardwareDecoding");
        QVERIFY(box);
        QVERIFY(box->isChecked());
        QVERIFY(app->engine->hardwareDecodingOn());
        box->setChecked(false);
        QVERIFY(!app->engine->hardwareDecodingOn());
        box->setChecked(true);
        QVERIFY(app->engine->hardwareDecodingOn());
    }

    // A text that is no ladder is explained and the last good one comes back.
    void aBadLadderIsRefused()
    {
        auto* rates = practice<QLineEdit>("SpeedLadderRates");
        rates->setText(QStringLiteral("0.5, 9"));
        emit rates->editingFinished();
        QCOMPARE(app->prompt.messages(),
                 QStringList{"The rate 9 is out of range: each rate must lie between 0.1 and 4.0."});
        QCOMPARE(rates->text(), QStringLiteral("0.5, 0.75, 1.0"));
        QCOMPARE(loops()->speedLadder(), SpeedLadder());
    }

    // What the page and the menu hold comes back at the next start; the
    // ladder mode too, with Loop_Continuously on in config.txt.
    void keptAcrossStarts()
    {
        mirrorItem()->setChecked(true);
        loops()->setLoopMode(LoopControls::LoopMode::Ladder);
        practice<QSpinBox>("RepeatGap")->setValue(0);
        practice<QLineEdit>("loopModeKey")->setText(QStringLiteral("v"));
        practice<QCheckBox>("HardwareDecoding")->setChecked(false);
        practice<QComboBox>("CountIn")->setCurrentIndex(1);
        practice<QSpinBox>("CountInVolume")->setValue(30);
        practice<QSpinBox>("FrameStoreMB")->setValue(256);
        QCOMPARE(app->engine->frameStoreMB(), 256);
        app->main()->exitButtonClick();
        QCOMPARE(app->prompt.messages(), QStringList());
        const QByteArray extras = readAll(extrasPath());
        QVERIFY(extras.contains("Mirror_View: 1\r\n"));
        QVERIFY(extras.contains("Loop_Speed_Ladder: 1\r\n"));
        QVERIFY(extras.contains("Repeat_Gap_Milliseconds: 0\r\n"));
        QVERIFY(extras.contains("Loop_Mode_Key: v\r\n"));
        QVERIFY(extras.contains("Hardware_Decoding: 0\r\nFrame_Store_MB: 256\r\n"));
        QVERIFY(extras.contains("Count_In: 1\r\nCount_In_Volume: 30\r\n"));
        QVERIFY(readAll(app->configPath()).contains("Loop_Continuously: 1\r\n"));

        const QString folder = app->programFolder();
        AppFixture again;
        for (const QString& name : {QStringLiteral("config.txt"), QStringLiteral("extras.txt")})
            QVERIFY(QFile::copy(folder + name, again.programFolder() + name));
        QVERIFY(again.start());
        QVERIFY(again.main()->isMirrored());
        QCOMPARE(again.loops()->loopMode(), LoopControls::LoopMode::Ladder);
        QCOMPARE(again.loops()->restartPauseMs(), 0);
        QVERIFY(!again.engine->hardwareDecodingOn());
        QCOMPARE(again.engine->frameStoreMB(), 256);
        QCOMPARE(again.loops()->countInSound(), countin::CountInSound::Clicks);
        QCOMPARE(again.loops()->countInVolume(), 30);
        QCOMPARE(again.control<TColourButton>("loopOnce")->text(), QStringLiteral("speed ladder"));
        QCOMPARE(again.prompt.messages(), QStringList());
    }
};

QTEST_MAIN(TestPracticeControls)
#include "TestPracticeControls.moc"
