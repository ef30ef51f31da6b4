#pragma once

#include <QJSEngine>
#include <QJSValue>
#include <QPointer>
#include <QVariant>

namespace Orvane::Imports {

// The engine's own JSON object with its stringify and parse functions, fetched once,
// so script values written as text read back exactly as the engine would read them.
class ScriptJson {
public:
    ScriptJson() = default;
    explicit ScriptJson(QJSEngine *engine);

    QJSEngine *engine() const { return scriptEngine.data(); }
    const QJSValue &object() const { return json; }
    const QJSValue &stringifyFunction() const { return stringify; }
    const QJSValue &parseFunction() const { return parse; }

    // Both return the engine's error value when the call throws.
    QJSValue callStringify(const QJSValue &value) const;
    QJSValue callParse(const QString &text) const;

    // Reads the plain literals of a document (true, false, null, JSON numbers) the way
    // JSON.parse followed by QJSValue::toVariant would, without entering the engine.
    // False when the text is anything else: the caller then asks the engine.
    static bool parseLiteral(const QString &text, QVariant *result);

private:
    QPointer<QJSEngine> scriptEngine;
    mutable QJSValue json;
    mutable QJSValue stringify;
    mutable QJSValue parse;
};

} // namespace Orvane::Imports
