#include "WithoutRootRights.h"
#include "core/settings/ConfigFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_LINUX
#include <csignal>
#include <sys/resource.h>
#endif

// Where config.txt is read and written, and what a failed save leaves.
//
// Read-only folders are made with chmod. Root writes through any permission,
// so when the tests run as root they drop to the "nobody" user while the code
// under test runs.

namespace {

const QFileDevice::Permissions kReadOnlyDir = QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadGroup |
                                              QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::ExeOther;
const QFileDevice::Permissions kOpenDir =
    kReadOnlyDir | QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
const QFileDevice::Permissions kReadOnlyFile = QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
const QFileDevice::Permissions kOpenFile =
    kReadOnlyFile | QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;

const QByteArray kShippedFile = "Beginner_Mode: 0\r\nBack_Seconds_Value: 5\r\n";

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

bool put(const QString& path, const QByteArray& bytes, QFileDevice::Permissions permissions)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return false;
    file.close();
    return file.setPermissions(permissions);
}

// A temporary folder with "program/" and "user/" inside, open to everyone
// until a test narrows it.
struct Folders {
    QTemporaryDir root;
    QString program;
    QString user;

    Folders()
    {
        program = root.path() + "/program/";
        user = root.path() + "/user/";
        QDir().mkpath(program);
        QFile::setPermissions(root.path(), kOpenDir);
        QFile::setPermissions(program, kOpenDir);
    }
    ~Folders()
    {
        // Let the temporary folder be removed again.
        QFile::setPermissions(program, kOpenDir);
        QFile::setPermissions(user, kOpenDir);
    }
};

Settings changedSettings()
{
    Settings s;
    s.beginnerMode = false;
    s.mainFormLeft = 321;
    s.defaultVideoDirectory = "/home/dancer/Dance Clips";
    return s;
}

} // namespace

class TestConfigFileLocation : public QObject {
    Q_OBJECT

private slots:
    void missingFileGivesDefaultsWithoutMessage()
    {
        Folders f;
        const ConfigFile config(f.program, f.user);
        QString error;
        QCOMPARE(config.read(&error), Settings::defaults(f.program));
        QCOMPARE(error, QString());
    }

    void writesIntoTheProgramFolder()
    {
        Folders f;
        const ConfigFile config(f.program, f.user);
        QVERIFY(!config.usesUserFolder());
        QCOMPARE(config.write(changedSettings()), QString());
        QCOMPARE(contents(f.program + "config.txt"), writeConfig(changedSettings()));
        QVERIFY(!QFileInfo::exists(f.user)); // nothing made in the per-user folder
        QCOMPARE(config.read(), changedSettings());
    }

    void programFolderWithoutSlashIsStillAFolder()
    {
        Folders f;
        QVERIFY(put(f.program + "config.txt", kShippedFile, kOpenFile));
        const ConfigFile config(f.root.path() + "/program", f.user);
        QCOMPARE(config.programFilePath(), f.program + "config.txt");
        QCOMPARE(config.read().backSecondsValue, 5);
        QCOMPARE(config.read().defaultVideoDirectory, f.program + "VideoClips");
    }

    void readOnlyProgramFolderFallsBackToTheUserFolder()
    {
        Folders f;
        QVERIFY(put(f.program + "config.txt", kShippedFile, kOpenFile));
        QVERIFY(QFile::setPermissions(f.program, kReadOnlyDir));
        WithoutRootRights unprivileged;
        if (!unprivileged.ok())
            QSKIP("cannot give up root's rights here");

        const ConfigFile config(f.program, f.user);
        QVERIFY(config.usesUserFolder());
        // No per-user file yet: the shipped file is read.
        QCOMPARE(config.readPath(), f.program + "config.txt");
        QCOMPARE(config.read().backSecondsValue, 5);

        QCOMPARE(config.write(changedSettings()), QString());
        QCOMPARE(contents(f.user + "config.txt"), writeConfig(changedSettings()));
        QCOMPARE(contents(f.program + "config.txt"), kShippedFile);
        // From now on the per-user file counts.
        QCOMPARE(config.readPath(), f.user + "config.txt");
        QCOMPARE(config.read(), changedSettings());
    }

    void readOnlyFileFallsBackToTheUserFolder()
    {
        Folders f;
        QVERIFY(put(f.program + "config.txt", kShippedFile, kReadOnlyFile));
        WithoutRootRights unprivileged;
        if (!unprivileged.ok())
            QSKIP("cannot give up root's rights here");

        const ConfigFile config(f.program, f.user);
        QVERIFY(config.usesUserFolder());
        QCOMPARE(config.write(changedSettings()), QString());
        QCOMPARE(contents(f.program + "config.txt"), kShippedFile);
        QCOMPARE(config.read(), changedSettings());
    }

