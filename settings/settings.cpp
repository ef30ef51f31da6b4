#include "settings.h"

#include "common/paths.h"
#include "settings/settingsdocument.h"
#include "settings/settingslist.h"
#include "settings/settingsmap.h"
#include "settings/settingsmapattached.h"
#include "settings/settingspath.h"
#include "settings/settingsstore.h"
#include "utils/boundeddevice.h"
#include "utils/warning.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QQmlEngine>
#include <QXmlStreamReader>

namespace Orvane::Imports {

namespace {

const QString extension = QStringLiteral(".xml");

bool isTree(QObject *object) {
    return qobject_cast<SettingsMap *>(object) || qobject_cast<SettingsList *>(object);
}

bool ownModified(QObject *object) {
    if (auto *map = qobject_cast<SettingsMap *>(object))
        return map->isModified();
    return static_cast<SettingsList *>(object)->isModified();
}

QVariantList children(QObject *object) {
    QVariantList values;
    if (auto *map = qobject_cast<SettingsMap *>(object)) {
        for (const QString &key : map->keys())
            values.append(map->value(key));
    } else {
        values = static_cast<SettingsList *>(object)->values();
    }
    return values;
}

bool treeModified(QObject *object) {
    if (ownModified(object))
        return true;
    for (const QVariant &value : children(object)) {
        QObject *child = value.value<QObject *>();
        if (isTree(child) && treeModified(child))
            return true;
    }
    return false;
}

void markTree(QObject *object, bool modified, bool recursive) {
    if (recursive) {
        for (const QVariant &value : children(object)) {
            QObject *child = value.value<QObject *>();
            if (isTree(child))
                markTree(child, modified, true);
        }
    }
    if (auto *map = qobject_cast<SettingsMap *>(object))
        map->setModified(modified);
    else
        static_cast<SettingsList *>(object)->setModified(modified);
}

bool writeBytes(const QByteArray &data, SettingsStore &store, QIODevice *device) {
    return device && device->write(data) != -1 && store.commit();
}

} // namespace

Settings::Settings(QQmlEngine *engine, QObject *parent)
    : QObject(parent)
    , json(engine) {}

bool Settings::isModified(const QVariant &settings, bool recursive) {
    QObject *object = settings.value<QObject *>();
    if (!isTree(object)) {
        ORV_WARNING("Settings::isModified") << "invalid settings";
        return false;
    }
    return recursive ? treeModified(object) : ownModified(object);
}

void Settings::setModified(const QVariant &settings, bool modified, bool recursive) {
    QObject *object = settings.value<QObject *>();
    if (!isTree(object)) {
        ORV_WARNING("Settings::setModified") << "invalid settings";
        return;
    }
    markTree(object, modified, recursive);
}

bool Settings::doSave(QObject *settings, const OpenStore &open) {
    if (!isTree(settings)) {
        ORV_WARNING("Settings::doSave") << "invalid settings";
        return false;
    }
    SettingsStore store;
    QIODevice *device = open(store);
    if (!device)
        return false;
    // A character XML cannot carry (a control character, a lone surrogate) would leave
    // a broken document: better to keep the previous one.
    if (!saveDocument(json.object(), json.stringifyFunction(), settings, device)) {
        ORV_WARNING("Settings::doSave") << "error writing xml";
        return false;
    }
    return store.commit();
}

bool Settings::save(QObject *settings, const QString &directory, const QString &name) {
    return doSave(settings, [&directory, &name](SettingsStore &store) {
        return store.open(directory, SettingsPath::withExtension(name, extension));
    });
}

bool Settings::saveToFile(QObject *settings, const QString &path) {
    return doSave(settings, [&path](SettingsStore &store) { return store.open(path); });
}

bool Settings::write(const QByteArray &data, const QString &directory, const QString &name) {
    SettingsStore store;
    return writeBytes(data, store, store.open(directory, name));
}

bool Settings::writeToFile(const QByteArray &data, const QString &path) {
    SettingsStore store;
    return writeBytes(data, store, store.open(path));
}

bool Settings::remove(const QString &directory, const QString &name) {
    if (!SettingsPath::isInside(directory, name))
        return false;
    if (name.isEmpty()) {
        if (directory.isEmpty())
            return false;
        // Never the configuration directory itself, nor one that holds it.
        const QString path = QDir::cleanPath(SettingsPath::directory(directory));
        const QString configurations = QDir::cleanPath(Orvane::Paths::configurations());
        if (configurations == path || configurations.startsWith(path + QLatin1Char('/')) ||
            path == QLatin1String("/"))
            return false;
        return QDir(path).removeRecursively();
    }
    const QString path = SettingsPath::file(directory, name);
    if (QFile::exists(path) && !QFile::remove(path))
        return false;
    if (QFile::exists(path + extension))
        return QFile::remove(path + extension);
    return true;
}

QObject *Settings::load(const QString &directory, const QString &name, QObject *parent) {
    const QString fileName = SettingsPath::withExtension(name, extension);
    if (!SettingsPath::isInside(directory, fileName)) {
        ORV_WARNING("Settings::loadFromFile")
            << "cannot open file: " << SettingsPath::file(directory, fileName);
        return nullptr;
    }
    return loadFromFile(SettingsPath::file(directory, fileName), parent);
}

QObject *Settings::loadFromFile(const QString &path, QObject *parent) {
    QFile file(path);
    if (!SettingsPath::openForReading(file)) {
        ORV_WARNING("Settings::loadFromFile") << "cannot open file: " << path;
        return nullptr;
    }
    BoundedDevice input(&file);
    QXmlStreamReader reader(&input);
    reader.readNext();
    if (!reader.readNextStartElement()) {
        ORV_WARNING("Settings::loadFromFile") << "cannot read root element";
        return nullptr;
    }
    if (reader.name() != QLatin1String("map") && reader.name() != QLatin1String("list")) {
        ORV_WARNING("Settings::loadFromFile") << "invalid root element";
        return nullptr;
    }
    const LoadNodeContext context{json.object(), json.parseFunction(), reader};
    QObject *root = loadNode(context, parent).value<QObject *>();
    input.explain(reader);
    if (reader.hasError()) {
        ORV_WARNING("Settings::loadFromFile") << "error parsing xml: " << reader.errorString();
        delete root;
        return nullptr;
    }
    return root;
}

QVariant Settings::read(const QString &directory, const QString &name) {
    QString path = SettingsPath::file(directory, name);
    if (!SettingsPath::isInside(directory, name)) {
        ORV_WARNING("Settings::readFromFile") << "cannot open file: " << path;
        return QVariant();
    }
    if (!QFile::exists(path))
        path += extension;
    return readFromFile(path);
}

QVariant Settings::readFromFile(const QString &path) {
    QFile file(path);
    if (!SettingsPath::openForReading(file)) {
        ORV_WARNING("Settings::readFromFile") << "cannot open file: " << file.fileName();
        return QVariant();
    }
    return file.readAll();
}

bool Settings::exists(const QString &directory, const QString &name) {
    if (!SettingsPath::isInside(directory, name))
        return false;
    const QString path = SettingsPath::file(directory, name);
    return QFile::exists(path) || QFile::exists(path + extension);
}

QJSValue Settings::list(const QString &directory) {
    QJSEngine *engine = json.engine();
    if (!engine)
        return QJSValue();
    if (!SettingsPath::isInside(directory))
        return engine->newArray(0);
    const QFileInfoList entries =
        QDir(SettingsPath::directory(directory))
            .entryInfoList(QDir::Dirs | QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    QJSValue result = engine->newArray(entries.size());
    for (int i = 0; i < entries.size(); ++i) {
        const QFileInfo &entry = entries.at(i);
        QJSValue element = engine->newObject();
        element.setProperty(QStringLiteral("isDir"), entry.isDir());
        const bool xml =
            entry.completeSuffix().compare(QLatin1String("xml"), Qt::CaseInsensitive) == 0;
        element.setProperty(QStringLiteral("name"),
                            xml ? entry.completeBaseName() : entry.fileName());
        result.setProperty(i, element);
    }
    return result;
}

QObject *Settings::createMap(QObject *parent) {
    return new SettingsMap(parent);
}

QObject *Settings::createList(QObject *parent) {
    return new SettingsList(parent);
}

QObject *Settings::makeMap(QObject *object, const QString &name) {
    return bindSettingsT<SettingsMap>(object, name);
}

QObject *Settings::makeList(QObject *object, const QString &name) {
    return bindSettingsT<SettingsList>(object, name);
}

} // namespace Orvane::Imports
