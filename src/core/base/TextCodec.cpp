#include "core/base/TextCodec.h"

#include <QStringDecoder>

namespace {

// Windows-1252 differs from Latin-1 only in 0x80-0x9F.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98-9F
};

bool startsWithUtf8Bom(const QByteArray& bytes)
{
    return bytes.startsWith("\xEF\xBB\xBF");
}

} // namespace

QString decodeWindows1252(const QByteArray& bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        *out++ = (b >= 0x80 && b <= 0x9F) ? QChar(kHighControls[b - 0x80]) : QChar(b);
    }
    return text;
}

QString decodeText(const QByteArray& bytes)
{
    // Stateless: a sequence cut off at the end counts as an error instead of
    // being kept back for more input. The decoder leaves the mark alone; it is
    // handled here.
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    if (startsWithUtf8Bom(bytes)) // the file says it is UTF-8: believe it
        return utf8.decode(QByteArrayView(bytes).sliced(3));
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return decodeWindows1252(bytes);
}

QByteArray encodeText(const QString& text)
{
    return text.toUtf8();
}
