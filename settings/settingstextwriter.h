#pragma once

#include <QByteArray>
#include <QString>
#include <QVariant>
#include <QVector>

namespace Orvane::Imports {

// Writes a settings document byte for byte as QXmlStreamWriter does with automatic
// formatting, into memory and in UTF-8, at a fraction of its cost: the same
// indentation, empty elements, escapes, and the same error for a character XML cannot
// carry (a control character, U+FFFE, U+FFFF, a lone surrogate). Its calls are spelled
// like the writer's, so one writing procedure serves both.
class SettingsTextWriter {
public:
    explicit SettingsTextWriter(QByteArray *document)
        : out(*document) {}

    void writeStartDocument();
    void writeStartElement(const QString &name);
    void writeAttribute(const QString &name, const QString &value);
    void writeCharacters(const QString &text);
    // The variant's own conversion to string, spelled here for the kinds where that
    // is sure to give the same text.
    void writeValue(const QVariant &value);
    void writeEndElement();
    bool hasError() const { return error; }

private:
    void finishStartElement();
    static char *indent(char *at, int depth);
    void writeEscaped(const QString &text, bool attribute);
    template <typename Number> void writeNumber(Number number);

    QByteArray &out;
    QVector<QString> tags; // of the open elements
    bool inStartElement = false;
    bool wroteCharacters = false; // since the last tag
    bool error = false;
};

} // namespace Orvane::Imports
