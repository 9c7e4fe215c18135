// The count-in's sound as the program renders it: the voice built into the
// program (spoken by espeak-ng at build time) reads as four words, and in
// the rendered track each count starts on its beat after the lead-in, with
// silence before the first, for clicks and the voice, at several rates.
#include "core/playback/CountIn.h"
#include "gui/playback/CountInTrack.h"

#include <QFile>
#include <QTest>
#include <QtEndian>
#include <algorithm>
#include <cstdlib>

using countin::CountInPlan;
using countin::CountInSound;

Q_DECLARE_METATYPE(CountInSound)

namespace {

QList<countintrack::Samples> voice()
{
    QList<countintrack::Samples> words;
    for (int count = countin::FirstCount; count < countin::FirstCount + countin::Counts; ++count) {
        QFile file(QStringLiteral(":/sounds/count%1.wav").arg(count));
        if (file.open(QIODevice::ReadOnly))
            words << countintrack::readSpokenWord(file.readAll());
    }
    return words;
}

// The samples of a track this renderer wrote, and its rate.
countintrack::Samples samplesOf(const QByteArray& wav)
{
    countintrack::Samples all;
    if (wav.size() < 44)
        return all;
    all.rate = qFromLittleEndian<qint32>(wav.constData() + 24);
    for (qsizetype at = 44; at + 1 < wav.size(); at += 2)
        all.values << qFromLittleEndian<qint16>(wav.constData() + at);
    return all;
}

} // namespace

class TestCountInTrack : public QObject {
    Q_OBJECT

private slots:
    void theVoiceIsBuiltIn()
    {
        const QList<countintrack::Samples> words = voice();
        QCOMPARE(words.size(), countin::Counts);
        for (const countintrack::Samples& word : words) {
            QCOMPARE(word.rate, words[0].rate);
            // Each word is a spoken word, starting at once (its leading
            // silence cut).
            QVERIFY(word.values.size() > word.rate / 10);
            QVERIFY(std::abs(int(word.values[0])) > 0);
        }
    }

    void countsStartOnTheirBeats_data()
    {
        QTest::addColumn<CountInSound>("sound");
        QTest::addColumn<double>("beat");
        QTest::newRow("clicks 120 bpm") << CountInSound::Clicks << 0.5;
        QTest::newRow("clicks at 0.75x") << CountInSound::Clicks << 0.5 / 0.75;
        QTest::newRow("voice 120 bpm") << CountInSound::Voice << 0.5;
        QTest::newRow("voice at 0.75x") << CountInSound::Voice << 0.5 / 0.75;
    }
    void countsStartOnTheirBeats()
    {
        QFETCH(CountInSound, sound);
        QFETCH(double, beat);
        const CountInPlan plan{beat};
        const QByteArray wav =
            sound == CountInSound::Voice ? countintrack::renderVoice(plan, voice()) : countintrack::renderClicks(plan);
        const countintrack::Samples track = samplesOf(wav);
        QVERIFY(track.rate > 0);
        // The track lasts past the loop's "1".
        QVERIFY(track.values.size() > (countintrack::LeadInSeconds + plan.lengthSeconds()) * track.rate);
        for (int i = 0; i < countin::Counts; ++i) {
            const qsizetype due = qRound64((countintrack::LeadInSeconds + plan.countAt(i)) * track.rate);
            // Quiet up to the count (the one before has died away), heard
            // from its first millisecond.
            for (qsizetype at = due - track.rate / 100; at < due; ++at)
                QCOMPARE(track.values[at], qint16(0));
            int loudest = 0;
            for (qsizetype at = due; at < due + track.rate / 1000; ++at)
                loudest = std::max(loudest, std::abs(int(track.values[at])));
            QVERIFY2(loudest > 100, qPrintable(QStringLiteral("count %1 is not heard on its beat").arg(i + 5)));
        }
    }

    void aFileThatIsNoWordGivesNothing_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("not RIFF") << QByteArray("RIFX0000WAVEfmt ");
        QTest::newRow("no data chunk") << countintrack::wavFile({}, 22050).left(36);
        QTest::newRow("silence") << countintrack::wavFile(QList<qint16>(100, 0), 22050);
        // A data chunk that claims more than the file holds is read as far
        // as it goes.
        QByteArray truncated = countintrack::wavFile(QList<qint16>(100, 0), 22050);
        QTest::newRow("truncated silence") << truncated.left(60);
    }
    void aFileThatIsNoWordGivesNothing()
    {
        QFETCH(QByteArray, file);
        QVERIFY(countintrack::readSpokenWord(file).values.isEmpty());
    }
};

QTEST_MAIN(TestCountInTrack)
#include "TestCountInTrack.moc"
