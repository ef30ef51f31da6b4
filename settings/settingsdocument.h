#pragma once

#include <QJSValue>
#include <QVariant>

class QIODevice;
class QObject;
class QXmlStreamReader;
class QXmlStreamWriter;

namespace Orvane::Imports {

struct SaveNodeContext {
    const QJSValue &json;
    const QJSValue &stringify;
    QXmlStreamWriter &writer;
};

struct LoadNodeContext {
    QJSValue json;
    mutable QJSValue parse; // calling it is not const
    QXmlStreamReader &reader;
};

// Writes one entry of a settings tree as a map, list or value element. True only
// when a map or list element was written.
bool saveNode(const SaveNodeContext &context, const QVariant &value, const QString &name);

// Writes the document of a settings tree (a map or list) into the device. False when
// some text cannot be written as XML; the device then holds no whole document.
bool saveDocument(const QJSValue &json, const QJSValue &stringify, QObject *tree,
                  QIODevice *device);

// Reads the element the reader stands on; maps and lists become children of
// `parent`. Invalid when nothing could be read.
QVariant loadNode(const LoadNodeContext &context, QObject *parent);

} // namespace Orvane::Imports
