#pragma once

#include "settings/scriptjson.h"

#include <QJSValue>
#include <QObject>
#include <QVariant>
#include <functional>

class QIODevice;
class QQmlEngine;

namespace Orvane::Imports {

class SettingsStore;

// The QML singleton "Settings": creates, saves, loads, inspects and deletes settings
// trees and raw files below the configuration directory.
class Settings : public QObject {
    Q_OBJECT

public:
    explicit Settings(QQmlEngine *engine, QObject *parent = nullptr);

    using OpenStore = std::function<QIODevice *(SettingsStore &)>;
    bool doSave(QObject *settings, const OpenStore &open);

    const ScriptJson &scriptJson() const { return json; }

public slots:
    bool isModified(const QVariant &settings, bool recursive = true);
    void setModified(const QVariant &settings, bool modified, bool recursive = true);
    bool save(QObject *settings, const QString &directory, const QString &name);
    bool saveToFile(QObject *settings, const QString &path);
    bool write(const QByteArray &data, const QString &directory, const QString &name);
    bool writeToFile(const QByteArray &data, const QString &path);
    bool remove(const QString &directory, const QString &name = QString());
    QObject *load(const QString &directory, const QString &name, QObject *parent = nullptr);
    QObject *loadFromFile(const QString &path, QObject *parent = nullptr);
    QVariant read(const QString &directory, const QString &name);
    QVariant readFromFile(const QString &path);
    bool exists(const QString &directory, const QString &name);
    QJSValue list(const QString &directory);
    QObject *createMap(QObject *parent = nullptr);
    QObject *createList(QObject *parent = nullptr);
    QObject *makeMap(QObject *object, const QString &name);
    QObject *makeList(QObject *object, const QString &name);

private:
    ScriptJson json;
};

} // namespace Orvane::Imports
