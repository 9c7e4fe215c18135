#include "core/input/KeyTexts.h"

#include "core/input/KeyCommandTable.h"
#include "core/window/ArrangementRules.h"

namespace keys {

namespace {

// The program's own spelling of this heading.
const QString kDuplicateHeading = QStringLiteral("You have duplcate keys assigned.\n\n");
const QString kDuplicateAdvice = QStringLiteral(
    "\n\nPlease manually fix or run \"Restore all keyboard and window settings\" in the Options window.");

QString assignedLine(const QString& role, const QString& key)
{
    return role + QStringLiteral(" is assigned to: '") + key + QLatin1Char('\'');
}

} // namespace

QString roleName(KeyBox box)
{
    const int i = static_cast<int>(box);
    return i >= 0 && i < KeyBoxCount ? QString::fromLatin1(keyBoxRows[i].roleName) : QString();
}

bool isAcceptableKey(const QString& text)
{
    return !text.isEmpty() && text != QLatin1String(" ");
}

QString freeKey(const QString& preferred, const QStringList& taken)
{
    if (!taken.contains(preferred))
        return preferred;
    // Keys no command has by default first, then digits and letters that a
    // settings file may have freed.
    static const QString spare = QStringLiteral("bxvnwepq,./;'[]-=\\1234567`890yukmjhgtrdfcszaoli");
    for (QChar c : spare)
        if (!taken.contains(QString(c)))
            return QString(c);
    return preferred; // every spare key taken: the duplicate check says so
}

QString invalidKeyMessage()
{
    return QStringLiteral("Please pick a valid value.");
}

bool exitKeyTakesMenuShortcut(const QString& exitKey)
{
    static const QStringList letters{"i", "q", "l", "o", "s", "w"};
    return letters.contains(exitKey); // lower case only, as the check always did
}

QStringList duplicateKeyMessages(const KeyTexts& keys, bool ctrlSelect)
{
    QStringList messages;
    const int first = ctrlSelect ? 1 : 0;
    for (int i = first; i < KeyBoxCount; ++i) {
        for (int j = i + 1; j < KeyBoxCount; ++j) {
            if (keys[i] != keys[j])
                continue;
            messages << kDuplicateHeading + assignedLine(roleName(KeyBox(i)), keys[i]) + QLatin1Char('\n') +
                            assignedLine(roleName(KeyBox(j)), keys[j]) + kDuplicateAdvice;
        }
    }
    const QString& exitKey = keyOf(keys, KeyBox::exit);
    if (ctrlSelect && exitKeyTakesMenuShortcut(exitKey)) {
        messages << kDuplicateHeading + assignedLine(roleName(KeyBox::exit), QStringLiteral("Ctrl+") + exitKey) +
                        QStringLiteral("\nwhich is also assigned to a main menu shortcut.") + kDuplicateAdvice;
    }
    return messages;
}

QString viewClipMenuCaption(const QString& key)
{
    return QStringLiteral("View video clip") + QString(38, QLatin1Char(' ')) + QLatin1Char('(') + key +
           QLatin1Char(')');
}

QString exitButtonCaption(const QString& key, bool ctrlSelect)
{
    return (ctrlSelect ? QStringLiteral("exit (Ctrl+") : QStringLiteral("exit (")) + key + QLatin1Char(')');
}

bool captionFollowsKey(const QString& button, bool inMainWindow, bool beginnerMode)
{
    return !(beginnerMode && inMainWindow && arrangement::hasBeginnerCaption(button));
}

QString keyCaption(const QString& words, const QString& key)
{
    return words + QStringLiteral(" (") + key + ')';
}

QString jumpCaption(Jump jump, const QString& value)
{
    switch (jump) {
    case Jump::backSeconds:
        return QStringLiteral("<< ") + value + QStringLiteral(" sec");
    case Jump::forwardSeconds:
        return QStringLiteral(">> ") + value + QStringLiteral(" sec");
    case Jump::backMinutes:
        return QStringLiteral("<< ") + value + QStringLiteral(" min");
    case Jump::forwardMinutes:
        return QStringLiteral(">> ") + value + QStringLiteral(" min");
    case Jump::backFrames:
        return QStringLiteral("<< ") + value + QStringLiteral(" frames");
    case Jump::forwardFrames:
        return QStringLiteral(">> ") + value + QStringLiteral(" frames");
    }
    return QString();
}

QString jumpHint(Jump jump, const QString& value)
{
    const bool one = value == QLatin1String("1");
    switch (jump) {
    case Jump::backSeconds:
        return one ? QStringLiteral("Jump back 1 second") : QStringLiteral("Jump back ") + value + " seconds";
    case Jump::forwardSeconds:
        return one ? QStringLiteral("Jump forward 1 second") : QStringLiteral("Jump forward ") + value + " seconds";
    case Jump::backMinutes:
        return one ? QStringLiteral("Jump back 1 minute") : QStringLiteral("Jump back ") + value + " minutes";
    case Jump::forwardMinutes:
        return one ? QStringLiteral("Jump forward 1 minute") : QStringLiteral("Jump forward ") + value + " minutes";
    case Jump::backFrames:
        return QStringLiteral("Jump back ") + value + QStringLiteral(" frames");
    case Jump::forwardFrames:
        return QStringLiteral("Jump forward ") + value + QStringLiteral(" frames");
    }
    return QString();
}

QString keyHint(const QString& buttonHint)
{
    return QStringLiteral("keyboard equivalent for \"") + buttonHint + QLatin1Char('"');
}

QString shiftLabel(const QString& key)
{
    return QStringLiteral("<shift>") + key;
}

QString slowMotionCaption(const QString& rate)
{
    return QStringLiteral("slow (") + rate + QLatin1Char(')');
}

QString fastMotionCaption(const QString& rate)
{
    return QStringLiteral("fast (") + rate + QLatin1Char(')');
}

QString slowMotionHint(const QString& rate)
{
    return QStringLiteral("Play the video in slow motion (") + rate + QStringLiteral("x speed)");
}

QString fastMotionHint(const QString& rate)
{
    return QStringLiteral("Play the video in fast motion (") + rate + QStringLiteral("x speed)");
}

} // namespace keys
