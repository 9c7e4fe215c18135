#include "core/practice/PracticeLog.h"

#include "core/catalog/CatalogCompanion.h"
#include "core/catalog/SplitSpreadsheetLine.h"

#include <QLocale>
#include <QStringDecoder>

namespace {

constexpr int kFieldCount = 7;
const QString kDateFormat = QStringLiteral("yyyy-MM-ddTHH:mm:ss");

QString quoted(QString text)
{
    text.replace(u'\r', u' ').replace(u'\n', u' ');
    QString field;
    appendQuotedField(field, text);
    return field;
}

QString rateText(double rate)
{
    return QString::number(rate, 'f', 2);
}

QString secondsText(double seconds)
{
    return QString::number(seconds, 'f', 1);
}

std::optional<double> number(const QString& text)
{
    bool ok = false;
    const double value = QLocale::c().toDouble(text.trimmed(), &ok);
    return ok && value >= 0 ? std::optional(value) : std::nullopt;
}

} // namespace

namespace PracticeLog {

QString pathFor(const QString& catalogPath)
{
    return catalogPath + CatalogCompanions::practiceLogSuffix();
}

QString header()
{
    return QStringLiteral("Began,Category,Name,Passes,Seconds,Slowest,Fastest");
}

QString formatLine(const PracticeEntry& entry)
{
    return QStringList{entry.began.toString(kDateFormat),
                       quoted(entry.category),
                       quoted(entry.name),
                       QString::number(entry.passes),
                       secondsText(entry.seconds),
                       rateText(entry.slowest),
                       rateText(entry.fastest)}
        .join(u',');
}

std::optional<PracticeEntry> parseLine(const QString& line)
{
    const SpreadsheetLine split = SplitSpreadsheetLine(line, u',');
    const QStringList& f = split.fields;
    if (split.endsInsideQuotes || f.size() != kFieldCount)
        return std::nullopt;
    PracticeEntry entry;
    entry.began = QDateTime::fromString(f[0].trimmed(), kDateFormat);
    bool passesOk = false;
    entry.passes = f[3].trimmed().toInt(&passesOk);
    const auto seconds = number(f[4]);
    const auto slowest = number(f[5]);
    const auto fastest = number(f[6]);
    if (!entry.began.isValid() || !passesOk || entry.passes < 0 || !seconds || !slowest || !fastest)
        return std::nullopt;
    entry.category = f[1];
    entry.name = f[2];
    entry.seconds = *seconds;
    entry.slowest = *slowest;
    entry.fastest = *fastest;
    return entry;
}

QList<PracticeLogLine> parse(const QByteArray& bytes)
{
    QList<PracticeLogLine> lines;
    qsizetype start = bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        if (end < 0)
            end = bytes.size();
        QByteArray line = bytes.sliced(start, end - start);
        if (line.endsWith('\r'))
            line.chop(1);
        start = end + 1;
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString text = utf8.decode(line);
        lines.append({line, utf8.hasError() ? std::nullopt : parseLine(text)});
    }
    return lines;
}

QByteArray compose(const QList<PracticeLogLine>& kept, const QList<PracticeEntry>& session)
{
    QByteArray bytes;
    if (kept.isEmpty() || kept.first().entry)
        bytes += header().toUtf8() + '\n';
    for (const PracticeLogLine& line : kept)
        bytes += line.bytes + '\n';
    for (const PracticeEntry& entry : session)
        bytes += formatLine(entry).toUtf8() + '\n';
    return bytes;
}

} // namespace PracticeLog
