#include "core/help/RtfReader.h"

#include "core/base/TextCodec.h"

#include <QHash>
#include <algorithm>

namespace {

// Where the text of a group goes.
enum class Destination { Text, Skip, ColourTable, ListText };

struct GroupState {
    bool bold = false;
    bool italic = false;
    int halfPoints = 24;
    int colourIndex = 0;
    int unicodeSkip = 1; // fallback characters after \uN
    RtfParagraph::Alignment alignment = RtfParagraph::Alignment::Left;
    Destination destination = Destination::Text;
};

// Deeper groups share their parent's state: bad input cannot grow the stack
// without bound.
constexpr int MaxDepth = 256;
constexpr int MaxParameterDigits = 10;
constexpr int MaxWordLength = 32;

enum class Word {
    Unknown,
    Skip,
    ColourTable,
    ListText,
    Red,
    Green,
    Blue,
    Par,
    Line,
    Tab,
    Bold,
    Italic,
    FontSize,
    Colour,
    Plain,
    Pard,
    Left,
    Centre,
    Right,
    Justified,
    Unicode,
    UnicodeSkip,
    Binary,
    Bullet,
    EmDash,
    EnDash,
    LeftQuote,
    RightQuote,
    LeftDoubleQuote,
    RightDoubleQuote
};

Word lookUp(const QByteArray& name)
{
    static const QHash<QByteArray, Word> words = {
        {"fonttbl", Word::Skip},
        {"stylesheet", Word::Skip},
        {"info", Word::Skip},
        {"pict", Word::Skip},
        {"object", Word::Skip},
        {"header", Word::Skip},
        {"headerl", Word::Skip},
        {"headerr", Word::Skip},
        {"headerf", Word::Skip},
        {"footer", Word::Skip},
        {"footerl", Word::Skip},
        {"footerr", Word::Skip},
        {"footerf", Word::Skip},
        {"footnote", Word::Skip},
        {"filetbl", Word::Skip},
        {"listtable", Word::Skip},
        {"listoverridetable", Word::Skip},
        {"revtbl", Word::Skip},
        {"rsidtbl", Word::Skip},
        {"generator", Word::Skip},
        {"pn", Word::Skip},
        {"fldinst", Word::Skip},
        {"themedata", Word::Skip},
        {"latentstyles", Word::Skip},
        {"colortbl", Word::ColourTable},
        {"pntext", Word::ListText},
        {"listtext", Word::ListText},
        {"red", Word::Red},
        {"green", Word::Green},
        {"blue", Word::Blue},
        {"par", Word::Par},
        {"sect", Word::Par},
        {"page", Word::Par},
        {"line", Word::Line},
        {"tab", Word::Tab},
        {"b", Word::Bold},
        {"i", Word::Italic},
        {"fs", Word::FontSize},
        {"cf", Word::Colour},
        {"plain", Word::Plain},
        {"pard", Word::Pard},
        {"ql", Word::Left},
        {"qc", Word::Centre},
        {"qr", Word::Right},
        {"qj", Word::Justified},
        {"u", Word::Unicode},
        {"uc", Word::UnicodeSkip},
        {"bin", Word::Binary},
        {"bullet", Word::Bullet},
        {"emdash", Word::EmDash},
        {"endash", Word::EnDash},
        {"lquote", Word::LeftQuote},
        {"rquote", Word::RightQuote},
        {"ldblquote", Word::LeftDoubleQuote},
        {"rdblquote", Word::RightDoubleQuote},
    };
    return words.value(name, Word::Unknown);
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Lone halves of a surrogate pair become U+FFFD.
void repairSurrogates(QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        else if (c.isSurrogate())
            text[i] = QChar::ReplacementCharacter;
    }
}

class Reader {
public:
    explicit Reader(const QByteArray& rtf) : m_in(rtf) {}

    RtfDocument read()
    {
        while (m_pos < m_in.size()) {
            const char c = m_in.at(m_pos++);
            switch (c) {
            case '{':
                openGroup();
                break;
            case '}':
                closeGroup();
                break;
            case '\\':
                controlSequence();
                break;
            case '\r':
            case '\n':
                break;
            default:
                character(decodeWindows1252(QByteArray(1, c)));
            }
        }
        if (!m_paragraph.runs.isEmpty() || m_paragraph.listItem)
            endParagraph();
        return std::move(m_document);
    }

private:
    void openGroup()
    {
        m_skip = 0;
        if (m_stack.size() < MaxDepth)
            m_stack.append(m_state);
        else
            ++m_overflow;
    }