    void missingProgramFolderFallsBackToTheUserFolder()
    {
        Folders f;
        const ConfigFile config(f.root.path() + "/not there/", f.user + "deeper/");
        QVERIFY(config.usesUserFolder());
        QCOMPARE(config.read(), Settings::defaults(f.root.path() + "/not there/"));
        QCOMPARE(config.write(changedSettings()), QString());
        QCOMPARE(contents(f.user + "deeper/config.txt"), writeConfig(changedSettings()));
    }

    void failedWriteNamesThePath()
    {
        Folders f;
        // The per-user folder would have to be made inside a plain file.
        QVERIFY(put(f.root.path() + "/plain", "x", kOpenFile));
        const QString userFolder = f.root.path() + "/plain/tempoloop/";
        const ConfigFile config(f.root.path() + "/not there/", userFolder);
        const QString error = config.write(changedSettings());
        QVERIFY2(error.contains(userFolder + "config.txt"), qPrintable(error));
    }

    void failedWriteInReadOnlyUserFolderKeepsTheOldFile()
    {
        Folders f;
        QDir().mkpath(f.user);
        QVERIFY(put(f.program + "config.txt", kShippedFile, kOpenFile));
        QVERIFY(put(f.user + "config.txt", writeConfig(changedSettings()), kOpenFile));
        QVERIFY(QFile::setPermissions(f.program, kReadOnlyDir));
        QVERIFY(QFile::setPermissions(f.user, kReadOnlyDir));
        WithoutRootRights unprivileged;
        if (!unprivileged.ok())
            QSKIP("cannot give up root's rights here");

        const ConfigFile config(f.program, f.user);
        Settings other = changedSettings();
        other.mainFormTop = 999;
        const QString error = config.write(other);
        QVERIFY2(error.contains(f.user + "config.txt"), qPrintable(error));
        QCOMPARE(contents(f.user + "config.txt"), writeConfig(changedSettings()));
        QCOMPARE(QDir(f.user).entryList(QDir::Files), QStringList{"config.txt"});
    }

#ifdef Q_OS_LINUX
    void writeCutShortLeavesTheOldFileWhole()
    {
        // A file size limit makes the write itself fail half way, after the
        // file was opened: only a save through a temporary file survives it.
        Folders f;
        const QByteArray old = writeConfig(changedSettings());
        QVERIFY(put(f.program + "config.txt", old, kOpenFile));
        const ConfigFile config(f.program, f.user);

        rlimit saved{};
        QVERIFY(getrlimit(RLIMIT_FSIZE, &saved) == 0);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = saved;
        small.rlim_cur = 100;
        QVERIFY(setrlimit(RLIMIT_FSIZE, &small) == 0);
        const QString error = config.write(Settings::defaults(f.program));
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, oldHandler);

        QVERIFY2(error.contains(f.program + "config.txt"), qPrintable(error));
        QCOMPARE(contents(f.program + "config.txt"), old);
        QCOMPARE(QDir(f.program).entryList(QDir::Files), QStringList{"config.txt"});
    }
#endif

    void resetInWritableProgramFolderDeletesTheFile()
    {
        Folders f;
        QVERIFY(put(f.program + "config.txt", kShippedFile, kOpenFile));
        const ConfigFile config(f.program, f.user);
        QCOMPARE(config.resetToDefaults(), QString());
        QVERIFY(!QFileInfo::exists(f.program + "config.txt"));
        QCOMPARE(config.read(), Settings::defaults(f.program));
    }

    void resetWithReadOnlyProgramFolderHidesTheShippedFile()
    {
        Folders f;
        QVERIFY(put(f.program + "config.txt", kShippedFile, kOpenFile));
        QVERIFY(QFile::setPermissions(f.program, kReadOnlyDir));
        WithoutRootRights unprivileged;
        if (!unprivileged.ok())
            QSKIP("cannot give up root's rights here");

        const ConfigFile config(f.program, f.user);
        QCOMPARE(config.read().backSecondsValue, 5);
        QCOMPARE(config.resetToDefaults(), QString());
        QCOMPARE(config.read(), Settings::defaults(f.program));
        QCOMPARE(contents(f.program + "config.txt"), kShippedFile);
    }
};

QTEST_APPLESS_MAIN(TestConfigFileLocation)
#include "TestConfigFileLocation.moc"
