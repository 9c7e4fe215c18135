#pragma once

#include "core/settings/ConfigFile.h"
#include "core/settings/Settings.h"

#include <QString>

// Where the program's folders are: the data folder it reads its documents
// and bundled clips from, and the folders it writes config.txt and new
// catalogs to. Two layouts:
//
//  - Run from the folder it was built in (build/bin): everything lies in the
//    program's own folder: the documents, config.txt, VideoClips and
//    VideoCatalogs. config.txt moves to the per-user configuration folder
//    only when the program folder cannot be written (see ConfigFile).
//
//  - Installed: the executable in PREFIX/bin beside a data folder
//    PREFIX/share/tempoloop. The documents and VideoClips (the demo clip) are
//    read from the data folder; config.txt lives in the per-user
//    configuration folder and new catalogs go to VideoCatalogs in the
//    per-user data folder. Nothing is written into the install prefix, even
//    one the user may write to.
//
// The layout is told by the data folder: a program whose executable folder
// is the bin folder beside installedDataPath() is installed.
class ProgramFolders {
public:
    // executableFolder: the running program's folder. Empty user folders
    // mean the platform's: QStandardPaths::AppConfigLocation and
    // AppDataLocation, so set the application's name first.
    static ProgramFolders locate(const QString& executableFolder, const QString& userConfigFolder = {},
                                 const QString& userDataFolder = {});

    // The data folder seen from the executable folder, as installed.
    static QString installedDataPath();

    bool isInstalled() const { return m_installed; }

    // All folders end with "/".
    QString executableFolder() const { return m_executableFolder; }
    // Read only: the documents and VideoClips.
    QString dataFolder() const { return m_dataFolder; }
    // Where config.txt is kept first.
    QString settingsFolder() const;
    // Where config.txt goes when settingsFolder() cannot be written.
    QString userConfigFolder() const { return m_userConfigFolder; }

    // The default clip and catalog folders, without a final "/".
    QString defaultVideoDirectory() const;
    QString defaultCatalogDirectory() const;

    // The settings in force when config.txt says nothing.
    Settings defaults() const;
    ConfigFile configFile() const;
    // extras.txt, beside config.txt.
    ExtrasFile extrasFile() const;

    // An installed program's catalog folder is the user's own, which nobody
    // else makes: creates it if it is missing. The build makes the program
    // folder's. False when the folder is needed but cannot be made.
    bool makeUserFolders() const;

private:
    QString m_executableFolder;
    QString m_dataFolder;
    QString m_userConfigFolder;
    QString m_userDataFolder;
    bool m_installed = false;
};
