#pragma once

#include <QByteArray>
#include <QLatin1String>
#include <QString>
#include <QStringList>
#include <QVector>

namespace Orvane::Imports {

enum class NodeTag : quint8 { Map, List, Value, Other };

// Reads settings documents in the form this library writes them (the declaration
// QXmlStreamWriter puts first, map, list and value elements, a name attribute, text,
// the five predefined entities and character references) several times faster than
// QXmlStreamReader. It accepts a document only when it is sure to read it exactly as
// QXmlStreamReader would; for anything else open() says no and the caller reads the
// document with QXmlStreamReader, whose messages the errors need.
//
// Once open, its cursor is spelled like the calls the node reader makes on a
// QXmlStreamReader, so one reading procedure serves both.
class SettingsTokenReader {
public:
    // The document must outlive the reader: tokens point into it.
    bool open(const QByteArray &document);

    bool hasError() const { return false; }
    NodeTag tag() const { return m_tokens.at(m_current).tag; }
    QString tagName() const;
    bool readNextStartElement();
    void skipCurrentElement();
    // The name attribute of the current element, as the string at `at` of `expected`
    // when they are equal, so alike maps share their keys' storage.
    QString key(const QStringList &expected, int at) const;
    QString readElementText() const;
    // The element's text where it lies when it is ASCII without references, else null.
    QLatin1String plainText() const;

private:
    struct Range {
        int begin = 0;
        int length = 0;
        bool plain = true; // ASCII without references: the bytes are the characters
    };
    struct Token {
        NodeTag tag; // Other marks the end of a map or list
        Range name;
        Range text;
    };

    bool scan();
    bool scanStartTag(QVector<NodeTag> &open);
    bool scanEndTag(NodeTag open);
    bool scanCharacters(char stop, Range &range);
    QString decode(const Range &range) const;

    const char *m_data = nullptr;
    int m_size = 0;
    int m_at = 0;
    QVector<Token> m_tokens;
    int m_current = 0;
    int m_next = 1;
};

} // namespace Orvane::Imports
