#include "scriptjson.h"

#include <QJSEngine>

#include <cmath>
#include <limits>

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

namespace {

bool isDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// The JSON number grammar: -?(0|[1-9][0-9]*)(\.[0-9]+)?([eE][+-]?[0-9]+)?
bool isJsonNumber(const QString &text) {
    const int size = text.size();
    int i = 0;
    if (i < size && text.at(i) == QLatin1Char('-'))
        ++i;
    if (i >= size || !isDigit(text.at(i)))
        return false;
    if (text.at(i) == QLatin1Char('0'))
        ++i;
    else
        while (i < size && isDigit(text.at(i)))
            ++i;
    if (i < size && text.at(i) == QLatin1Char('.')) {
        const int start = ++i;
        while (i < size && isDigit(text.at(i)))
            ++i;
        if (i == start)
            return false;
    }
    if (i < size && (text.at(i) == QLatin1Char('e') || text.at(i) == QLatin1Char('E'))) {
        ++i;
        if (i < size && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-')))
            ++i;
        const int start = i;
        while (i < size && isDigit(text.at(i)))
            ++i;
        if (i == start)
            return false;
    }
    return i == size;
}

} // namespace

bool ScriptJson::parseLiteral(const QString &text, QVariant *result) {
    if (text == QLatin1String("true") || text == QLatin1String("false")) {
        *result = QVariant(text.size() == 4);
        return true;
    }
    if (text == QLatin1String("null")) {
        *result = QVariant::fromValue(nullptr);
        return true;
    }
    if (text.size() > 40 || !isJsonNumber(text))
        return false;
    bool ok = false;
    const double number = text.toDouble(&ok);
    if (!ok || !std::isfinite(number))
        return false;
    // The engine keeps integral numbers in the int range as integers; a negative zero
    // stays a double unless it was written as the integer -0.
    const bool negativeZero = number == 0 && std::signbit(number);
    const bool integerText = !text.contains(QLatin1Char('.')) && !text.contains(QLatin1Char('e')) &&
                             !text.contains(QLatin1Char('E'));
    if (number >= std::numeric_limits<int>::min() && number <= std::numeric_limits<int>::max() &&
        number == std::floor(number) && (!negativeZero || integerText))
        *result = QVariant(int(number));
    else
        *result = QVariant(number);
    return true;
}

} // namespace Orvane::Imports
