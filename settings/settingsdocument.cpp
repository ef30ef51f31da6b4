#include "settingsdocument.h"

#include "settings/scriptjson.h"
#include "settings/settingslist.h"
#include "settings/settingsmap.h"
#include "settings/settingstextwriter.h"
#include "settings/settingstokenreader.h"
#include "utils/nestingguard.h"
#include "utils/warning.h"

#include <QDateTime>
#include <QUrl>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace Orvane::Imports {

namespace {

const QString mapTag = QStringLiteral("map");
const QString listTag = QStringLiteral("list");
const QString valueTag = QStringLiteral("value");
const QString nameAttribute = QStringLiteral("name");
const QString quote = QStringLiteral("\"");

template <typename Writer>
void startElement(Writer &writer, const QString &tag, const QString &name) {
    writer.writeStartElement(tag);
    if (!name.isEmpty())
        writer.writeAttribute(nameAttribute, name);
}

bool isQuoted(int type) {
    return type == QMetaType::QString || type == QMetaType::QDateTime || type == QMetaType::QUrl;
}

void writeValue(QXmlStreamWriter &writer, const QVariant &value) {
    writer.writeCharacters(value.toString());
}

void writeValue(SettingsTextWriter &writer, const QVariant &value) {
    writer.writeValue(value);
}

// What writing a node needs besides the writer.
struct NodeJson {
    const QJSValue &json;
    const QJSValue &stringify;
};

template <typename Writer>
bool writeNode(const NodeJson &json, Writer &writer, const QVariant &value, const QString &name) {
    if (writer.hasError())
        return false;
    // Of the built-in types only QObject* can hold a map or a list.
    const int type = value.userType();
    QObject *object = type >= QMetaType::User || type == QMetaType::QObjectStar
                          ? value.value<QObject *>()
                          : nullptr;
    if (auto *map = qobject_cast<SettingsMap *>(object)) {
        startElement(writer, mapTag, name);
        const QStringList &keys = map->orderedKeys();
        const QVector<QVariant> &values = map->orderedValues();
        for (int i = 0; i < keys.size(); ++i)
            writeNode(json, writer, values.at(i), keys.at(i));
        writer.writeEndElement();
        map->setModified(false);
        return true;
    }
    if (auto *list = qobject_cast<SettingsList *>(object)) {
        startElement(writer, listTag, name);
        for (const QVariant &item : list->values())
            writeNode(json, writer, item, QString());
        writer.writeEndElement();
        list->setModified(false);
        return true;
    }
    if (value.userType() != qMetaTypeId<QJSValue>()) {
        if (!value.canConvert<QString>()) {
            if (value.isValid()) {
                ORV_WARNING("Imports::saveNode") << "invalid node: " << name;
            }
            return false;
        }
        startElement(writer, valueTag, name);
        if (value.userType() == QMetaType::Nullptr) {
            writer.writeCharacters(QStringLiteral("null"));
        } else if (isQuoted(value.userType())) {
            writer.writeCharacters(quote);
            writer.writeCharacters(value.toString());
            writer.writeCharacters(quote);
        } else {
            writeValue(writer, value);
        }
        writer.writeEndElement();
        return false;
    }
    const QJSValue script = value.value<QJSValue>();
    QString text;
    if (!ScriptJson::stringifyPlain(script, &text)) {
        const QJSValue result = QJSValue(json.stringify).callWithInstance(json.json, {script});
        if (result.isError()) {
            ORV_WARNING("Imports::saveNode") << "invalid value: " << name;
            return false;
        }
        text = result.toString();
    }
    startElement(writer, valueTag, name);
    writer.writeCharacters(text);
    writer.writeEndElement();
    return false;
}

} // namespace

bool saveNode(const SaveNodeContext &context, const QVariant &value, const QString &name) {
    return writeNode({context.json, context.stringify}, context.writer, value, name);
}

bool saveNode(const TextNodeContext &context, const QVariant &value, const QString &name) {
    return writeNode({context.json, context.stringify}, context.writer, value, name);
}

namespace {

// What reading a node needs besides the reader.
struct NodeScript {
    const QJSValue &json;
    QJSValue &parse;
    SettingsMapLayouts *layouts;
    QJSValueList arguments{QJSValue()}; // one list for every call
};

// QXmlStreamReader through the calls the node reader makes, spelled as
// SettingsTokenReader spells them.
struct XmlNodeReader {
    QXmlStreamReader &xml;

