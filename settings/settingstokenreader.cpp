#include "settingstokenreader.h"

#include <array>
#include <cstring>

namespace Orvane::Imports {

namespace {

// What the writer's start of document produces.
constexpr char declaration[] = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";
// Deeper documents go to QXmlStreamReader, which reports the nesting error.
constexpr int nestingLimit = 256;

struct TagName {
    const char *text;
    int length;
};
constexpr TagName tagNames[] = {{"map", 3}, {"list", 4}, {"value", 5}};

bool spells(const char *p, int size, const char *text, int length) {
    if (size < length)
        return false;
    for (int i = 0; i < length; ++i)
        if (p[i] != text[i])
            return false;
    return true;
}

bool spellsTag(const char *p, int size, NodeTag tag) {
    return tag != NodeTag::Other &&
           spells(p, size, tagNames[int(tag)].text, tagNames[int(tag)].length);
}

// The element name at `p`, or Other; what follows the name is the caller's to check.
NodeTag tagAt(const char *p, int size) {
    // The names start with different letters: the first one picks the only candidate.
    for (int i = 0; size > 0 && i < int(NodeTag::Other); ++i)
        if (*p == tagNames[i].text[0])
            return spellsTag(p, size, NodeTag(i)) ? NodeTag(i) : NodeTag::Other;
    return NodeTag::Other;
}

// Bytes that end a run of plain characters in text and in an attribute value. Attribute
// values normalize white space, so tabs and newlines are special there.
using SpecialBytes = std::array<bool, 256>;
constexpr SpecialBytes specialBytes(bool text) {
    SpecialBytes special{};
    for (int c = 0; c < 256; ++c)
        special[c] =
            c < 0x20 || c >= 0x7F || c == '<' || c == '>' || c == '&' || c == (text ? '<' : '"');
    if (text)
        special['\t'] = special['\n'] = false;
    return special;
}
constexpr SpecialBytes textSpecial = specialBytes(true);
constexpr SpecialBytes attributeSpecial = specialBytes(false);

constexpr std::array<bool, 256> spaceBytes = [] {
    std::array<bool, 256> space{};
    space[' '] = space['\t'] = space['\n'] = true;
    return space;
}();

bool isSpace(char c) {
    return spaceBytes[uchar(c)];
}

// Characters XML allows; noncharacters and DEL are left to QXmlStreamReader's judgement.
bool isPlainCharacter(uint code) {
    if (code < 0x20)
        return code == '\t' || code == '\n' || code == '\r';
    if (code == 0x7F || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF)
        return false;
    return !(code >= 0xFDD0 && code <= 0xFDEF) && (code & 0xFFFE) != 0xFFFE;
}

// Length of the strict UTF-8 sequence at `p` (not overlong, no surrogate), 0 otherwise.
int utf8Length(const uchar *p, const uchar *end) {
    int length;
    uint code;
    if (*p >= 0xC2 && *p <= 0xDF) {
        length = 2;
        code = *p & 0x1F;
    } else if (*p >= 0xE0 && *p <= 0xEF) {
        length = 3;
        code = *p & 0x0F;
    } else if (*p >= 0xF0 && *p <= 0xF4) {
        length = 4;
        code = *p & 0x07;
    } else {
        return 0;
    }
    if (end - p < length)
        return 0;
    for (int i = 1; i < length; ++i) {
        if ((p[i] & 0xC0) != 0x80)
            return 0;
        code = code << 6 | (p[i] & 0x3F);
    }
    if ((length == 3 && code < 0x800) || (length == 4 && code < 0x10000))
        return 0;
    return isPlainCharacter(code) ? length : 0;
}

// Length of the predefined entity or character reference at `p`, 0 for anything else.
int referenceLength(const char *p, const char *end, uint *code) {
    const auto entity = [p, end, code](const char *text, int length, char character) {
        if (end - p < length || std::memcmp(p, text, size_t(length)) != 0)
            return 0;
        *code = uchar(character);
        return length;
    };
    if (end - p < 4)
        return 0;
    switch (p[1]) {
    case 'l':
        return entity("&lt;", 4, '<');
    case 'g':
        return entity("&gt;", 4, '>');
    case 'q':
        return entity("&quot;", 6, '"');
    case 'a':
        return p[2] == 'm' ? entity("&amp;", 5, '&') : entity("&apos;", 6, '\'');
    case '#':
        break;
    default:
        return 0;
    }
    const bool hex = p[2] == 'x';
    const char *digit = p + 2 + hex;
    uint value = 0;
    int digits = 0;
    for (; digit < end && digits < 8; ++digit, ++digits) {
        const char c = *digit;
        if (c >= '0' && c <= '9')
            value = value * (hex ? 16 : 10) + uint(c - '0');
        else if (hex && c >= 'a' && c <= 'f')
            value = value * 16 + uint(c - 'a' + 10);
        else if (hex && c >= 'A' && c <= 'F')
            value = value * 16 + uint(c - 'A' + 10);
        else
            break;
    }
    if (!digits || digit >= end || *digit != ';' || !isPlainCharacter(value))
        return 0;
    *code = value;
    return int(digit + 1 - p);
}

} // namespace

bool SettingsTokenReader::open(const QByteArray &document) {
    m_data = document.constData();
    m_size = document.size();
    m_at = 0;
    m_tokens.clear();
    m_tokens.reserve(m_size / 32);
    m_current = 0;
    m_next = 1;
    return scan();
}

QString SettingsTokenReader::tagName() const {
    // Other never names an element here: the scan refuses unknown ones.
    return tag() == NodeTag::Other ? QString() : QLatin1String(tagNames[int(tag())].text);
}

bool SettingsTokenReader::readNextStartElement() {
    if (m_tokens.at(m_next).tag == NodeTag::Other) {
        ++m_next;
        return false;
    }
    m_current = m_next++;
    return true;
}

void SettingsTokenReader::skipCurrentElement() {
    if (tag() == NodeTag::Value)
        return;
    for (int depth = 1; depth > 0; ++m_next) {
        const NodeTag next = m_tokens.at(m_next).tag;
        if (next == NodeTag::Other)
            --depth;
        else if (next != NodeTag::Value)
            ++depth;
    }
}

QString SettingsTokenReader::key(const QStringList &expected, int at) const {
    const Range &name = m_tokens.at(m_current).name;
    const bool known = at < expected.size();
    if (name.plain) {
        const QLatin1String bytes(m_data + name.begin, name.length);
        return known && expected.at(at) == bytes ? expected.at(at) : QString(bytes);
    }
    const QString decoded = decode(name);
    return known && expected.at(at) == decoded ? expected.at(at) : decoded;
}

QString SettingsTokenReader::readElementText() const {
    return decode(m_tokens.at(m_current).text);
}

QLatin1String SettingsTokenReader::plainText() const {
    const Range &text = m_tokens.at(m_current).text;
    return text.plain ? QLatin1String(m_data + text.begin, text.length) : QLatin1String();
}

bool SettingsTokenReader::scan() {
    const int declarationLength = int(sizeof(declaration)) - 1;
    if (m_size < declarationLength || std::memcmp(m_data, declaration, declarationLength) != 0)
        return false;
    m_at = declarationLength;
    QVector<NodeTag> open;
    for (;;) {
        // Only white space between elements: other text is QXmlStreamReader's to judge.
        while (m_at < m_size && isSpace(m_data[m_at]))
            ++m_at;
        if (m_size - m_at < 2 || m_data[m_at] != '<')
            return false;
        if (m_data[m_at + 1] == '/') {
            if (open.isEmpty() || !scanEndTag(open.last()))
                return false;
            open.removeLast();
            m_tokens.append({NodeTag::Other, {}, {}});
        } else if (!scanStartTag(open)) {
            return false;
        }
        // QXmlStreamReader reads on past the root's end tag, and what it meets there can
        // fail the document: only white space is sure to pass.
        if (open.isEmpty()) {
            while (m_at < m_size && isSpace(m_data[m_at]))
                ++m_at;
            return m_at == m_size;
        }
    }
}

bool SettingsTokenReader::scanStartTag(QVector<NodeTag> &open) {
    ++m_at;
    Token token{NodeTag::Other, {}, {}};
    const NodeTag tag = tagAt(m_data + m_at, m_size - m_at);
    if (tag != NodeTag::Other) {
        const int length = tagNames[int(tag)].length;
        const char next = m_at + length < m_size ? m_data[m_at + length] : '\0';
        if (isSpace(next) || next == '>' || next == '/') {
            token.tag = tag;
            m_at += length;
        }
    }
    if (token.tag == NodeTag::Other || open.size() >= nestingLimit)
        return false;
    // A value never opens: its text and end tag are read with its start tag below.
    const bool root = open.isEmpty();
    if (root && token.tag == NodeTag::Value)
        return false;
    bool named = false;
    bool closed = false;
    for (;;) {
        const int spaceBegin = m_at;
        while (m_at < m_size && isSpace(m_data[m_at]))
            ++m_at;
        if (m_at >= m_size)
            return false;
        if (m_data[m_at] == '>') {
            ++m_at;
            break;
        }
        if (m_data[m_at] == '/') {
            if (m_at + 1 >= m_size || m_data[m_at + 1] != '>')
                return false;
            m_at += 2;
            closed = true;
            break;
        }
        // One attribute, the name, after white space.
        if (named || m_at == spaceBegin || !spells(m_data + m_at, m_size - m_at, "name", 4))
            return false;
        m_at += 4;
        while (m_at < m_size && isSpace(m_data[m_at]))
            ++m_at;
        if (m_at >= m_size || m_data[m_at] != '=')
            return false;
        ++m_at;
        while (m_at < m_size && isSpace(m_data[m_at]))
            ++m_at;
        if (m_at >= m_size || m_data[m_at] != '"')
            return false;
        ++m_at;
        if (!scanCharacters('"', token.name))
            return false;
        ++m_at;
        named = true;
    }
    // A map keeps only named children; which ones QXmlStreamReader skips is its call.
    if (!root && open.last() == NodeTag::Map && token.name.length == 0)
        return false;
    if (token.tag == NodeTag::Value) {
        token.text.begin = m_at;
        if (!closed && (!scanCharacters('<', token.text) || !scanEndTag(NodeTag::Value)))
            return false;
        m_tokens.append(token);
        return true;
    }
    m_tokens.append(token);
    if (closed)
        m_tokens.append({NodeTag::Other, {}, {}});
    else
        open.append(token.tag);
    return true;
}

bool SettingsTokenReader::scanEndTag(NodeTag open) {
    const int length = tagNames[int(open)].length;
    if (m_size - m_at < length + 3 || m_data[m_at] != '<' || m_data[m_at + 1] != '/' ||
        !spellsTag(m_data + m_at + 2, length, open))
        return false;
    m_at += 2 + length;
    while (m_at < m_size && isSpace(m_data[m_at]))
        ++m_at;
    if (m_at >= m_size || m_data[m_at] != '>')
        return false;
    ++m_at;
    return true;
}

bool SettingsTokenReader::scanCharacters(char stop, Range &range) {
    range.begin = m_at;
    range.plain = true;
    const bool text = stop == '<';
    const bool *special = text ? textSpecial.data() : attributeSpecial.data();
    const uchar *data = reinterpret_cast<const uchar *>(m_data);
    const uchar *p = data + m_at;
    const uchar *end = data + m_size;
    for (;;) {
        while (p < end && !special[*p])
            ++p;
        if (p >= end)
            return false;
        const uchar c = *p;
        if (c == uchar(stop)) {
            m_at = int(p - data);
            range.length = m_at - range.begin;
            return true;
        }
        int length = 0;
        if (c >= 0x80) {
            length = utf8Length(p, end);
        } else if (c == '&') {
            uint code;
            length = referenceLength(reinterpret_cast<const char *>(p),
                                     reinterpret_cast<const char *>(end), &code);
        } else if (c == '>') {
            // "]]>" is a rule of its own, left to QXmlStreamReader.
            if (p - data >= range.begin + 2 && p[-1] == ']' && p[-2] == ']')
                return false;
            ++p;
            continue;
        }
        // Anything else special (markup, carriage returns, controls, DEL) is
        // QXmlStreamReader's to judge.
        if (!length)
            return false;
        range.plain = false;
        p += length;
    }
}

QString SettingsTokenReader::decode(const Range &range) const {
    const char *p = m_data + range.begin;
    const char *end = p + range.length;
    if (range.plain)
        return QString::fromLatin1(p, range.length);
    // Never more UTF-16 units than bytes; the scan checked every sequence.
    QString result(range.length, Qt::Uninitialized);
    ushort *at = reinterpret_cast<ushort *>(result.data());
    const ushort *begin = at;
    while (p < end) {
        const uchar c = uchar(*p);
        uint code;
        if (c < 0x80) {
            if (c != '&') {
                *at++ = c;
                ++p;
                continue;
            }
            p += referenceLength(p, end, &code);
        } else {
            const int length = c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
            code = c & (0x7F >> length);
            for (int i = 1; i < length; ++i)
                code = code << 6 | (uchar(p[i]) & 0x3F);
            p += length;
        }
        if (QChar::requiresSurrogates(code)) {
            *at++ = QChar::highSurrogate(code);
            *at++ = QChar::lowSurrogate(code);
        } else {
            *at++ = ushort(code);
        }
    }
    result.resize(int(at - begin));
    return result;
}

} // namespace Orvane::Imports
