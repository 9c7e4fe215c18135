#include "app/ConfigFile.h"

#include "app/SplitArguments.h"
#include "app/TextCodec.h"
#include "app/TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QStandardPaths>

#include <climits>
#include <variant>
#include <vector>

namespace {

enum class Kind {
    Flag,         // "1" on, anything else off
    OnUnlessZero, // "0" off, anything else on
    Index,        // position in a drop-down list
    Integer,      // decimal whole number within [min, max]
    Key,          // one character
    Text,         // any text, written quoted
};

using Member = std::variant<bool Settings::*, int Settings::*, QString Settings::*>;
using Choices = const QStringList& (*)();

struct Entry {
    const char* key = nullptr; // nullptr: the empty line between two groups
    Kind kind = Kind::Flag;
    Member member{};
    Choices choices = nullptr;
    int min = INT_MIN;
    int max = INT_MAX;
};

Entry flag(const char* key, bool Settings::*m)
{
    return {key, Kind::Flag, m};
}
Entry index(const char* key, int Settings::*m, Choices c)
{
    return {key, Kind::Index, m, c};
}
Entry integer(const char* key, int Settings::*m, int min = INT_MIN, int max = INT_MAX)
{
    return {key, Kind::Integer, m, nullptr, min, max};
}
Entry keyBox(const char* key, QString Settings::*m)
{
    return {key, Kind::Key, m};
}
Entry text(const char* key, QString Settings::*m)
{
    return {key, Kind::Text, m};
}
Entry gap()
{
    return {};
}

// The file's lines in the order they are written.
const std::vector<Entry>& entries()
{
    using S = Settings;
    static const std::vector<Entry> table{
        flag("Beginner_Mode:", &S::beginnerMode),
        gap(),
        index("Back_Frames_Value:", &S::backFramesValue, &S::framesChoices),
        index("Forward_Frames_Value:", &S::forwardFramesValue, &S::framesChoices),
        index("Back_Seconds_Value:", &S::backSecondsValue, &S::secondsChoices),
        index("Forward_Seconds_Value:", &S::forwardSecondsValue, &S::secondsChoices),
        index("Back_Minutes_Value:", &S::backMinutesValue, &S::minutesChoices),
        index("Forward_Minutes_Value:", &S::forwardMinutesValue, &S::minutesChoices),
        gap(),
        index("Slow_Motion_Rate:", &S::slowMotionRate, &S::slowMotionRateChoices),
        index("Fast_Motion_Rate:", &S::fastMotionRate, &S::fastMotionRateChoices),
        gap(),
        keyBox("Back_Seconds_Key:", &S::backSecondsKey),
        keyBox("Back_1_Frame_Key:", &S::back1FrameKey),
        keyBox("Forward_1_Frame_Key:", &S::forward1FrameKey),
        keyBox("Forward_Seconds_Key:", &S::forwardSecondsKey),
        gap(),
        keyBox("Slow_Motion_Key:", &S::slowMotionKey),
        keyBox("Regular_Motion_Key:", &S::regularMotionKey),
        keyBox("Fast_Motion_Key:", &S::fastMotionKey),
        gap(),
        keyBox("Set_Start_Time_Key:", &S::setStartTimeKey),
        keyBox("Set_End_Time_Key:", &S::setEndTimeKey),
        keyBox("Play_Loop_Key:", &S::playLoopKey),
        keyBox("Play_Full_Video_Key:", &S::playFullVideoKey),
        gap(),
        integer("User_Controls_Visible:", &S::userControlsVisible, 0, 4),
        gap(),
        integer("Video_Clip_SmallScreenSize_Left:", &S::videoClipSmallScreenSizeLeft),
        integer("Video_Clip_SmallScreenSize_Top:", &S::videoClipSmallScreenSizeTop),
        integer("Video_Clip_SmallScreenSize_Width:", &S::videoClipSmallScreenSizeWidth),
        integer("Video_Clip_SmallScreenSize_Height:", &S::videoClipSmallScreenSizeHeight),
        integer("Video_Clip_LargeScreenSize_Left:", &S::videoClipLargeScreenSizeLeft),
        integer("Video_Clip_LargeScreenSize_Top:", &S::videoClipLargeScreenSizeTop),
        integer("Video_Clip_LargeScreenSize_Width:", &S::videoClipLargeScreenSizeWidth),
        integer("Video_Clip_LargeScreenSize_Height:", &S::videoClipLargeScreenSizeHeight),
        gap(),
        integer("Main_Form_Left:", &S::mainFormLeft),
        integer("Main_Form_Top:", &S::mainFormTop),
        integer("Main_Form_Width:", &S::mainFormWidth),
        integer("Main_Form_Height:", &S::mainFormHeight),
        integer("Main_Form_WindowState:", &S::mainFormWindowState, 0, 2),
        gap(),
        flag("View_Original_Size:", &S::viewOriginalSize),
        flag("Loop_Continuously:", &S::loopContinuously),
        gap(),
        integer("Bookmarks_Form_Left:", &S::bookmarksFormLeft),
        integer("Bookmarks_Form_Top:", &S::bookmarksFormTop),
        integer("Bookmarks_Form_Width:", &S::bookmarksFormWidth),
        integer("Bookmarks_Form_Height:", &S::bookmarksFormHeight),
        integer("Bookmarks_Form_WindowState:", &S::bookmarksFormWindowState, 0, 2),
        text("Bookmarks_Form_Category_Column_Name:", &S::bookmarksFormCategoryColumnName),
        text("Bookmarks_Form_Name_Column_Name:", &S::bookmarksFormNameColumnName),
        text("Bookmarks_Form_Learn_Column_Name:", &S::bookmarksFormLearnColumnName),
        text("Bookmarks_Form_Rating_Column_Name:", &S::bookmarksFormRatingColumnName),
        integer("Bookmarks_Form_Category_Column_Width:", &S::bookmarksFormCategoryColumnWidth),
        integer("Bookmarks_Form_Name_Column_Width:", &S::bookmarksFormNameColumnWidth),
        integer("Bookmarks_Form_Filename_Column_Width:", &S::bookmarksFormFilenameColumnWidth),
        flag("Bookmarks_Form_Category_Column_Show:", &S::bookmarksFormCategoryColumnShow),
        flag("Bookmarks_Form_Learn_Column_Show:", &S::bookmarksFormLearnColumnShow),
        flag("Bookmarks_Form_Rating_Column_Show:", &S::bookmarksFormRatingColumnShow),
        flag("Bookmarks_Form_Folder_Column_Show:", &S::bookmarksFormFolderColumnShow),
        integer("Bookmarks_Form_Line_Wrap_Style:", &S::bookmarksFormLineWrapStyle, 1, 2),
        flag("Bookmarks_Form_Hide_Repeat_Category:", &S::bookmarksFormHideRepeatCategory),
        integer("Bookmarks_Form_Grid_Width:", &S::bookmarksFormGridWidth),
        gap(),
        integer("Video_File_Info_Form_Left:", &S::videoFileInfoFormLeft),
        integer("Video_File_Info_Form_Top:", &S::videoFileInfoFormTop),
        flag("Video_File_Info_Form_Visible:", &S::videoFileInfoFormVisible),
        gap(),
        integer("Options_Form_Left:", &S::optionsFormLeft),
        integer("Options_Form_Top:", &S::optionsFormTop),
        text("Options_Form_Default_Video_Directory:", &S::defaultVideoDirectory),
        text("Options_Form_Default_Catalog_Directory:", &S::defaultCatalogDirectory),
        gap(),
        keyBox("Options_Form_Choose_Clip_Keystroke:", &S::chooseClipKey),
        keyBox("Options_Form_Exit_Keystroke:", &S::exitKey),
        flag("Options_Form_Exit_Keystroke_with_Ctrl_Key:", &S::exitKeyWithCtrl),
        keyBox("Options_Form_Paste_Command_Line_Keystroke:", &S::pasteCommandLineKey),
        keyBox("Options_Form_Play_Command_Line_Keystroke:", &S::playCommandLineKey),
        keyBox("Options_Form_Add_Bookmark_Keystroke:", &S::addBookmarkKey),
        keyBox("Options_Form_Restart_Keystroke:", &S::restartKey),
        keyBox("Options_Form_Mute_Keystroke:", &S::muteKey),
        keyBox("Options_Form_Play_Previous_Bookmark_Keystroke:", &S::previousBookmarkKey),
        keyBox("Options_Form_Play_Current_Bookmark_Keystroke:", &S::currentBookmarkKey),
        keyBox("Options_Form_Play_Next_Bookmark_Keystroke:", &S::nextBookmarkKey),
        flag("Options_Form_Disable_Showing_Hints:", &S::disableShowingHints),
        index("Options_Form_Bookmark_Play_Click_Behavior:", &S::bookmarkPlayClickBehavior,
              &S::bookmarkPlayClickBehaviorChoices),
        gap(),
        integer("Command_Line_Entry_Form_Left:", &S::commandLineEntryFormLeft),
        integer("Command_Line_Entry_Form_Top:", &S::commandLineEntryFormTop),
        flag("Command_Line_Entry_Form_Visible:", &S::commandLineEntryFormVisible),
        gap(),
        {"Quick_Start_Guide_Visible:", Kind::OnUnlessZero, &S::quickStartGuideVisible},
    };
    return table;
}

const QHash<QString, const Entry*>& entriesByKey()
{
    static const QHash<QString, const Entry*> byKey = [] {
        QHash<QString, const Entry*> h;
        for (const Entry& e : entries())
            if (e.key)
                h.insert(QString::fromLatin1(e.key), &e);
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

void apply(const Entry& e, const QString& value, const QString& line, Settings& s)
{
    switch (e.kind) {
    case Kind::Flag:
        s.*std::get<bool Settings::*>(e.member) = (value == u"1");
        return;
    case Kind::OnUnlessZero:
        s.*std::get<bool Settings::*>(e.member) = (value != u"0");
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
            s.*std::get<int Settings::*>(e.member) = n;
        return;
    }
    case Kind::Key:
        if (isSingleCharacter(value))
            s.*std::get<QString Settings::*>(e.member) = value;
        return;
    case Kind::Text:
        if (isWholeTextValue(line, value))
            s.*std::get<QString Settings::*>(e.member) = value;
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

QString valueText(const Entry& e, const Settings& s)
{
    switch (e.kind) {
    case Kind::Flag:
    case Kind::OnUnlessZero:
        return (s.*std::get<bool Settings::*>(e.member)) ? QStringLiteral("1") : QStringLiteral("0");
    case Kind::Index:
    case Kind::Integer:
        return QString::number(s.*std::get<int Settings::*>(e.member));
    case Kind::Key:
        return oneLine(s.*std::get<QString Settings::*>(e.member));
    case Kind::Text:
        return u'"' + oneLine(s.*std::get<QString Settings::*>(e.member)) + u'"';
    }
    return {};
}

} // namespace

Settings readConfig(const QByteArray& fileBytes, const Settings& defaults)
{
    Settings s = defaults;
    const QStringList lines = splitLines(decodeText(fileBytes));
    if (lines.size() == 1)
        return s;
    const auto& byKey = entriesByKey();
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

QByteArray writeConfig(const Settings& settings)
{
    QString text;
    for (const Entry& e : entries()) {
        if (e.key)
            text += QString::fromLatin1(e.key) + u' ' + valueText(e, settings);
        text += QStringLiteral("\r\n");
    }
    return encodeText(text);
}

ConfigFile::ConfigFile(const QString& programFolder, const QString& userFolder)
    : m_programFolder(programFolder),
      m_userFolder(userFolder.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)
                                        : userFolder)
{
    if (!m_programFolder.endsWith(u'/'))
        m_programFolder += u'/';
    if (!m_userFolder.endsWith(u'/'))
        m_userFolder += u'/';
}

QString ConfigFile::programFilePath() const
{
    return m_programFolder + fileName();
}

QString ConfigFile::userFilePath() const
{
    return m_userFolder + fileName();
}

bool ConfigFile::usesUserFolder() const
{
    const QFileInfo folder(m_programFolder);
    if (!folder.isDir() || !folder.isWritable())
        return true;
    const QFileInfo file(programFilePath());
    return file.exists() && (!file.isFile() || !file.isWritable());
}

QString ConfigFile::readPath() const
{
    if (!usesUserFolder())
        return programFilePath();
    return QFileInfo::exists(userFilePath()) ? userFilePath() : programFilePath();
}

QString ConfigFile::writePath() const
{
    return usesUserFolder() ? userFilePath() : programFilePath();
}

Settings ConfigFile::read(QString* errorText) const
{
    const Settings defaults = Settings::defaults(m_programFolder);
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
    return readConfig(file.readAll(), defaults);
}

QString ConfigFile::write(const Settings& settings) const
{
    const QString path = writePath();
    const auto failure = [&path](const QString& reason) {
        return QStringLiteral("The settings could not be saved to \"%1\": %2")
            .arg(QDir::toNativeSeparators(path), reason);
    };
    if (path == userFilePath() && !QDir().mkpath(m_userFolder))
        return failure(QStringLiteral("the folder cannot be created."));
    QString reason;
    if (!saveFileAtomically(path, writeConfig(settings), &reason))
        return failure(reason);
    return {};
}

QString ConfigFile::resetToDefaults() const
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
            return write(Settings::defaults(m_programFolder));
        return removeFile(userFilePath());
    }
    QString error = removeFile(programFilePath());
    if (error.isEmpty())
        error = removeFile(userFilePath());
    return error;
}
