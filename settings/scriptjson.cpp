#include "scriptjson.h"

#include <QJSEngine>

namespace Orvane::Imports {

ScriptJson::ScriptJson(QJSEngine *engine)
    : scriptEngine(engine) {
    if (!engine)
        return;
    json = engine->evaluate(QStringLiteral("JSON"), QString(), 1);
    stringify = json.property(QStringLiteral("stringify"));
    parse = json.property(QStringLiteral("parse"));
}

QJSValue ScriptJson::callStringify(const QJSValue &value) const {
    return stringify.callWithInstance(json, {value});
}

QJSValue ScriptJson::callParse(const QString &text) const {
    return parse.callWithInstance(json, {QJSValue(text)});
}

} // namespace Orvane::Imports
