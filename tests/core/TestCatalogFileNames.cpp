#include "core/catalog/CatalogFileNames.h"

#include <QTest>

// The file a catalog is saved to for the name chosen in the save dialog.
class TestCatalogFileNames : public QObject {
    Q_OBJECT

private slots:
    void saveName_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("saved");
        QTest::newRow("native") << "/c/moves.tvc"
                                << "/c/moves.tvc";
        QTest::newRow("spreadsheet") << "/c/moves.csv"
                                     << "/c/moves.csv";
        QTest::newRow("no extension") << "/c/moves"
                                      << "/c/moves.tvc";
        QTest::newRow("a date in the name") << "/c/Class 12.03"
                                            << "/c/Class 12.03.tvc";
        QTest::newRow("another extension") << "/c/moves.txt"
                                           << "/c/moves.txt.tvc";
        QTest::newRow("ends in a dot") << "/c/moves."
                                       << "/c/moves.tvc";
        QTest::newRow("a dot in the folder only") << "/c/v1.2/moves"
                                                  << "/c/v1.2/moves.tvc";
        // The format is known in any letter case: the name stays.
        QTest::newRow("native in capitals") << "/c/moves.TVC"
                                            << "/c/moves.TVC";
        QTest::newRow("spreadsheet in mixed letters") << "/c/moves.Csv"
                                                      << "/c/moves.Csv";
        QTest::newRow("extension as a hidden name") << "/c/.TVC"
                                                    << "/c/.TVC.tvc";
        QTest::newRow("nothing chosen") << ""
                                        << "";
    }
    void saveName()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, saved);
        QCOMPARE(catalogSaveFileName(chosen), saved);
    }
};

QTEST_APPLESS_MAIN(TestCatalogFileNames)
#include "TestCatalogFileNames.moc"
