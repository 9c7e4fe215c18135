// The quick add's chime on libmpv: the sound is built into the program, and
// it plays to its end on its own handle while the caller goes on.
#include "gui/playback/MpvChimePlayer.h"

#include <QFile>
#include <QtTest>

class TestChimePlayer : public QObject {
    Q_OBJECT

private slots:
    void theChimeIsBuiltIn()
    {
        QFile chime(QStringLiteral(":/sounds/chimes.wav"));
        QVERIFY(chime.open(QIODevice::ReadOnly));
        const QByteArray head = chime.read(12);
        QVERIFY(head.startsWith("RIFF"));
        QVERIFY(head.endsWith("WAVE"));
    }

    void playsToItsEndWithoutWaiting()
    {
        MpvChimePlayer chime(QStringLiteral("null"));
        QVERIFY(!chime.isSounding());
        chime.play(); // returns at once: the chime is still to come
        QTRY_VERIFY_WITH_TIMEOUT(chime.isSounding(), 5000);
        QTRY_VERIFY_WITH_TIMEOUT(!chime.isSounding(), 5000);
        chime.play(); // and again
        QTRY_VERIFY_WITH_TIMEOUT(chime.isSounding(), 5000);
    }
};

QTEST_MAIN(TestChimePlayer)
#include "TestChimePlayer.moc"
