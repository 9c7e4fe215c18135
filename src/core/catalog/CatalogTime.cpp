#include "core/catalog/CatalogTime.h"

#include "core/base/TimeCode.h"

namespace {

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == QChar::Nbsp;
}

QStringView trimmed(QStringView s)
{
    while (!s.isEmpty() && isBlank(s.front()))
        s = s.sliced(1);
    while (!s.isEmpty() && isBlank(s.back()))
        s.chop(1);
    return s;
}

// Reads a run of one or two digits at `at`; -1 when there is none.
int twoDigits(QStringView s, qsizetype& at, bool exactlyTwo)
{
    qsizetype end = at;
    while (end < s.size() && end - at < 2 && isDigit(s[end]))
        ++end;
    if (end == at || (exactlyTwo && end - at != 2))
        return -1;
    int value = 0;
    for (qsizetype i = at; i < end; ++i)
        value = value * 10 + (s[i].unicode() - u'0');
    at = end;
    return value;
}

// "AM"/"PM" in any letter case, with or without dots ("a.m."); 0 for none,
// 1 for AM, 2 for PM, -1 for anything else.
int meridiem(QStringView s)
{
    s = trimmed(s);
    if (s.isEmpty())
        return 0;
    QString letters;
    for (const QChar c : s)
        if (c != u'.')
            letters += c.toLower();
    if (letters == u"am")
        return 1;
    if (letters == u"pm")
        return 2;
    return -1;
}

} // namespace

CatalogTime readCatalogTime(QStringView field)
{
    const QStringView s = trimmed(field);
    if (s.isEmpty())
        return {QString(), true};
    if (s == QLatin1String(kNoTimeMark))
        return {s.toString(), true};
    const CatalogTime unreadable{field.toString(), false};

    qsizetype at = 0;
    int hours = twoDigits(s, at, false);
    if (hours < 0 || at >= s.size() || s[at] != u':')
        return unreadable;
    ++at;
    const int minutes = twoDigits(s, at, true);
    if (minutes < 0 || at >= s.size() || s[at] != u':')
        return unreadable;
    ++at;
    const int seconds = twoDigits(s, at, true);
    if (seconds < 0)
        return unreadable;
    // Milliseconds: the first three digits of a fraction, padded.
    int milliseconds = 0;
    if (at < s.size() && (s[at] == u'.' || s[at] == u',')) {
        ++at;
        const qsizetype digits = at;
        while (at < s.size() && isDigit(s[at])) {
            if (at - digits < 3)
                milliseconds = milliseconds * 10 + (s[at].unicode() - u'0');
            ++at;
        }
        if (at == digits)
            return unreadable;
        for (qsizetype places = at - digits; places < 3; ++places)
            milliseconds *= 10;
    }
    switch (meridiem(s.sliced(at))) {
    case 0:
        break;
    case 1: // 12:mm:ss AM is just after midnight
        if (hours > 12)
            return unreadable;
        hours = hours == 12 ? 0 : hours;
        break;
    case 2:
        if (hours > 12)
            return unreadable;
        hours = hours == 12 ? 12 : hours + 12;
        break;
    default:
        return unreadable;
    }
    QString text = QStringLiteral("%1:%2:%3")
                       .arg(hours, 2, 10, QLatin1Char('0'))
                       .arg(minutes, 2, 10, QLatin1Char('0'))
                       .arg(seconds, 2, 10, QLatin1Char('0'));
    if (milliseconds != 0)
        text += QStringLiteral(".%1").arg(milliseconds, 3, 10, QLatin1Char('0'));
    return {text, true};
}
