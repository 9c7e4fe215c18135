// The keyboard's tables: every box and every command has its row, and what
// the box rows say of settings agrees with the settings file.
#include "core/input/KeyCommandTable.h"
#include "core/input/KeyTexts.h"
#include "core/settings/ConfigFile.h"
#include "core/settings/Settings.h"

#include <QSet>
#include <QTest>

using namespace keys;

class TestKeyCommandTable : public QObject {
    Q_OBJECT

private slots:
    void boxRowsStandInTheDuplicateCheckOrder()
    {
        for (int i = 0; i < KeyBoxCount; ++i)
            QCOMPARE(static_cast<int>(keyBoxRows[i].box), i);
        QCOMPARE(roleName(KeyBox::forwardseconds), QStringLiteral("Player Controls: forward seconds key"));
        QCOMPARE(roleName(KeyBox::nextBookmark), QStringLiteral("Options Form: play next bookmark key"));
    }

    // Every command a key can start has a row, and every box drives one.
    void everyCommandAndBoxHasARow()
    {
        QSet<int> commands;
        QSet<int> boxes;
        for (const CommandRow& row : commandRows) {
            commands.insert(static_cast<int>(row.command));
            if (row.box != KeyBox::None)
                boxes.insert(static_cast<int>(row.box));
            QCOMPARE(row.box == KeyBox::None, row.match == Match::Blank || row.match == Match::FixedKey);
        }
        QCOMPARE(commands.size(), CommandCount);
        QCOMPARE(boxes.size(), KeyBoxCount);
    }

    // The settings files store each box under the row's key, with the row's
    // default.
    void settingsKeysAndDefaultsAgreeWithTheSettingsFile()
    {
        const QList<QByteArray> lines = writeConfig(Settings{}).split('\n') + writeExtras(Extras{}).split('\n');
        for (const KeyBoxRow& row : keyBoxRows) {
            const QByteArray line = QByteArray(row.settingsKey) + ' ' + row.defaultKey + '\r';
            QVERIFY2(lines.contains(line), row.settingsKey);
        }
    }

    // A new key box's default yields to a key the user gave another command.
    void freeKeys_data()
    {
        QTest::addColumn<QString>("preferred");
        QTest::addColumn<QStringList>("taken");
        QTest::addColumn<QString>("key");
        QTest::newRow("free") << "b" << QStringList{"a", "x"} << "b";
        QTest::newRow("taken: first spare") << "b" << QStringList{"b"} << "x";
        QTest::newRow("taken: next free spare") << "x" << QStringList{"b", "x", "v"} << "n";
        QTest::newRow("capitals are other keys") << "b" << QStringList{"B"} << "b";
        const QString spare = QStringLiteral("bxvnwepq,./;'[]-=\\1234567`890yukmjhgtrdfcszaoli");
        QStringList all;
        for (QChar c : spare)
            all << QString(c);
        QTest::newRow("all taken: the default, for the duplicate check") << "b" << all << "b";
    }
    void freeKeys()
    {
        QFETCH(QString, preferred);
        QFETCH(QStringList, taken);
        QFETCH(QString, key);
        QCOMPARE(freeKey(preferred, taken), key);
    }

    // Key-code rows come before the typed rows, so a consumed key types
    // nothing; Alt+F4 in the main window is the one that consumes.
    void keyCodeRowsComeFirst()
    {
        bool typedSeen = false;
        for (const CommandRow& row : commandRows) {
            if (isTypedRow(row))
                typedSeen = true;
            else
                QVERIFY(!typedSeen);
        }
        const KeyTexts defaults = [] {
            KeyTexts t;
            for (const KeyBoxRow& row : keyBoxRows)
                t[static_cast<int>(row.box)] = QString::fromLatin1(row.defaultKey);
            return t;
        }();
        const KeyStroke altF4{Qt::Key_F4, Qt::AltModifier, std::nullopt, true};
        int consuming = 0;
        for (const CommandRow& row : commandRows)
            consuming += rowMatches(row, defaults, false, altF4) && rowConsumes(row);
        QCOMPARE(consuming, 1);
    }
};

QTEST_MAIN(TestKeyCommandTable)
#include "TestKeyCommandTable.moc"
