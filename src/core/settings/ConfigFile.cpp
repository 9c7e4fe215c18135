#include "core/settings/ConfigFile.h"

#include "core/base/SplitArguments.h"
#include "core/base/TextCodec.h"
#include "core/base/TextFile.h"
#include "core/settings/ExtrasTable.h"
#include "core/settings/SettingsTable.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QStandardPaths>

namespace {

using settings::Kind;
template <class S> using Entry = settings::RowOf<S>;

template <class S> const QHash<QString, const Entry<S>*>& entriesByKey()
{
    static const QHash<QString, const Entry<S>*> byKey = [] {
        QHash<QString, const Entry<S>*> h;
        for (const Entry<S>& e : settings::tableOf<S>())
            h.insert(e.keyText(), &e);
        return h;
    }();
    return byKey;
}

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

QStringView trimBlanks(QStringView s)
{
    while (!s.isEmpty() && isBlank(s.front()))
        s = s.sliced(1);
    while (!s.isEmpty() && isBlank(s.back()))
        s.chop(1);
    return s;
}

// A text value counts only when the line holds nothing after the key but the
// value, bare or in one pair of quotes. A text with a double quote of its own
// can split into two words by accident ("Cat"egory" gives Cat); such a line
// is passed over, so the setting keeps its value.
bool isWholeTextValue(const QString& line, const QString& value)
{
    QStringView rest = trimBlanks(line);
    if (rest.startsWith(u'"')) {
        const qsizetype close = rest.indexOf(u'"', 1);
        if (close < 0)
            return false;
        rest = rest.sliced(close + 1);
    } else {
        qsizetype end = 0;
        while (end < rest.size() && !isBlank(rest[end]) && rest[end] != u'"')
            ++end;
        rest = rest.sliced(end);
    }
    rest = trimBlanks(rest);
    if (rest == value)
        return !value.contains(u'"');
    return rest.size() == value.size() + 2 && rest.front() == u'"' && rest.back() == u'"' &&
           rest.sliced(1, value.size()) == value;
}

// A key box holds exactly one character (a surrogate pair counts as one).
bool isSingleCharacter(const QString& value)
{
    return value.size() == 1 || (value.size() == 2 && value[0].isHighSurrogate() && value[1].isLowSurrogate());
}

template <class S> void apply(const Entry<S>& e, const QString& value, const QString& line, S& s)
{
    switch (e.kind) {
    case Kind::Flag:
        s.*std::get<bool S::*>(e.member) = (value == u"1");
        return;
    case Kind::OnUnlessZero:
        s.*std::get<bool S::*>(e.member) = (value != u"0");
        return;
    case Kind::Index:
    case Kind::Integer: {
        bool ok = false;
        const int n = value.toInt(&ok, 10);
        if (!ok)
            return;
        const int min = e.kind == Kind::Index ? 0 : e.min;
        const int max = e.kind == Kind::Index ? int(e.choices().size()) - 1 : e.max;
        if (n >= min && n <= max)
            s.*std::get<int S::*>(e.member) = n;
        return;
    }
    case Kind::Key:
        if (isSingleCharacter(value))
            s.*std::get<QString S::*>(e.member) = value;
        return;
    case Kind::Text:
        if (isWholeTextValue(line, value))
            s.*std::get<QString S::*>(e.member) = value;
        return;
    }
}

// Line breaks inside a value would tear its line in two; they are written as
// blanks.
QString oneLine(QString value)
{
    value.replace(u'\r', u' ');
    value.replace(u'\n', u' ');
    return value;
}

template <class S> QString valueText(const Entry<S>& e, const S& s)
{
    switch (e.kind) {
    case Kind::Flag:
    case Kind::OnUnlessZero:
        return (s.*std::get<bool S::*>(e.member)) ? QStringLiteral("1") : QStringLiteral("0");
    case Kind::Index:
    case Kind::Integer:
        return QString::number(s.*std::get<int S::*>(e.member));
    case Kind::Key:
        return oneLine(s.*std::get<QString S::*>(e.member));
    case Kind::Text:
        return u'"' + oneLine(s.*std::get<QString S::*>(e.member)) + u'"';
    }
    return {};
}

// config.txt ignores a file of exactly one line. extras.txt does not: a
// hand-made one may hold just the line someone changed.
template <class S> constexpr bool ignoresOneLineFile = true;
template <> constexpr bool ignoresOneLineFile<Extras> = false;

template <class S> S readSettingsText(const QByteArray& fileBytes, const S& defaults)
{
    S s = defaults;
    const QStringList lines = splitLines(decodeText(fileBytes));
    if (ignoresOneLineFile<S> && lines.size() == 1)
        return s;
    const auto& byKey = entriesByKey<S>();
    for (const QString& line : lines) {
        if (line.trimmed().isEmpty())
            continue;
        const QStringList words = SplitArguments(line);
        if (words.size() != 2)
            continue;
        const auto it = byKey.constFind(words[0]);
        if (it != byKey.constEnd())
            apply(**it, words[1], line, s);
    }
    return s;
}

template <class S> QByteArray writeSettingsText(const S& settings)
{
    QString text;
    for (const Entry<S>& e : settings::tableOf<S>()) {
        if (e.gapBefore)
            text += QStringLiteral("\r\n");
        text += e.keyText() + u' ' + valueText(e, settings) + QStringLiteral("\r\n");
    }
    return encodeText(text);
}

} // namespace

