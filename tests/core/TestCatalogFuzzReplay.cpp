#include "../fuzz/CatalogFuzzTargets.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <cstdint>

// Replays the catalog readers' fuzz targets over the broken-file corpus and
// some thirty thousand variants of it made by a fixed pseudo-random sequence:
// bytes flipped, cut, inserted, lines doubled and dropped, and the formats'
// own marks (quotes, separators, line breaks, block markers) put in. Every
// read must end without breaking a target's rules. The same seed gives the
// same variants on every run.

namespace {

class Random {
public:
    explicit Random(std::uint64_t seed) : m_state(seed) {}
    std::uint64_t next()
    {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 7;
        m_state ^= m_state << 17;
        return m_state;
    }
    qsizetype below(qsizetype n) { return n > 0 ? qsizetype(next() % std::uint64_t(n)) : 0; }

private:
    std::uint64_t m_state;
};

const QList<QByteArray>& tokens()
{
    static const QList<QByteArray> list{"\"",
                                        "\"\"",
                                        "\"\"\"",
                                        ",",
                                        ";",
                                        "\r\n",
                                        "\n",
                                        "\r",
                                        " ",
                                        "   ",
                                        "\t",
                                        "x,x",
                                        "x",
                                        "10",
                                        "",
                                        "\xef\xbb\xbf",
                                        "\xe9",
                                        "\xc3\xa9",
                                        "\xff",
                                        "--------------------@B@",
                                        "----- HEADER INFO -----",
                                        "----- END OF HEADER INFO -----",
                                        "0:01:05",
                                        " 00:01:05",
                                        "\"\"\"a b.mpg\"\"\"",
                                        "00:01:05   00:01:29   \"a\"   \"/b/\""};
    return list;
}

QByteArray mutate(QByteArray bytes, Random& random)
{
    const int steps = 1 + int(random.below(4));
    for (int s = 0; s < steps; ++s) {
        const qsizetype at = random.below(bytes.size() + 1);
        switch (random.below(6)) {
        case 0: // flip a byte
            if (!bytes.isEmpty())
                bytes[random.below(bytes.size())] = char(random.next());
            break;
        case 1: // cut the end off
            bytes.truncate(at);
            break;
        case 2: // drop a stretch
            bytes.remove(at, random.below(40));
            break;
        case 3: // put in a mark of the formats
            bytes.insert(at, tokens()[random.below(tokens().size())]);
            break;
        case 4: // put in random bytes
            for (qsizetype n = random.below(8); n > 0; --n)
                bytes.insert(at, char(random.next()));
            break;
        case 5: { // double a stretch
            const QByteArray piece = bytes.mid(at, random.below(60));
            bytes.insert(random.below(bytes.size() + 1), piece);
            break;
        }
        }
    }
    return bytes;
}

QList<QByteArray> seeds()
{
    QList<QByteArray> list;
    const QDir dir(QStringLiteral(TEMPOLOOP_TEST_DATA "/catalogs"));
    for (const QString& name : dir.entryList(QDir::Files, QDir::Name)) {
        QFile f(dir.filePath(name));
        if (f.open(QIODevice::ReadOnly))
            list.append(f.readAll());
    }
    return list;
}

} // namespace

class TestCatalogFuzzReplay : public QObject {
    Q_OBJECT

private slots:
    void replay_data();
    void replay();
};

void TestCatalogFuzzReplay::replay_data()
{
    QTest::addColumn<bool>("native");
    QTest::addColumn<QChar>("separator");
    QTest::newRow("tvc") << true << QChar();
    QTest::newRow("csv") << false << QChar(u',');
    QTest::newRow("csv, semicolon") << false << QChar(u';');
}

void TestCatalogFuzzReplay::replay()
{
    QFETCH(bool, native);
    QFETCH(QChar, separator);
    const QList<QByteArray> corpus = seeds();
    QVERIFY(corpus.size() >= 20);

    const auto run = [&](const QByteArray& bytes) {
        if (native)
            CatalogFuzz::nativeReader(bytes);
        else
            CatalogFuzz::spreadsheetReader(bytes, separator);
    };
    for (const QByteArray& seed : corpus)
        run(seed);
    Random random(0x7E3A0C41D5ULL);
    int variants = 0;
    for (int round = 0; round < 700; ++round)
        for (const QByteArray& seed : corpus) {
            run(mutate(seed, random));
            ++variants;
        }
    QVERIFY(variants >= 25000);
}

QTEST_GUILESS_MAIN(TestCatalogFuzzReplay)
#include "TestCatalogFuzzReplay.moc"
