#pragma once

// The two readers of a settings document on the same bytes and the two writers on
// the same tree, for the test and the fuzzer that hold them to one result:
// QXmlStreamReader framed as a load frames it and the token reader, which may refuse
// the document; QXmlStreamWriter and the text writer.
#include "settings/settings.h"
#include "settings/settingsdocument.h"
#include "settings/settingslist.h"
#include "settings/settingsmap.h"
#include "settings/settingstextwriter.h"
#include "settings/settingstokenreader.h"

#include <QScopedPointer>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace BothWays {

using namespace Orvane::Imports;

// Kinds, keys, values and their types, modified flags and parents, in order.
inline QString dump(const QVariant &value, const ScriptJson &json, const QObject *parent) {
    QObject *object = value.value<QObject *>();
    const QString mark = object && object->parent() != parent ? "!" : "";
    if (auto *map = qobject_cast<SettingsMap *>(object)) {
        QString text = mark + (map->isModified() ? "*{" : "{");
        for (int i = 0; i < map->orderedKeys().size(); ++i)
            text +=
                map->orderedKeys().at(i) + '=' + dump(map->orderedValues().at(i), json, map) + ';';
        return text + '}';
    }
    if (auto *list = qobject_cast<SettingsList *>(object)) {
        QString text = mark + (list->isModified() ? "*[" : "[");
        for (const QVariant &item : list->values())
            text += dump(item, json, list) + ';';
        return text + ']';
    }
    if (value.userType() == qMetaTypeId<QJSValue>())
        return "js " + json.callStringify(value.value<QJSValue>()).toString();
    const QString shown = value.userType() == QMetaType::Double
                              ? QString::number(value.toDouble(), 'g', 17)
                              : value.toString();
    return QString(value.typeName()) + ' ' + shown;
}

struct Reading {
    bool accepted = false; // only meaningful for the token reader
    QString tree;          // empty when nothing was read
    QStringList warnings;
};

class WarningCapture {
public:
    explicit WarningCapture(QStringList *into) {
        target() = into;
        previous =
            qInstallMessageHandler([](QtMsgType, const QMessageLogContext &,
                                      const QString &message) { target()->append(message); });
    }
    ~WarningCapture() { qInstallMessageHandler(previous); }

private:
    static QStringList *&target() {
        static QStringList *value = nullptr;
        return value;
    }
    QtMessageHandler previous;
};

inline Reading readWithXml(const QByteArray &document, const Settings &settings) {
    Reading reading;
    const WarningCapture capture(&reading.warnings);
    QXmlStreamReader reader(document);
    reader.readNext();
    if (!reader.readNextStartElement() ||
        (reader.name() != QLatin1String("map") && reader.name() != QLatin1String("list")))
        return reading;
    SettingsMapLayouts layouts;
    const ScriptJson &json = settings.scriptJson();
    const LoadNodeContext context{json.object(), json.parseFunction(), reader, &layouts};
    QScopedPointer<QObject> root(loadNode(context, nullptr).value<QObject *>());
    if (!reader.hasError())
        reading.tree = dump(QVariant::fromValue(root.data()), json, nullptr);
    return reading;
}

inline Reading readWithTokens(const QByteArray &document, const Settings &settings) {
    Reading reading;
    const WarningCapture capture(&reading.warnings);
    SettingsTokenReader tokens;
    reading.accepted = tokens.open(document);
    if (!reading.accepted)
        return reading;
    SettingsMapLayouts layouts;
    const ScriptJson &json = settings.scriptJson();
    const TokenNodeContext context{json.object(), json.parseFunction(), tokens, &layouts};
    QScopedPointer<QObject> root(loadNode(context, nullptr).value<QObject *>());
    reading.tree = dump(QVariant::fromValue(root.data()), json, nullptr);
    return reading;
}

struct Writing {
    QByteArray document; // what the writer wrote, or empty after a writer error
    QStringList warnings;
};

// Writes the document, then forgets it if the writer failed.
template <typename Context, typename Writer>
void writeTree(Writer &writer, QObject *tree, const Settings &settings, QByteArray *document) {
    writer.writeStartDocument();
    const ScriptJson &json = settings.scriptJson();
    saveNode(Context{json.object(), json.stringifyFunction(), writer}, QVariant::fromValue(tree),
             {});
    if (writer.hasError())
        document->clear();
}

inline Writing writeWithXml(QObject *tree, const Settings &settings) {
    Writing writing;
    const WarningCapture capture(&writing.warnings);
    QXmlStreamWriter writer(&writing.document);
    writer.setAutoFormatting(true);
    writeTree<SaveNodeContext>(writer, tree, settings, &writing.document);
    return writing;
}

inline Writing writeWithText(QObject *tree, const Settings &settings) {
    Writing writing;
    const WarningCapture capture(&writing.warnings);
    SettingsTextWriter writer(&writing.document);
    writeTree<TextNodeContext>(writer, tree, settings, &writing.document);
    return writing;
}

} // namespace BothWays
