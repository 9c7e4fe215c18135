#include "core/base/TimeCode.h"

#include <algorithm>
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
    const QString whole = pairText(digits, 0) + u':' + pairText(digits, 2) + u':' + pairText(digits, 4);
    if (digits.size() == 9)
        return whole + u'.' + digits.mid(6);
    return whole;
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
    if (text.size() == 12 && text[8] == u'.')
        digits.append(text.mid(9));
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

namespace {

constexpr qint64 kMaxTimeCodeMilliseconds = qint64(kMaxTimeCodeSeconds) * 1000 + 999;

bool allAsciiDigits(const QString& text)
{
    for (QChar c : text)
        if (!isAsciiDigit(c))
            return false;
    return true;
}

} // namespace

QString determineColonStringFromMilliseconds(qint64 milliseconds)
{
    milliseconds = std::clamp<qint64>(milliseconds, 0, kMaxTimeCodeMilliseconds);
    const QString whole = determineColonStringFromSeconds(int(milliseconds / 1000));
    const int fraction = int(milliseconds % 1000);
    if (fraction == 0)
        return whole;
    return whole + QString::number(fraction).rightJustified(3, u'0');
}

qint64 determineMillisecondsFromColonString(const QString& digits)
{
    const qint64 fraction = digitAt(digits, 6) * 100 + digitAt(digits, 7) * 10 + digitAt(digits, 8);
    return qint64(determineSecondsFromColonString(digits)) * 1000 + fraction;
}

bool isPreciseDigitForm(const QString& digits)
{
    return (digits.size() == 6 || digits.size() == 9) && allAsciiDigits(digits);
}

bool validatePreciseTimeCode(const QString& text)
{
    if (validateTimeCode(text))
        return true;
    const QString whole = text.left(8);
    return text.size() == 12 && text[8] == u'.' && whole != QLatin1String(kNoTimeMark) && validateTimeCode(whole) &&
           allAsciiDigits(text.mid(9));
}

bool timeDigitsLess(const QString& a, const QString& b)
{
    const auto padded = [](const QString& digits) {
        return digits.size() >= 9 ? digits : digits.leftJustified(6, u'0') + QStringLiteral("000");
    };
    return padded(a) < padded(b);
}

qint64 roundPositionToMilliseconds(double position)
{
    if (std::isnan(position) || position <= 0)
        return 0;
    const double milliseconds = std::round(position * 1000.0);
    if (milliseconds >= double(kMaxTimeCodeMilliseconds))
        return kMaxTimeCodeMilliseconds;
    return qint64(milliseconds);
}