    void closeGroup()
    {
        m_skip = 0;
        if (m_overflow > 0) {
            --m_overflow;
        } else if (!m_stack.isEmpty()) {
            m_state = m_stack.takeLast();
        }
    }

    void controlSequence()
    {
        if (m_pos >= m_in.size())
            return;
        const char c = m_in.at(m_pos);
        if (!isLetter(c)) {
            ++m_pos;
            controlSymbol(c);
            return;
        }
        QByteArray name;
        while (m_pos < m_in.size() && isLetter(m_in.at(m_pos))) {
            if (name.size() < MaxWordLength)
                name += m_in.at(m_pos);
            ++m_pos;
        }
        std::optional<int> parameter;
        bool negative = false;
        if (m_pos < m_in.size() && m_in.at(m_pos) == '-') {
            negative = true;
            ++m_pos;
        }
        qint64 value = 0;
        int digits = 0;
        while (m_pos < m_in.size() && m_in.at(m_pos) >= '0' && m_in.at(m_pos) <= '9') {
            if (digits < MaxParameterDigits)
                value = value * 10 + (m_in.at(m_pos) - '0');
            ++digits;
            ++m_pos;
        }
        if (digits > 0) {
            value = std::clamp<qint64>(negative ? -value : value, -2147483647, 2147483647);
            parameter = int(value);
        }
        if (m_pos < m_in.size() && m_in.at(m_pos) == ' ')
            ++m_pos;
        if (m_skip > 0) {
            --m_skip;
            return;
        }
        controlWord(lookUp(name), parameter);
    }

    void controlSymbol(char c)
    {
        if (c == '\'') {
            int byte = -1;
            if (m_pos + 1 < m_in.size()) {
                const int high = hexValue(m_in.at(m_pos));
                const int low = hexValue(m_in.at(m_pos + 1));
                if (high >= 0 && low >= 0) {
                    byte = high * 16 + low;
                    m_pos += 2;
                }
            }
            if (byte >= 0)
                character(decodeWindows1252(QByteArray(1, char(byte))));
            return;
        }
        if (m_skip > 0) {
            --m_skip;
            return;
        }
        switch (c) {
        case '\\':
        case '{':
        case '}':
            text(QString(QLatin1Char(c)));
            break;
        case '~':
            text(QString(QChar(0x00A0)));
            break;
        case '_':
            text(QString(QChar(0x2011)));
            break;
        case '*':
            m_state.destination = Destination::Skip;
            break;
        case '\r':
        case '\n':
            paragraphMark();
            break;
        default: // \- optional hyphen, \| and the rest
            break;
        }
    }

