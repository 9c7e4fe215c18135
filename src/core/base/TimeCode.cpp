#include "core/base/TimeCode.h"

#include <cmath>
#include <limits>

namespace {

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

int digitAt(const QString& text, qsizetype index)
{
    if (index >= text.size() || !isAsciiDigit(text[index]))
        return 0;
    return text[index].unicode() - u'0';
}

int pairAt(const QString& text, qsizetype index)
{
    return digitAt(text, index) * 10 + digitAt(text, index + 1);
}

QString twoDigits(int value)
{
    return QString::number(value).rightJustified(2, u'0');
}

// Characters [from, from + 2) of a digit form, "_" for places past its end.
QString pairText(const QString& digits, qsizetype from)
{
    QString pair;
    for (qsizetype i = from; i < from + 2; ++i)
        pair.append(i < digits.size() ? digits[i] : QChar(u'_'));
    return pair;
}

} // namespace

QString determineColonStringFromSeconds(int seconds)
{
    if (seconds < 0)
        seconds = 0;
    if (seconds > kMaxTimeCodeSeconds)
        seconds = kMaxTimeCodeSeconds;
    const int hours = seconds / 3600;
    const int minutes = (seconds - hours * 3600) / 60;
    const int rest = seconds - hours * 3600 - minutes * 60;
    return twoDigits(hours) + twoDigits(minutes) + twoDigits(rest);
}

QString insertColonsIntoString(const QString& digits)
{
    if (digits.isEmpty())
        return QString::fromLatin1(kNoTimeMark);
    return pairText(digits, 0) + u':' + pairText(digits, 2) + u':' + pairText(digits, 4);
}

QString removeColonsFromString(const QString& text)
{
    if (text == QLatin1String(kNoTimeMark))
        return {};
    QString digits;
    for (qsizetype index : {0, 1, 3, 4, 6, 7}) {
        if (index < text.size())
            digits.append(text[index]);
    }
    return digits;
}

int determineSecondsFromColonString(const QString& digits)
{
    return pairAt(digits, 0) * 3600 + pairAt(digits, 2) * 60 + pairAt(digits, 4);
}

bool isDigitForm(const QString& digits)
{
    if (digits.size() != 6)
        return false;
    for (QChar c : digits)
        if (!isAsciiDigit(c))
            return false;
    return true;
}

bool validateTimeCode(const QString& text)
{
    if (text == QLatin1String(kNoTimeMark))
        return true;
    if (text.size() != 8)
        return false;
    for (qsizetype i = 0; i < 8; ++i) {
        const bool ok = (i == 2 || i == 5) ? text[i] == u':' : isAsciiDigit(text[i]);
        if (!ok)
            return false;
    }
    return true;
}

int roundPositionToSeconds(double position)
{
    if (std::isnan(position))
        return 0;
    const double lower = std::floor(position);
    const double fraction = position - lower;
    double rounded = lower;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(lower, 2.0) != 0.0))
        rounded = lower + 1.0;
    if (rounded >= static_cast<double>(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (rounded <= static_cast<double>(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return static_cast<int>(rounded);
}
