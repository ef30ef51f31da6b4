#include "settingsdocument.h"

#include "settings/scriptjson.h"
#include "settings/settingslist.h"
#include "settings/settingsmap.h"
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

void startElement(QXmlStreamWriter &writer, const QString &tag, const QString &name) {
    writer.writeStartElement(tag);
    if (!name.isEmpty())
        writer.writeAttribute(nameAttribute, name);
}

bool isQuoted(int type) {
    return type == QMetaType::QString || type == QMetaType::QDateTime || type == QMetaType::QUrl;
}

} // namespace

bool saveNode(const SaveNodeContext &context, const QVariant &value, const QString &name) {
    QXmlStreamWriter &writer = context.writer;
    if (writer.hasError())
        return false;
    QObject *object = value.value<QObject *>();
    if (auto *map = qobject_cast<SettingsMap *>(object)) {
        startElement(writer, mapTag, name);
        const QStringList &keys = map->orderedKeys();
        const QVector<QVariant> &values = map->orderedValues();
        for (int i = 0; i < keys.size(); ++i)
            saveNode(context, values.at(i), keys.at(i));
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
            writer.writeCharacters(value.toString());
        }
        writer.writeEndElement();
        return false;
    }
    const QJSValue text =
        QJSValue(context.stringify).callWithInstance(context.json, {value.value<QJSValue>()});
    if (text.isError()) {
        ORV_WARNING("Imports::saveNode") << "invalid value: " << name;
        return false;
    }
    startElement(writer, valueTag, name);
    writer.writeCharacters(text.toString());
    writer.writeEndElement();
    return false;
}

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
        // Alike sibling maps spell the same keys: share the strings of the one before.
        const QStringList expected =
            context.layouts ? context.layouts->recentKeys() : QStringList();
        keys.reserve(expected.size());
        values.reserve(expected.size());
        while (reader.readNextStartElement()) {
            QString key;
            {
                // Not kept past this token: the reader would have to copy its attributes.
                const QXmlStreamAttributes attributes = reader.attributes();
                const QStringRef name = attributes.value(nameAttribute);
                const int at = keys.size();
                key = at < expected.size() && expected.at(at) == name ? expected.at(at)
                                                                      : name.toString();
            }
            if (key.isEmpty()) {
                // Skipping the whole child keeps its siblings in this map.
                reader.skipCurrentElement();
                continue;
            }
            QVariant child = loadNode(context, map);
            if (child.isValid()) {
                keys.append(key);
                values.append(std::move(child));
            }
        }
        map->insertEntries(keys, std::move(values), context.layouts);
        map->setModified(false);
        return QVariant::fromValue(map);
    }
    if (tag == listTag) {
        auto *list = new SettingsList(parent);
        while (reader.readNextStartElement()) {
            const QVariant child = loadNode(context, list);
            if (child.isValid())
                list->append(child);
        }
        list->setModified(false);
        return QVariant::fromValue(list);
    }
    if (tag == valueTag) {
        QString text = reader.readElementText(QXmlStreamReader::ErrorOnUnexpectedElement);
        if (reader.hasError())
            return QVariant();
        if (!text.startsWith(QLatin1Char('"'))) {
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
        if (text.size() == 1)
            return QStringLiteral("");
        // In place: the text's buffer is this function's alone.
        text.chop(1);
        text.remove(0, 1);
        return text;
    }
    ORV_WARNING("Imports::loadNode") << "invalid node: " << tag;
    reader.skipCurrentElement();
    return QVariant();
}

} // namespace Orvane::Imports
