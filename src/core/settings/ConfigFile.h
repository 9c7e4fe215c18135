#pragma once

#include "core/settings/Extras.h"
#include "core/settings/Settings.h"

#include <QByteArray>
#include <QString>

// config.txt (and extras.txt): one "key value" line per setting, keys ending in a colon.
//
// Reading (readConfig):
//  - lines end with CR LF, LF or CR; a file of exactly one line is ignored;
//  - each line is split with SplitArguments(); only a line of exactly two
//    words counts, the first being a known key (colon included, letter case
//    counts) and the second its value; everything else is skipped;
//  - a key that occurs twice takes the later value;
//  - a value that does not fit its setting leaves the setting as it was:
//    numbers must be decimal, list positions inside their list, window states
//    0-2, the control panel arrangement 0-4, the line spacing style 1-2, and
//    a key exactly one character. Flags are on for "1" only, except
//    Quick_Start_Guide_Visible:, which is off for "0" only;
//  - a quoted text value is taken only when the quotes around it are the
//    only ones on the line: a text with a double quote inside cannot be
//    stored, and its line is passed over.
//
// Writing (writeConfig): every setting in the fixed order, "key value", the
// four column names and the two folders in double quotes, an empty line
// between groups, CR LF after every line, UTF-8.
Settings readConfig(const QByteArray& fileBytes, const Settings& defaults);
QByteArray writeConfig(const Settings& settings);

// extras.txt: the same syntax and the same rules over the rows of Extras,
// line by line: a line that is there and fits is used, a missing or bad line
// leaves its default, also when the file has only one line.
Extras readExtras(const QByteArray& fileBytes, const Extras& defaults = {});
QByteArray writeExtras(const Extras& extras);

// This run's changes over the settings as they are on the disk now: each
// setting `mine` holds as it was read (`base`) takes the value `onDisk`
// holds, so that what another program wrote to the file since stays.
template <class S> S mergedSettings(const S& base, const S& mine, const S& onDisk);

// Where a settings file lives. Normally in the program folder. When that
// cannot be written (the folder, or the file in it, is read-only), the file
// is read and written in a per-user folder instead; until a per-user file
// exists, the program folder's file is still read, so an installation's
// shipped settings carry over.
template <class S> class SettingsFile {
public:
    // programFolder ends with "/" (one is added if missing). An empty
    // userFolder means QStandardPaths::AppConfigLocation, so set the
    // application's (and organisation's) name before constructing.
    SettingsFile(const QString& name, const QString& programFolder, const QString& userFolder, const S& defaults);

    QString programFilePath() const;
    QString userFilePath() const;

    // True when the program folder's file cannot be written (checked anew on
    // each call).
    bool usesUserFolder() const;
    QString readPath() const;
    QString writePath() const;

    // The settings in force: the file's, over the defaults for this program
    // folder. A missing file gives the defaults. A file that exists but
    // cannot be read also gives the defaults, and *errorText (if given)
    // then names the file.
    S read(QString* errorText = nullptr) const { return readOver(m_defaults, errorText); }
    // The same over other defaults: what the file leaves out keeps them.
    S readOver(const S& defaults, QString* errorText = nullptr) const;

    // Replaces the file whole, atomically: on failure the old file is left
    // as it was. Returns an empty text on success, else a message that names
    // the file.
    QString write(const S& settings) const;
    // Writes only this run's changes: `base` is what was read at start,
    // `mine` what is in force now; the file is read again and the settings
    // this run did not change keep what it holds now (mergedSettings).
    QString writeChanges(const S& base, const S& mine) const;

    // Makes the next start run on the defaults: deletes the files that read()
    // would take. A read-only program folder's file cannot be deleted; a
    // per-user file of defaults is written over it instead. Returns an empty
    // text on success, else a message that names the file.
    QString resetToDefaults() const;

protected:
    QString m_name;
    QString m_programFolder;
    QString m_userFolder;
    S m_defaults;
};

extern template class SettingsFile<Settings>;
extern template class SettingsFile<Extras>;

// config.txt
class ConfigFile : public SettingsFile<Settings> {
public:
    // The defaults are those of this program folder.
    explicit ConfigFile(const QString& programFolder, const QString& userFolder = {});
    // The same with the defaults given whole, for folders that lie elsewhere.
    ConfigFile(const QString& programFolder, const QString& userFolder, const Settings& defaults);

    static QString fileName() { return QStringLiteral("config.txt"); }
};

// extras.txt, beside config.txt and moved to the per-user folder by the
// same rule.
class ExtrasFile : public SettingsFile<Extras> {
public:
    explicit ExtrasFile(const QString& programFolder, const QString& userFolder = {});

    static QString fileName() { return QStringLiteral("extras.txt"); }
};
