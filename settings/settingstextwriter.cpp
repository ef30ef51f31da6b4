#include "settingstextwriter.h"

#include <cstring>
#include <type_traits>

namespace Orvane::Imports {

namespace {

const char declaration[] = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";
const int indentWidth = 4;

// Room for `count` more bytes at the end of `out`; the caller trims what it left over.
char *grow(QByteArray &out, int count) {
    const int size = out.size();
    out.resize(size + count);
    return out.data() + size;
}

} // namespace

void SettingsTextWriter::writeStartDocument() {
    out += declaration;
}

void SettingsTextWriter::writeStartElement(const QString &name) {
    finishStartElement();
    if (!wroteCharacters)
        indent(tags.size());
    out += '<';
    writeName(name);
    tags.append(name);
    inStartElement = true;
    wroteCharacters = false;
}

void SettingsTextWriter::writeAttribute(const QString &name, const QString &value) {
    out += ' ';
    writeName(name);
    out += "=\"";
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
    if (inStartElement) {
        out += "/>";
        inStartElement = false;
    } else {
        if (!wroteCharacters)
            indent(tags.size() - 1);
        out += "</";
        writeName(tags.last());
        out += '>';
    }
    tags.removeLast();
    wroteCharacters = false;
}

void SettingsTextWriter::finishStartElement() {
    if (inStartElement) {
        out += '>';
        inStartElement = false;
    }
}

void SettingsTextWriter::indent(int depth) {
    char *at = grow(out, 1 + depth * indentWidth);
    *at = '\n';
    std::memset(at + 1, ' ', size_t(depth * indentWidth));
}

// Element and attribute names are the document's own ASCII words.
void SettingsTextWriter::writeName(const QString &name) {
    char *at = grow(out, name.size());
    for (const QChar c : name)
        *at++ = char(c.unicode());
}

void SettingsTextWriter::writeEscaped(const QString &text, bool attribute) {
    const int size = out.size();
    // At most six bytes a character: "&quot;", or three of UTF-8.
    char *begin = grow(out, text.size() * 6);
    char *at = begin;
    const auto put = [&at](const char *escape) {
        while (*escape)
            *at++ = *escape++;
    };
    const ushort *p = text.utf16(), *end = p + text.size();
    for (; p < end; ++p) {
        const ushort c = *p;
        if (c < 0x80) {
            switch (c) {
            case '<':
                put("&lt;");
                break;
            case '>':
                put("&gt;");
                break;
            case '&':
                put("&amp;");
                break;
            case '"':
                put("&quot;");
                break;
            case '\t':
                attribute ? put("&#9;") : void(*at++ = '\t');
                break;
            case '\n':
                attribute ? put("&#10;") : void(*at++ = '\n');
                break;
            case '\r':
                attribute ? put("&#13;") : void(*at++ = '\r');
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
    out.resize(size + int(at - begin));
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
