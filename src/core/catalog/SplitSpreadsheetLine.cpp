#include "core/catalog/SplitSpreadsheetLine.h"

namespace {

constexpr QChar kQuote = u'"';

QString halvePairedQuotes(QStringView text)
{
    if (!text.contains(QLatin1String("\"\"")))
        return text.toString();
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        out.append(text[i]);
        if (text[i] == kQuote && i + 1 < text.size() && text[i + 1] == kQuote)
            ++i;
    }
    return out;
}

bool isQuotedRun(QStringView field, qsizetype count)
{
    if (field.size() < 2 * count)
        return false;
    for (qsizetype k = 0; k < count; ++k)
        if (field[k] != kQuote || field[field.size() - 1 - k] != kQuote)
            return false;
    return true;
}

// The outer quotes of a raw field, and the doubled quotes of the text fields.
void unquote(QStringList& fields)
{
    for (qsizetype f = 0; f < fields.size(); ++f) {
        QStringView field = fields[f];
        bool changed = false;
        if (field.size() > 1 && isQuotedRun(field, 1)) {
            // File name and folder are written in three quotes; a field that
            // has only one pair (typed by hand) loses that pair.
            const qsizetype count = (f == 6 || f == 7) && isQuotedRun(field, 3) ? 3 : 1;
            field = field.sliced(count, field.size() - 2 * count);
            changed = true;
        }
        // Text fields are always quoted; level, rating and times are when
        // they hold a separator or a double quote. File name and folder
        // hold no double quote.
        if (f == 0 || f == 1 || f == 8 || (changed && f >= 2 && f <= 5))
            fields[f] = halvePairedQuotes(field);
        else if (changed)
            fields[f] = field.toString();
    }
}

} // namespace

SpreadsheetLine SplitSpreadsheetLine(QStringView line, QChar separator)
{
    SpreadsheetLine result;
    QStringList& fields = result.fields;
    const qsizetype n = line.size();
    qsizetype start = 0;
    bool inQuotes = false;
    qsizetype i = 0;
    while (i < n) {
        const QChar c = line[i];
        const bool last = i == n - 1;
        if (!inQuotes) {
            if (c == kQuote && last) {
                fields.append(QString());
                result.endsInsideQuotes = true;
                break;
            }
            if (c == kQuote) {
                inQuotes = true;
            } else if (last) {
                fields.append(line.sliced(start).toString());
                break;
            } else if (c == separator) {
                fields.append(line.sliced(start, i - start).toString());
                start = i + 1;
            }
            ++i;
            continue;
        }
        if (c == kQuote && last) {
            fields.append(line.sliced(start).toString());
            break;
        }
        if (c == kQuote && line[i + 1] == kQuote) {
            if (i + 1 == n - 1) {
                fields.append(line.sliced(start).toString());
                result.endsInsideQuotes = true;
                break;
            }
            // The pair is skipped; whatever follows is scanned as usual, so a
            // line that ends in one more character after the pair still ends
            // inside the field's quotes.
            i += 2;
            continue;
        }
        if (c == kQuote) {
            fields.append(line.sliced(start, i + 1 - start).toString());
            inQuotes = false;
            i += 2; // the separator after the closing quote
            start = i;
            continue;
        }
        if (last) {
            fields.append(line.sliced(start).toString() + kQuote);
            result.endsInsideQuotes = true;
            break;
        }
        ++i;
    }
    unquote(fields);
    return result;
}

SpreadsheetContinuation ReadSpreadsheetContinuation(QStringView line)
{
    qsizetype run = 0;
    while (run < line.size() && line[line.size() - 1 - run] == kQuote)
        ++run;
    SpreadsheetContinuation result;
    result.endsField = run % 2 == 1;
    result.text = halvePairedQuotes(line);
    if (result.endsField)
        result.text.chop(1);
    return result;
}

void appendQuotedField(QString& out, QStringView text)
{
    out += u'"';
    if (!text.contains(u'"')) {
        out += text;
    } else {
        for (const QChar c : text) {
            if (c == u'"')
                out += u'"';
            out += c;
        }
    }
    out += u'"';
}
