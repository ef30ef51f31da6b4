#include "settingstextwriter.h"

#include <cstring>
#include <type_traits>

namespace Orvane::Imports {

namespace {

const char declaration[] = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";
const int indentWidth = 4;

// Room for `count` more bytes past the end of `out`, written through the pointer and
// kept by settle(); growing by half keeps appends amortized.
char *room(QByteArray &out, int count) {
    const int size = out.size();
    if (out.capacity() - size < count)
        out.reserve(qMax(size + count, size + size / 2));
    return out.data() + size;
}

void settle(QByteArray &out, const char *end) {
    out.resize(int(end - out.constData()));
}

char *put(char *at, const char *text) {
    while (*text)
        *at++ = *text++;
    return at;
}

// Element and attribute names are the document's own ASCII words.
char *putName(char *at, const QString &name) {
    for (const QChar c : name)
        *at++ = char(c.unicode());
    return at;
}

} // namespace

void SettingsTextWriter::writeStartDocument() {
    out += declaration;
}

void SettingsTextWriter::writeStartElement(const QString &name) {
    const int depth = tags.size();
    char *at = room(out, 3 + depth * indentWidth + name.size());
    if (inStartElement)
        *at++ = '>';
    if (!wroteCharacters)
        at = indent(at, depth);
    *at++ = '<';
    settle(out, putName(at, name));
    tags.append(name);
    inStartElement = true;
    wroteCharacters = false;
}

void SettingsTextWriter::writeAttribute(const QString &name, const QString &value) {
    char *at = room(out, 3 + name.size());
    *at++ = ' ';
    at = putName(at, name);
    *at++ = '=';
    *at++ = '"';
    settle(out, at);
    writeEscaped(value, true);
    out += '"';
}

void SettingsTextWriter::writeCharacters(const QString &text) {
    finishStartElement();
    writeEscaped(text, false);
    wroteCharacters = true;
}

void SettingsTextWriter::writeValue(const QVariant &value) {
    finishStartElement();
    wroteCharacters = true;
    switch (value.userType()) {
    case QMetaType::Bool:
        out += *static_cast<const bool *>(value.constData()) ? "true" : "false";
        return;
    case QMetaType::Int:
        return writeNumber(*static_cast<const int *>(value.constData()));
    case QMetaType::UInt:
        return writeNumber(*static_cast<const uint *>(value.constData()));
    case QMetaType::LongLong:
        return writeNumber(*static_cast<const qlonglong *>(value.constData()));
    case QMetaType::ULongLong:
        return writeNumber(*static_cast<const qulonglong *>(value.constData()));
    default:
        writeEscaped(value.toString(), false);
    }
}

void SettingsTextWriter::writeEndElement() {
    if (tags.isEmpty())
        return;
    const QString &name = tags.last();
    char *at = room(out, 4 + tags.size() * indentWidth + name.size());
    if (inStartElement) {
        *at++ = '/';
        *at++ = '>';
        inStartElement = false;
    } else {
        if (!wroteCharacters)
            at = indent(at, tags.size() - 1);
        *at++ = '<';
        *at++ = '/';
        at = putName(at, name);
        *at++ = '>';
    }
    settle(out, at);
    tags.removeLast();
    wroteCharacters = false;
}

void SettingsTextWriter::finishStartElement() {
    if (inStartElement) {
        out += '>';
        inStartElement = false;
    }
}

char *SettingsTextWriter::indent(char *at, int depth) {
    *at++ = '\n';
    std::memset(at, ' ', size_t(depth * indentWidth));
    return at + depth * indentWidth;
}

void SettingsTextWriter::writeEscaped(const QString &text, bool attribute) {
    // At most six bytes a character: "&quot;", or three of UTF-8.
    char *at = room(out, text.size() * 6);
    const ushort *p = text.utf16(), *end = p + text.size();
    for (; p < end; ++p) {
        const ushort c = *p;
        if (c < 0x80) {
            switch (c) {
            case '<':
                at = put(at, "&lt;");
                break;
            case '>':
                at = put(at, "&gt;");
                break;
            case '&':
                at = put(at, "&amp;");
                break;
            case '"':
                at = put(at, "&quot;");
                break;
            case '\t':
            case '\n':
            case '\r':
                // Attribute values would have them normalized to spaces.
                if (attribute)
                    at = put(at, c == '\t' ? "&#9;" : c == '\n' ? "&#10;" : "&#13;");
                else
                    *at++ = char(c);
                break;
            default:
                if (c < 0x20)
                    error = true;
                else
                    *at++ = char(c);
            }
        } else if (c < 0x800) {
            *at++ = char(0xC0 | c >> 6);
            *at++ = char(0x80 | (c & 0x3F));
        } else if (QChar::isSurrogate(c)) {
            if (!QChar::isHighSurrogate(c) || p + 1 == end || !QChar::isLowSurrogate(p[1])) {
                error = true;
                continue;
            }
            const uint code = QChar::surrogateToUcs4(c, p[1]);
            ++p;
            *at++ = char(0xF0 | code >> 18);
            *at++ = char(0x80 | (code >> 12 & 0x3F));
            *at++ = char(0x80 | (code >> 6 & 0x3F));
            *at++ = char(0x80 | (code & 0x3F));
        } else if (c >= 0xFFFE) {
            error = true;
        } else {
            *at++ = char(0xE0 | c >> 12);
            *at++ = char(0x80 | (c >> 6 & 0x3F));
            *at++ = char(0x80 | (c & 0x3F));
        }
    }
    settle(out, at);
}

template <typename Number> void SettingsTextWriter::writeNumber(Number number) {
    using Unsigned = std::make_unsigned_t<Number>;
    char digits[24];
    char *at = digits + sizeof digits;
    const bool negative = number < 0;
    // Through the unsigned type, so the most negative number has a magnitude too.
    Unsigned magnitude = negative ? Unsigned(0) - Unsigned(number) : Unsigned(number);
    do {
        *--at = char('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude);
    if (negative)
        *--at = '-';
    out.append(at, int(digits + sizeof digits - at));
}

} // namespace Orvane::Imports
