#include "core/base/ProgramFolders.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// Where the program reads its data and writes its settings and catalogs, run
// from its build folder and installed under a prefix.

namespace {

// Every file and folder below root, relative to it, sorted.
QStringList treeOf(const QString& root)
{
    QStringList entries;
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        entries.append(QDir(root).relativeFilePath(it.next()));
    entries.sort();
    return entries;
}

} // namespace

class TestProgramFolders : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_root;   // ends with "/"
    QString m_config; // the user's configuration folder
    QString m_data;   // the user's data folder

    void makeFolders(const QStringList& relative)
    {
        for (const QString& r : relative)
            QVERIFY(QDir().mkpath(m_root + r));
    }

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        m_root = m_dir.path() + QStringLiteral("/case-") + QTest::currentTestFunction() + u'/';
        if (QTest::currentDataTag())
            m_root += QString::fromLatin1(QTest::currentDataTag()).replace(u' ', u'_') + u'/';
        m_config = m_root + QStringLiteral("home/.config/Tempoloop/");
        m_data = m_root + QStringLiteral("home/.local/share/Tempoloop/");
    }

    void layoutIsToldByTheDataFolder_data()
    {
        QTest::addColumn<QStringList>("folders");
        QTest::addColumn<QString>("file"); // a file to make, if any
        QTest::addColumn<QString>("executable");
        QTest::addColumn<bool>("installed");
        QTest::addColumn<QString>("dataFolder");

        QTest::newRow("build folder") << QStringList{"build/bin/VideoClips", "build/bin/VideoCatalogs"} << QString()
                                      << "build/bin/" << false << "build/bin/";
        QTest::newRow("build folder with an unrelated share") << QStringList{"build/bin/VideoClips", "build/share/doc"}
                                                              << QString() << "build/bin/" << false << "build/bin/";
        QTest::newRow("installed") << QStringList{"usr/bin", "usr/share/tempoloop/VideoClips"} << QString()
                                   << "usr/bin/" << true << "usr/share/tempoloop/";
        QTest::newRow("installed, executable folder without slash")
            << QStringList{"opt/tl/bin", "opt/tl/share/tempoloop"} << QString() << "opt/tl/bin" << true
            << "opt/tl/share/tempoloop/";
        QTest::newRow("a folder other than bin beside share/tempoloop")
            << QStringList{"tmp/TestRun-1/VideoClips", "tmp/share/tempoloop"} << QString() << "tmp/TestRun-1/" << false
            << "tmp/TestRun-1/";
        QTest::newRow("share/tempoloop is a file, not a folder")
            << QStringList{"x/bin", "x/share"} << "x/share/tempoloop"
            << "x/bin/" << false << "x/bin/";
    }

    void layoutIsToldByTheDataFolder()
    {
        QFETCH(QStringList, folders);
        QFETCH(QString, file);
        QFETCH(QString, executable);
        QFETCH(bool, installed);
        QFETCH(QString, dataFolder);
        makeFolders(folders);
        if (!file.isEmpty()) {
            QFile made(m_root + file);
            QVERIFY(made.open(QIODevice::WriteOnly));
        }

        const ProgramFolders f = ProgramFolders::locate(m_root + executable, m_config, m_data);
        QCOMPARE(f.isInstalled(), installed);
        QCOMPARE(f.dataFolder(), m_root + dataFolder);
        QCOMPARE(f.defaultVideoDirectory(), m_root + dataFolder + "VideoClips");
    }

    // Run from its build folder, the program keeps everything in its own
    // folder, with the same defaults as ever.
    void buildFolderKeepsEverythingBesideTheProgram()
    {
        makeFolders({"build/bin/VideoClips", "build/bin/VideoCatalogs"});
        const QString bin = m_root + "build/bin/";
        const ProgramFolders f = ProgramFolders::locate(bin, m_config, m_data);

        QCOMPARE(f.settingsFolder(), bin);
        QCOMPARE(f.defaultCatalogDirectory(), bin + "VideoCatalogs");
        QCOMPARE(f.defaults(), Settings::defaults(bin));
        const ConfigFile config = f.configFile();
        QCOMPARE(config.writePath(), bin + "config.txt");
        QCOMPARE(config.userFilePath(), m_config + "config.txt");

        QVERIFY(f.makeUserFolders());
        QVERIFY(!QFileInfo::exists(m_root + "home"));
    }

    // Installed, the program reads from its data folder and writes only to
    // the user's folders, even into a prefix it could write to.
    void installedWritesOnlyToTheUsersFolders()
    {
        makeFolders({"prefix/bin", "prefix/share/tempoloop/VideoClips"});
        QFile clip(m_root + "prefix/share/tempoloop/VideoClips/demo.mp4");
        QVERIFY(clip.open(QIODevice::WriteOnly));
        clip.close();
        const QStringList installedTree = treeOf(m_root + "prefix");

        const ProgramFolders f = ProgramFolders::locate(m_root + "prefix/bin/", m_config, m_data);
        QVERIFY(f.isInstalled());
        QCOMPARE(f.settingsFolder(), m_config);
        QCOMPARE(f.defaultCatalogDirectory(), m_data + "VideoCatalogs");

        QVERIFY(f.makeUserFolders());
        QVERIFY(QFileInfo(m_data + "VideoCatalogs").isDir());

        const ConfigFile config = f.configFile();
        const Settings first = config.read();
        QCOMPARE(first.defaultVideoDirectory, m_root + "prefix/share/tempoloop/VideoClips");
        QCOMPARE(first.defaultCatalogDirectory, m_data + "VideoCatalogs");

        Settings changed = first;
        changed.backSecondsKey = QStringLiteral("q");
        QCOMPARE(config.write(changed), QString());
        QVERIFY(QFileInfo::exists(m_config + "config.txt"));
        QCOMPARE(f.configFile().read(), changed);
        QCOMPARE(config.resetToDefaults(), QString());
        QCOMPARE(f.configFile().read(), first);

        QCOMPARE(treeOf(m_root + "prefix"), installedTree);
    }

    // The executable's folder itself is not where an installed program looks
    // for config.txt: a stray one there (as a build would leave) is not read.
    void installedIgnoresAConfigBesideTheExecutable()
    {
        makeFolders({"prefix/bin", "prefix/share/tempoloop"});
        Settings stray = Settings::defaults(m_root + "prefix/bin/");
        stray.exitKey = QStringLiteral("x");
        QFile file(m_root + "prefix/bin/config.txt");
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(writeConfig(stray));
        file.close();

        const ProgramFolders f = ProgramFolders::locate(m_root + "prefix/bin/", m_config, m_data);
        QCOMPARE(f.configFile().read().exitKey, QStringLiteral("z"));
    }
};

QTEST_GUILESS_MAIN(TestProgramFolders)
#include "TestProgramFolders.moc"
