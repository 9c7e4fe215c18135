#include "core/base/ProgramFolders.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

// The install rules set these from their bin and data folders.
#ifndef TEMPOLOOP_DATA_FROM_BIN
#define TEMPOLOOP_DATA_FROM_BIN "../share/tempoloop"
#endif
#ifndef TEMPOLOOP_BIN_FROM_DATA
#define TEMPOLOOP_BIN_FROM_DATA "../../bin"
#endif

namespace {

QString asFolder(const QString& path)
{
    return path.endsWith(u'/') ? path : path + u'/';
}

QString orStandard(const QString& folder, QStandardPaths::StandardLocation location)
{
    return asFolder(folder.isEmpty() ? QStandardPaths::writableLocation(location) : folder);
}

} // namespace

QString ProgramFolders::installedDataPath()
{
    return QStringLiteral(TEMPOLOOP_DATA_FROM_BIN);
}

ProgramFolders ProgramFolders::locate(const QString& executableFolder, const QString& userConfigFolder,
                                      const QString& userDataFolder)
{
    ProgramFolders f;
    f.m_executableFolder = asFolder(executableFolder);
    const QString installedData = QDir::cleanPath(f.m_executableFolder + installedDataPath());
    // The way back must lead to the executable folder too: a program in
    // /tmp/x is not installed because some /tmp/share/tempoloop exists.
    const QString back = QDir::cleanPath(installedData + QStringLiteral("/" TEMPOLOOP_BIN_FROM_DATA));
    f.m_installed = QFileInfo(installedData).isDir() && back == QDir::cleanPath(f.m_executableFolder);
    f.m_dataFolder = f.m_installed ? asFolder(installedData) : f.m_executableFolder;
    f.m_userConfigFolder = orStandard(userConfigFolder, QStandardPaths::AppConfigLocation);
    // The per-user data folder is looked up only where it is used.
    if (f.m_installed)
        f.m_userDataFolder = orStandard(userDataFolder, QStandardPaths::AppDataLocation);
    return f;
}

QString ProgramFolders::settingsFolder() const
{
    return m_installed ? m_userConfigFolder : m_executableFolder;
}

QString ProgramFolders::defaultVideoDirectory() const
{
    return m_dataFolder + QStringLiteral("VideoClips");
}

QString ProgramFolders::defaultCatalogDirectory() const
{
    return (m_installed ? m_userDataFolder : m_executableFolder) + QStringLiteral("VideoCatalogs");
}

Settings ProgramFolders::defaults() const
{
    Settings s = Settings::defaults(m_executableFolder);
    s.defaultVideoDirectory = defaultVideoDirectory();
    s.defaultCatalogDirectory = defaultCatalogDirectory();
    return s;
}

ConfigFile ProgramFolders::configFile() const
{
    return ConfigFile(settingsFolder(), m_userConfigFolder, defaults());
}

ExtrasFile ProgramFolders::extrasFile() const
{
    return ExtrasFile(settingsFolder(), m_userConfigFolder);
}

bool ProgramFolders::makeUserFolders() const
{
    return !m_installed || QDir().mkpath(defaultCatalogDirectory());
}
