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

ushort unitAt(const QString &text, int i) {
    return text.at(i).unicode();
}

bool isDigitAt(const QString &text, int i) {
    return unitAt(text, i) >= '0' && unitAt(text, i) <= '9';
}

// The JSON number grammar: -?(0|[1-9][0-9]*)(\.[0-9]+)?([eE][+-]?[0-9]+)?
// `integral` tells whether it had neither fraction nor exponent.
bool isJsonNumber(const QString &text, bool *integral) {
    const int size = text.size();
    int i = 0;
    if (i < size && unitAt(text, i) == '-')
        ++i;
    if (i >= size || !isDigitAt(text, i))
        return false;
    if (unitAt(text, i) == '0')
        ++i;
    else
        while (i < size && isDigitAt(text, i))
            ++i;
    *integral = i == size;
    if (i < size && unitAt(text, i) == '.') {
        const int start = ++i;
        while (i < size && isDigitAt(text, i))
            ++i;
        if (i == start)
            return false;
    }
    if (i < size && (unitAt(text, i) == 'e' || unitAt(text, i) == 'E')) {
        ++i;
        if (i < size && (unitAt(text, i) == '+' || unitAt(text, i) == '-'))
            ++i;
        const int start = i;
        while (i < size && isDigitAt(text, i))
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
    bool integral = false;
    if (text.size() > 40 || !isJsonNumber(text, &integral))
        return false;
    const bool negative = unitAt(text, 0) == '-';
    if (integral && text.size() - negative <= 9) {
        // Nine digits fit an int exactly; -0 written as an integer is the integer 0.
        int number = 0;
        for (int i = negative; i < text.size(); ++i)
            number = number * 10 + (unitAt(text, i) - '0');
        *result = QVariant(negative ? -number : number);
        return true;
    }
    bool ok = false;
    const double number = text.toDouble(&ok);
    if (!ok || !std::isfinite(number))
        return false;
    // The engine keeps integral numbers in the int range as integers; a negative zero
    // stays a double unless it was written as the integer -0.
    const bool negativeZero = number == 0 && std::signbit(number);
    if (number >= std::numeric_limits<int>::min() && number <= std::numeric_limits<int>::max() &&
        number == std::floor(number) && (!negativeZero || integral))
        *result = QVariant(int(number));
    else
        *result = QVariant(number);
    return true;
}

} // namespace Orvane::Imports
