#include "core/base/TextCodec.h"

#include <QStringDecoder>

#include <algorithm>

namespace {

// Windows-1252 differs from Latin-1 only in 0x80-0x9F.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98-9F
};

void appendWindows1252(QString& out, QByteArrayView bytes)
{
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        out += (b >= 0x80 && b <= 0x9F) ? QChar(kHighControls[b - 0x80]) : QChar(b);
    }
}

// Stateless: a sequence cut off at the end counts as an error instead of
// being kept back for more input. A mark inside the text is kept as the
// character it is; the one at the start is handled by the caller.
QStringDecoder utf8Decoder()
{
    return QStringDecoder(QStringDecoder::Utf8,
                          QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
}

bool isBreak(char c)
{
    return c == '\r' || c == '\n';
}

} // namespace

QString decodeWindows1252(const QByteArray& bytes)
{
    QString text;
    text.reserve(bytes.size());
    appendWindows1252(text, bytes);
    return text;
}

DecodedText decodeTextLines(const QByteArray& bytes)
{
    QByteArrayView rest(bytes);
    DecodedText result;
    if (rest.startsWith("\xEF\xBB\xBF")) {
        rest = rest.sliced(3);
        result.utf8Text = true;
    }
    const auto beyondAscii = [](QByteArrayView line) {
        return std::any_of(line.begin(), line.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    };
    QStringDecoder whole = utf8Decoder();
    result.text = whole.decode(rest);
    if (!whole.hasError()) {
        result.utf8Text = result.utf8Text || beyondAscii(rest);
        return result;
    }

    // Line breaks are ASCII, never part of a UTF-8 sequence or of a
    // Windows-1252 letter, so the bytes can be cut at them before decoding.
    QString& text = result.text;
    text.clear();
    text.reserve(rest.size());
    const qsizetype n = rest.size();
    qsizetype start = 0;
    int lineNumber = 0;
    while (start < n) {
        qsizetype end = start;
        while (end < n && !isBreak(rest[end]))
            ++end;
        ++lineNumber;
        const QByteArrayView line = rest.sliced(start, end - start);
        QStringDecoder utf8 = utf8Decoder();
        const QString decoded = utf8.decode(line);
        if (utf8.hasError()) {
            appendWindows1252(text, line);
            result.windows1252Lines.append(lineNumber);
        } else {
            text += decoded;
            result.utf8Text = result.utf8Text || beyondAscii(line);
        }
        // The break as it stands: CR LF, LF or CR.
        qsizetype next = end;
        if (next < n)
            next += rest[next] == '\r' && next + 1 < n && rest[next + 1] == '\n' ? 2 : 1;
        for (qsizetype i = end; i < next; ++i)
            text += QLatin1Char(rest[i]);
        start = next;
    }
    return result;
}

QString decodeText(const QByteArray& bytes)
{
    return decodeTextLines(bytes).text;
}

QByteArray encodeText(const QString& text)
{
    return text.toUtf8();
}