    bool hasError() const { return xml.hasError(); }
    NodeTag tag() const {
        const QStringRef name = xml.name();
        if (name == mapTag)
            return NodeTag::Map;
        if (name == listTag)
            return NodeTag::List;
        return name == valueTag ? NodeTag::Value : NodeTag::Other;
    }
    QString tagName() const { return xml.name().toString(); }
    bool readNextStartElement() { return xml.readNextStartElement(); }
    void skipCurrentElement() { xml.skipCurrentElement(); }
    QString key(const QStringList &expected, int at) const {
        // Not kept past this token: the reader would have to copy its attributes.
        const QXmlStreamAttributes attributes = xml.attributes();
        const QStringRef name = attributes.value(nameAttribute);
        return at < expected.size() && expected.at(at) == name ? expected.at(at) : name.toString();
    }
    QString readElementText() {
        return xml.readElementText(QXmlStreamReader::ErrorOnUnexpectedElement);
    }
    QLatin1String plainText() const { return QLatin1String(); }
};

struct NoGuard {};

// The token reader checked the nesting before it accepted the document.
NoGuard enterNode(SettingsTokenReader &) {
    return {};
}
NestingGuard enterNode(XmlNodeReader &reader) {
    return NestingGuard(reader.xml);
}

QVariant readValue(NodeScript &script, QString text) {
    if (!text.startsWith(QLatin1Char('"'))) {
        QVariant literal;
        if (ScriptJson::parseLiteral(text, &literal))
            return literal;
        script.arguments[0] = QJSValue(text);
        const QJSValue result = script.parse.callWithInstance(script.json, script.arguments);
        if (result.isError()) {
            ORV_WARNING("Imports::loadNode") << "invalid value: " << text;
            return QVariant();
        }
        if (result.isArray() || (result.isObject() && !result.isQObject()))
            return QVariant::fromValue(result);
        return result.toVariant();
    }
    if (!text.endsWith(QLatin1Char('"'))) {
        ORV_WARNING("Imports::loadNode") << "invalid string: " << text;
        return QVariant();
    }
    // A lone quote is both the first and the last character.
    if (text.size() == 1)
        return QStringLiteral("");
    // In place: the text's buffer is this function's alone.
    text.chop(1);
    text.remove(0, 1);
    return text;
}

template <typename Reader> QVariant readNode(NodeScript &script, Reader &reader, QObject *parent) {
    [[maybe_unused]] const auto nesting = enterNode(reader);
    if (reader.hasError())
        return QVariant();
    switch (reader.tag()) {
    case NodeTag::Map: {
        auto *map = new SettingsMap(parent);
        QStringList keys;
        QVector<QVariant> values;
        // Alike sibling maps spell the same keys: share the strings of the one before.
        const QStringList expected = script.layouts ? script.layouts->recentKeys() : QStringList();
        keys.reserve(expected.size());
        values.reserve(expected.size());
        while (reader.readNextStartElement()) {
            QString key = reader.key(expected, keys.size());
            if (key.isEmpty()) {
                // Skipping the whole child keeps its siblings in this map.
                reader.skipCurrentElement();
                continue;
            }
            QVariant child = readNode(script, reader, map);
            if (child.isValid()) {
                keys.append(std::move(key));
                values.append(std::move(child));
            }
        }
        map->insertEntries(keys, std::move(values), script.layouts);
        map->setModified(false);
        return QVariant::fromValue(map);
    }
    case NodeTag::List: {
        auto *list = new SettingsList(parent);
        QList<QVariant> items;
        while (reader.readNextStartElement()) {
            QVariant child = readNode(script, reader, list);
            if (child.isValid())
                items.append(std::move(child));
        }
        list->appendAll(std::move(items));
        list->setModified(false);
        return QVariant::fromValue(list);
    }
    case NodeTag::Value: {
        // Most values are numbers and booleans: read where they lie, mostly without a string.
        QVariant literal;
        const QLatin1String plain = reader.plainText();
        if (plain.data() && ScriptJson::parseLiteral(plain, &literal))
            return literal;
        QString text = reader.readElementText();
        if (reader.hasError())
            return QVariant();
        return readValue(script, std::move(text));
    }
    case NodeTag::Other:
        break;
    }
    ORV_WARNING("Imports::loadNode") << "invalid node: " << reader.tagName();
    reader.skipCurrentElement();
    return QVariant();
}

} // namespace

QVariant loadNode(const LoadNodeContext &context, QObject *parent) {
    XmlNodeReader reader{context.reader};
    NodeScript script{context.json, context.parse, context.layouts};
    return readNode(script, reader, parent);
}

QVariant loadNode(const TokenNodeContext &context, QObject *parent) {
    NodeScript script{context.json, context.parse, context.layouts};
    return readNode(script, context.reader, parent);
}

} // namespace Orvane::Imports
