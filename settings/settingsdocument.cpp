#include "settingsdocument.h"

#include "settings/scriptjson.h"
#include "settings/settingslist.h"
#include "settings/settingsmap.h"
#include "utils/nestingguard.h"
#include "utils/warning.h"

#include <QIODevice>
#include <QTextCodec>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace Orvane::Imports {

namespace {

const QString mapTag = QStringLiteral("map");
const QString listTag = QStringLiteral("list");
const QString valueTag = QStringLiteral("value");
const QString nameAttribute = QStringLiteral("name");
const QLatin1Char quote('"');

void startElement(QXmlStreamWriter &writer, const QString &tag, const QString &name) {
    writer.writeStartElement(tag);
    if (!name.isEmpty())
        writer.writeAttribute(nameAttribute, name);
}

// Booleans and numbers are written bare, as JSON.parse reads them back. Every other
// text (a string, URL, date, colour, font...) is quoted: bare, it would not read back
// at all, and quoted it returns as a string that QML converts into a bound property.
bool isBare(int type) {
    switch (type) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Double:
    case QMetaType::Float:
        return true;
    default:
        return false;
    }
}

// In one allocation, where the plain operators take three.
QString quoted(const QString &text) {
    QString result;
    result.reserve(text.size() + 2);
    result.append(quote).append(text).append(quote);
    return result;
}

// The text of a value as JSON.parse reads it back, or null when it has none (after a
// warning unless the entry was cleared).
QString valueText(const SaveNodeContext &context, const QVariant &value, const QString &name) {
    const int type = value.userType();
    if (type == qMetaTypeId<QJSValue>()) {
        const QJSValue script = value.value<QJSValue>();
        const QJSValue result =
            QJSValue(context.stringify).callWithInstance(context.json, {script});
        if (result.isError()) {
            ORV_WARNING("Imports::saveNode") << "invalid value: " << name;
            return QString();
        }
        return result.toString();
    }
    if (!value.canConvert<QString>()) {
        // A cleared entry is left out silently.
        if (value.isValid()) {
            ORV_WARNING("Imports::saveNode") << "invalid node: " << name;
        }
        return QString();
    }
    if (type == QMetaType::Nullptr)
        return QStringLiteral("null");
    if (isBare(type))
        return value.toString();
    return quoted(value.toString());
}

void writeValue(const SaveNodeContext &context, const QVariant &value, const QString &name) {
    const QString text = valueText(context, value, name);
    if (text.isNull())
        return;
    QXmlStreamWriter &writer = context.writer;
    startElement(writer, valueTag, name);
    writer.writeCharacters(text);
    writer.writeEndElement();
}

} // namespace

bool saveNode(const SaveNodeContext &context, const QVariant &value, const QString &name) {
    QXmlStreamWriter &writer = context.writer;
    if (writer.hasError())
        return false;
    // A plain value holds no map or list: spare it the conversion attempt.
    const int type = value.userType();
    QObject *object = type < QMetaType::User && type != QMetaType::QObjectStar
                          ? nullptr
                          : value.value<QObject *>();
    if (auto *map = qobject_cast<SettingsMap *>(object)) {
        startElement(writer, mapTag, name);
        for (const QString &key : map->keys())
            saveNode(context, map->value(key), key);
        writer.writeEndElement();
        map->setModified(false);
        return true;
    }
    if (auto *list = qobject_cast<SettingsList *>(object)) {
        startElement(writer, listTag, name);
        for (const QVariant &item : list->values())
            saveNode(context, item, QString());
        writer.writeEndElement();
        list->setModified(false);
        return true;
    }
    writeValue(context, value, name);
    return false;
}

bool saveDocument(const QJSValue &json, const QJSValue &stringify, QObject *tree,
                  QIODevice *device) {
    // Only a writer on the device names its encoding in the declaration.
    QXmlStreamWriter declaration(device);
    declaration.writeStartDocument();
    // The tree is composed as text and encoded once: a writer on a device encodes and
    // writes every piece apart, which costs more than composing it.
    QString text;
    text.reserve(8192); // a widget document of a hundred values, without growing
    QXmlStreamWriter writer(&text);
    writer.setAutoFormatting(true);
    saveNode({json, stringify, writer}, QVariant::fromValue(tree), QString());
    if (declaration.hasError() || writer.hasError())
        return false;
    // A lone surrogate passes the writer; the encoder refuses it as on a device.
    QTextCodec::ConverterState state(QTextCodec::IgnoreHeader);
    const QByteArray bytes =
        QTextCodec::codecForMib(106)->fromUnicode(text.constData(), text.size(), &state);
    return state.invalidChars == 0 && device->write(bytes) == bytes.size();
}

namespace {

QVariant readValue(const LoadNodeContext &context, const QString &text) {
    if (!text.startsWith(QLatin1Char('"'))) {
        // Most values are numbers and booleans: read without entering the engine.
        QVariant literal;
        if (ScriptJson::parseLiteral(text, &literal))
            return literal;
        const QJSValue result = context.parse.callWithInstance(context.json, {QJSValue(text)});
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
    return text.size() == 1 ? QStringLiteral("") : text.mid(1, text.size() - 2);
}

} // namespace

QVariant loadNode(const LoadNodeContext &context, QObject *parent) {
    QXmlStreamReader &reader = context.reader;
    const NestingGuard nesting(reader);
    if (reader.hasError())
        return QVariant();
    const QStringRef tag = reader.name();
    if (tag == mapTag) {
        auto *map = new SettingsMap(parent);
        QStringList keys;
        QVector<QVariant> values;
        while (reader.readNextStartElement()) {
            const QString key = reader.attributes().value(nameAttribute).toString();
            if (key.isEmpty()) {
                // Skipping the whole child keeps its siblings in this map.
                reader.skipCurrentElement();
                continue;
            }
            const QVariant child = loadNode(context, map);
            if (child.isValid()) {
                keys.append(key);
                values.append(child);
            }
        }
        map->insertAll(keys, values);
        map->setModified(false);
        return QVariant::fromValue(map);
    }
    if (tag == listTag) {
        auto *list = new SettingsList(parent);
        QList<QVariant> items;
        while (reader.readNextStartElement()) {
            const QVariant child = loadNode(context, list);
            if (child.isValid())
                items.append(child);
        }
        list->appendAll(std::move(items));
        list->setModified(false);
        return QVariant::fromValue(list);
    }
    if (tag == valueTag) {
        const QString text = reader.readElementText(QXmlStreamReader::ErrorOnUnexpectedElement);
        if (reader.hasError())
            return QVariant();
        return readValue(context, text);
    }
    ORV_WARNING("Imports::loadNode") << "invalid node: " << tag;
    reader.skipCurrentElement();
    return QVariant();
}

} // namespace Orvane::Imports