    void controlWord(Word word, std::optional<int> parameter)
    {
        const int value = parameter.value_or(1);
        switch (word) {
        case Word::Unknown:
            break;
        case Word::Skip:
            m_state.destination = Destination::Skip;
            break;
        case Word::ColourTable:
            m_state.destination = Destination::ColourTable;
            m_colourTable.clear();
            m_colour = {};
            m_colourComplete = false;
            break;
        case Word::ListText:
            if (m_state.destination == Destination::Text) {
                m_state.destination = Destination::ListText;
                m_paragraph.listItem = true;
            }
            break;
        case Word::Red:
        case Word::Green:
        case Word::Blue:
            if (m_state.destination == Destination::ColourTable) {
                const int component = std::clamp(parameter.value_or(0), 0, 255);
                (word == Word::Red ? m_colour.red : word == Word::Green ? m_colour.green : m_colour.blue) = component;
                m_colourComplete = true;
            }
            break;
        case Word::Par:
            paragraphMark();
            break;
        case Word::Line:
            text(QString(QChar::LineSeparator));
            break;
        case Word::Tab:
            text(QStringLiteral("\t"));
            break;
        case Word::Bold:
            m_state.bold = value != 0;
            break;
        case Word::Italic:
            m_state.italic = value != 0;
            break;
        case Word::FontSize:
            m_state.halfPoints = parameter && *parameter > 0 ? std::clamp(*parameter, 2, 3276) : 24;
            break;
        case Word::Colour:
            m_state.colourIndex = std::max(parameter.value_or(0), 0);
            break;
        case Word::Plain:
            m_state.bold = m_state.italic = false;
            m_state.halfPoints = 24;
            m_state.colourIndex = 0;
            break;
        case Word::Pard:
            m_state.alignment = RtfParagraph::Alignment::Left;
            break;
        case Word::Left:
            m_state.alignment = RtfParagraph::Alignment::Left;
            break;
        case Word::Centre:
            m_state.alignment = RtfParagraph::Alignment::Centre;
            break;
        case Word::Right:
            m_state.alignment = RtfParagraph::Alignment::Right;
            break;
        case Word::Justified:
            m_state.alignment = RtfParagraph::Alignment::Justified;
            break;
        case Word::Unicode:
            if (parameter) {
                text(QString(QChar(char16_t(*parameter < 0 ? *parameter + 65536 : *parameter))));
                m_skip = m_state.unicodeSkip;
            }
            break;
        case Word::UnicodeSkip:
            m_state.unicodeSkip = std::clamp(parameter.value_or(1), 0, 10);
            break;
        case Word::Binary:
            if (parameter && *parameter > 0)
                m_pos += std::min<qsizetype>(*parameter, m_in.size() - m_pos);
            break;
        case Word::Bullet:
            text(QString(QChar(0x2022)));
            break;
        case Word::EmDash:
            text(QString(QChar(0x2014)));
            break;
        case Word::EnDash:
            text(QString(QChar(0x2013)));
            break;
        case Word::LeftQuote:
            text(QString(QChar(0x2018)));
            break;
        case Word::RightQuote:
            text(QString(QChar(0x2019)));
            break;
        case Word::LeftDoubleQuote:
            text(QString(QChar(0x201C)));
            break;
        case Word::RightDoubleQuote:
            text(QString(QChar(0x201D)));
            break;
        }
    }

    // A plain character, or one given as \'hh: counts against the fallback
    // characters of a \uN.
    void character(const QString& c)
    {
        if (m_skip > 0) {
            --m_skip;
            return;
        }
        if (m_state.destination == Destination::ColourTable && c == QLatin1String(";")) {
            if (m_colourComplete)
                m_colourTable.append(m_colour);
            else
                m_colourTable.append(std::nullopt);
            m_colour = {};
            m_colourComplete = false;
            return;
        }
        text(c);
    }

    void text(const QString& piece)
    {
        if (m_state.destination != Destination::Text)
            return;
        RtfRun look;
        look.bold = m_state.bold;
        look.italic = m_state.italic;
        look.pointSize = m_state.halfPoints / 2.0;
        if (m_state.colourIndex > 0 && m_state.colourIndex < m_colourTable.size())
            look.colour = m_colourTable.at(m_state.colourIndex);
        if (!m_paragraph.runs.isEmpty()) {
            RtfRun& last = m_paragraph.runs.last();
            if (last.bold == look.bold && last.italic == look.italic && last.pointSize == look.pointSize &&
                last.colour == look.colour) {
                last.text += piece;
                return;
            }
        }
        look.text = piece;
        m_paragraph.runs.append(look);
    }

    void paragraphMark()
    {
        if (m_state.destination == Destination::Text)
            endParagraph();
    }

    void endParagraph()
    {
        m_paragraph.alignment = m_state.alignment;
        for (RtfRun& run : m_paragraph.runs)
            repairSurrogates(run.text);
        m_document.paragraphs.append(std::move(m_paragraph));
        m_paragraph = {};
    }

    const QByteArray& m_in;
    qsizetype m_pos = 0;
    GroupState m_state;
    QList<GroupState> m_stack;
    int m_overflow = 0;
    int m_skip = 0; // fallback characters still to drop after a \uN
    QList<std::optional<RtfColour>> m_colourTable;
    RtfColour m_colour;
    bool m_colourComplete = false;
    RtfParagraph m_paragraph;
    RtfDocument m_document;
};

} // namespace

RtfDocument readRtf(const QByteArray& rtf)
{
    return Reader(rtf).read();
}
