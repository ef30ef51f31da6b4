#include "scriptjson.h"

#include <QJSEngine>
#include <QtQml/private/qjsvalue_p.h>
#include <QtQml/private/qv4arrayobject_p.h>
#include <QtQml/private/qv4scopedvalue_p.h>

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
ushort unitAt(QLatin1String text, int i) {
    return uchar(text.at(i).toLatin1());
}

template <typename Text> bool isDigitAt(const Text &text, int i) {
    return unitAt(text, i) >= '0' && unitAt(text, i) <= '9';
}

// The JSON number grammar: -?(0|[1-9][0-9]*)(\.[0-9]+)?([eE][+-]?[0-9]+)?
// `integral` tells whether it had neither fraction nor exponent.
template <typename Text> bool isJsonNumber(const Text &text, bool *integral) {
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

double toDouble(const QString &text, bool *ok) {
    return text.toDouble(ok);
}
double toDouble(QLatin1String text, bool *ok) {
    return QString(text).toDouble(ok);
}

template <typename Text> bool parseLiteralText(const Text &text, QVariant *result) {
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
    const double number = toDouble(text, &ok);
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

void appendInteger(QString &text, qlonglong number) {
    QChar digits[24];
    QChar *at = digits + 24;
    const bool negative = number < 0;
    qulonglong magnitude = negative ? 0 - qulonglong(number) : qulonglong(number);
    do {
        *--at = QLatin1Char(char('0' + magnitude % 10));
        magnitude /= 10;
    } while (magnitude);
    if (negative)
        *--at = QLatin1Char('-');
    text.append(at, int(digits + 24 - at));
}

} // namespace

bool ScriptJson::parseLiteral(const QString &text, QVariant *result) {
    return parseLiteralText(text, result);
}

bool ScriptJson::parseLiteral(QLatin1String text, QVariant *result) {
    return parseLiteralText(text, result);
}

bool ScriptJson::stringifyPlain(const QJSValue &value, QString *result) {
    // Through the engine's own objects: QJSValue's lookups by name make a script string
    // each time, and cost more than all the rest of writing an array.
    QV4::Value *stored = QJSValuePrivate::getValue(&value);
    QV4::ExecutionEngine *engine = QJSValuePrivate::engine(&value);
    // An exception already pending is its thrower's to handle, not ours to catch.
    if (!stored || !engine || engine->hasException)
        return false;
    QV4::Scope scope(engine);
    QV4::ScopedArrayObject array(scope, *stored);
    if (!array)
        return false;
    QV4::ScopedString toJson(scope, engine->newIdentifier(QStringLiteral("toJSON")));
    QV4::ScopedValue item(scope, array->get(toJson));
    // A getter may throw; the engine's own call then runs it again and reports it.
    const auto failed = [engine] {
        if (engine->hasException)
            engine->catchException();
        return false;
    };
    if (engine->hasException || !item->isUndefined())
        return failed();
    const uint length = array->getLength();
    QString text;
    // A sparse array can claim any length: its first hole sends it to the engine.
    text.reserve(2 + int(qMin(length, 1024u)) * 8);
    text += QLatin1Char('[');
    for (uint i = 0; i < length; ++i) {
        if (i)
            text += QLatin1Char(',');
        item = array->get(i);
        if (engine->hasException)
            return failed();
        if (item->isBoolean()) {
            text += item->booleanValue() ? QLatin1String("true") : QLatin1String("false");
        } else if (item->isNull()) {
            text += QLatin1String("null");
        } else if (item->isNumber()) {
            // Integers print the same everywhere below 2^53; other numbers, and the
            // negative zero the engine prints as 0, are the engine's to spell.
            const double number = item->toNumber();
            if (number != std::floor(number) || std::fabs(number) > 9007199254740992.0 ||
                (number == 0 && std::signbit(number)))
                return false;
            appendInteger(text, qlonglong(number));
        } else if (const QV4::String *string = item->stringValue()) {
            const QString characters = string->toQString();
            // Escapes are the engine's to spell.
            for (const QChar c : characters)
                if (c.unicode() < 0x20 || c == QLatin1Char('"') || c == QLatin1Char('\\') ||
                    c.isSurrogate())
                    return false;
            text += QLatin1Char('"');
            text += characters;
            text += QLatin1Char('"');
        } else {
            return false;
        }
    }
    *result = text + QLatin1Char(']');
    return true;
}

} // namespace Orvane::Imports
