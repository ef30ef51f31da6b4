#pragma once

#include <QJSValue>
#include <QVariant>

class QObject;
class QXmlStreamReader;
class QXmlStreamWriter;

namespace Orvane::Imports {

struct SaveNodeContext {
    QJSValue json;
    QJSValue stringify;
    QXmlStreamWriter &writer;
};

class SettingsTextWriter;

// The same for the writer that spells QXmlStreamWriter's output itself.
struct TextNodeContext {
    QJSValue json;
    QJSValue stringify;
    SettingsTextWriter &writer;
};

class SettingsMapLayouts;

struct LoadNodeContext {
    QJSValue json;
    mutable QJSValue parse; // calling it is not const
    QXmlStreamReader &reader;
    SettingsMapLayouts *layouts = nullptr; // shared by the maps of one document
};

class SettingsTokenReader;

// The same for a document that SettingsTokenReader accepted.
struct TokenNodeContext {
    QJSValue json;
    mutable QJSValue parse;
    SettingsTokenReader &reader;
    SettingsMapLayouts *layouts = nullptr;
};

// Writes one entry of a settings tree as a map, list or value element. True only
// when a map or list element was written.
bool saveNode(const SaveNodeContext &context, const QVariant &value, const QString &name);
// Writes the same bytes as the one above, and fails where it fails.
bool saveNode(const TextNodeContext &context, const QVariant &value, const QString &name);

// Reads the element the reader stands on; maps and lists become children of
// `parent`. Invalid when nothing could be read.
QVariant loadNode(const LoadNodeContext &context, QObject *parent);
// Reads the element the token reader stands on exactly as the one above would read
// the same document.
QVariant loadNode(const TokenNodeContext &context, QObject *parent);

} // namespace Orvane::Imports