template <class S> S mergedSettings(const S& base, const S& mine, const S& onDisk)
{
    S merged = onDisk;
    for (const Entry<S>& e : settings::tableOf<S>())
        std::visit(
            [&](auto member) {
                if (!(mine.*member == base.*member))
                    merged.*member = mine.*member;
            },
            e.member);
    return merged;
}

template Settings mergedSettings(const Settings&, const Settings&, const Settings&);
template Extras mergedSettings(const Extras&, const Extras&, const Extras&);

Settings readConfig(const QByteArray& fileBytes, const Settings& defaults)
{
    return readSettingsText(fileBytes, defaults);
}

QByteArray writeConfig(const Settings& settings)
{
    return writeSettingsText(settings);
}

Extras readExtras(const QByteArray& fileBytes, const Extras& defaults)
{
    return readSettingsText(fileBytes, defaults);
}

QByteArray writeExtras(const Extras& extras)
{
    return writeSettingsText(extras);
}

template <class S>
SettingsFile<S>::SettingsFile(const QString& name, const QString& programFolder, const QString& userFolder,
                              const S& defaults)
    : m_name(name), m_programFolder(programFolder),
      m_userFolder(userFolder.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)
                                        : userFolder),
      m_defaults(defaults)
{
    if (!m_programFolder.endsWith(u'/'))
        m_programFolder += u'/';
    if (!m_userFolder.endsWith(u'/'))
        m_userFolder += u'/';
}

ConfigFile::ConfigFile(const QString& programFolder, const QString& userFolder)
    : SettingsFile(fileName(), programFolder, userFolder, {})
{
    m_defaults = Settings::defaults(m_programFolder);
}

ConfigFile::ConfigFile(const QString& programFolder, const QString& userFolder, const Settings& defaults)
    : SettingsFile(fileName(), programFolder, userFolder, defaults)
{
}

ExtrasFile::ExtrasFile(const QString& programFolder, const QString& userFolder)
    : SettingsFile(fileName(), programFolder, userFolder, {})
{
}
template <class S> QString SettingsFile<S>::programFilePath() const
{
    return m_programFolder + m_name;
}

template <class S> QString SettingsFile<S>::userFilePath() const
{
    return m_userFolder + m_name;
}

template <class S> bool SettingsFile<S>::usesUserFolder() const
{
    const QFileInfo folder(m_programFolder);
    if (!folder.isDir() || !folder.isWritable())
        return true;
    const QFileInfo file(programFilePath());
    return file.exists() && (!file.isFile() || !file.isWritable());
}

template <class S> QString SettingsFile<S>::readPath() const
{
    if (!usesUserFolder())
        return programFilePath();
    return QFileInfo::exists(userFilePath()) ? userFilePath() : programFilePath();
}

template <class S> QString SettingsFile<S>::writePath() const
{
    return usesUserFolder() ? userFilePath() : programFilePath();
}

template <class S> S SettingsFile<S>::readOver(const S& defaults, QString* errorText) const
{
    const QString path = readPath();
    if (!QFileInfo::exists(path))
        return defaults;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (errorText)
            *errorText = QStringLiteral("The settings could not be read from \"%1\": %2")
                             .arg(QDir::toNativeSeparators(path), file.errorString());
        return defaults;
    }
    return readSettingsText(file.readAll(), defaults);
}

template <class S> QString SettingsFile<S>::write(const S& settings) const
{
    const QString path = writePath();
    const auto failure = [&path](const QString& reason) {
        return QStringLiteral("The settings could not be saved to \"%1\": %2")
            .arg(QDir::toNativeSeparators(path), reason);
    };
    if (path == userFilePath() && !QDir().mkpath(m_userFolder))
        return failure(QStringLiteral("the folder cannot be created."));
    QString reason;
    if (!saveFileAtomically(path, writeSettingsText(settings), &reason))
        return failure(reason);
    return {};
}

template <class S> QString SettingsFile<S>::writeChanges(const S& base, const S& mine) const
{
    // A file that cannot be read now gives base: all of mine is written.
    return write(mergedSettings(base, mine, readOver(base)));
}

template <class S> QString SettingsFile<S>::resetToDefaults() const
{
    const auto removeFile = [](const QString& path) -> QString {
        QFile file(path);
        if (!file.exists() || file.remove())
            return {};
        return QStringLiteral("The settings file \"%1\" could not be deleted: %2")
            .arg(QDir::toNativeSeparators(path), file.errorString());
    };
    if (usesUserFolder()) {
        // The program folder's file stays; a per-user file of defaults hides it.
        if (QFileInfo::exists(programFilePath()))
            return write(m_defaults);
        return removeFile(userFilePath());
    }
    QString error = removeFile(programFilePath());
    if (error.isEmpty())
        error = removeFile(userFilePath());
    return error;
}

template class SettingsFile<Settings>;
template class SettingsFile<Extras>;
