#include "settingsmapattached.h"

#include "settings/settingslist.h"
#include "settings/settingsmap.h"
#include "utils/warning.h"

#include <QMetaProperty>
#include <QQmlComponent>
#include <QQmlProperty>
#include <QtQml/private/qqmlcomponentattached_p.h>

namespace Orvane::Imports {

namespace {

bool isScriptValue(const QVariant &value) {
    return value.userType() == qMetaTypeId<QJSValue>();
}

// Whether `incoming` should be written over `current`: a property holding a real,
// non-script value only takes a convertible, different value.
bool shouldWrite(const QVariant &current, const QVariant &incoming, bool *equal) {
    *equal = false;
    if (!current.isValid() || isScriptValue(current))
        return true;
    if (!incoming.canConvert(current.userType()))
        return false;
    if (incoming == current) {
        *equal = true;
        return false;
    }
    return true;
}

} // namespace

SettingsMapAttached::SettingsMapAttached(QObject *object)
    : QObject(object)
    , object(object) {}

SettingsMapAttached *SettingsMapAttached::create(QObject *object) {
    return new SettingsMapBinding(object);
}

QObject *SettingsMapAttached::source() const {
    return map.data();
}

void SettingsMapAttached::setSource(QObject *source) {
    auto *next = qobject_cast<SettingsMap *>(source);
    if (source && !next) {
        ORV_WARNING("SettingsMapAttached::setSource") << "invalid Settings";
        return;
    }
    if (map == next)
        return;
    rebind(next);
    emit sourceChanged(source);
}

void SettingsMapAttached::rebind(SettingsMap *next) {
    map = next;
}

SettingsMapBinding::SettingsMapBinding(QObject *object)
    : SettingsMapAttached(object) {
    auto *component = qobject_cast<QQmlComponentAttached *>(
        qmlAttachedPropertiesObject<QQmlComponent>(object, true));
    if (component)
        connect(component, &QQmlComponentAttached::completed, this,
                &SettingsMapBinding::onCompleted);
}

void SettingsMapBinding::onCompleted() {
    if (completed)
        return;
    completed = true;
    slotOffset = metaObject()->methodCount();
    const QMetaObject *meta = object->metaObject();
    for (int i = 1; i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        if (!property.hasNotifySignal())
            continue;
        QMetaObject::connect(object, property.notifySignalIndex(), this,
                             slotOffset + entries.size(), Qt::AutoConnection);
        entries.append({i, QString::fromLatin1(property.name())});
    }
    synchronize();
}

void SettingsMapBinding::rebind(SettingsMap *next) {
    if (map && mapConnection)
        disconnect(mapConnection);
    SettingsMapAttached::rebind(next);
    if (completed)
        synchronize();
}

void SettingsMapBinding::synchronize() {
    SettingsMap *source = map.data();
    if (!source)
        return;
    updating = true;
    const QMetaObject *meta = object->metaObject();
    QSet<QString> applied;
    for (const QString &key : source->keys()) {
        const int index = meta->indexOfProperty(key.toLatin1().constData());
        if (index < 0)
            continue;
        const QMetaProperty property = meta->property(index);
        const QVariant incoming = source->value(key);
        bool equal = false;
        if (shouldWrite(property.read(object), incoming, &equal)) {
            if (property.write(object, incoming))
                applied.insert(key);
        } else if (equal) {
            applied.insert(key);
        }
    }
    for (int i = 1; i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        const QString name = QString::fromLatin1(property.name());
        if (applied.contains(name))
            continue;
        const QVariant value = property.read(object);
        if (!value.isValid() && !source->contains(name))
            continue;
        writeToMap(name, value);
    }
    if (mapConnection)
        disconnect(mapConnection);
    mapConnection =
        connect(source, &QQmlPropertyMap::valueChanged, this, &SettingsMapBinding::onValueChanged);
    updating = false;
}

void SettingsMapBinding::writeToMap(const QString &name, const QVariant &value) {
    SettingsMap *source = map.data();
    const QMetaObject *meta = source->metaObject();
    // The map's dynamic meta-object adds a missing key on lookup.
    const int index = meta->indexOfProperty(name.toLatin1().constData());
    if (index < 0)
        return;
    meta->property(index).write(source, value);
}

void SettingsMapBinding::onValueChanged(const QString &key, const QVariant &value) {
    if (updating)
        return;
    updating = true;
    const QMetaObject *meta = object->metaObject();
    const int index = meta->indexOfProperty(key.toLatin1().constData());
    if (index >= 0) {
        const QMetaProperty property = meta->property(index);
        bool equal = false;
        if (shouldWrite(property.read(object), value, &equal))
            property.write(object, value);
    }
    updating = false;
}

int SettingsMapBinding::qt_metacall(QMetaObject::Call call, int id, void **arguments) {
    if (call == QMetaObject::InvokeMetaMethod && completed && id >= slotOffset &&
        id - slotOffset < entries.size()) {
        if (map && !updating) {
            updating = true;
            const PropertyEntry &entry = entries.at(id - slotOffset);
            writeToMap(entry.name, object->metaObject()->property(entry.index).read(object));
            updating = false;
        }
        return -1;
    }
    return SettingsMapAttached::qt_metacall(call, id, arguments);
}

template <typename T> T *bindSettingsT(QObject *object, const QString &name) {
    if (!object)
        return nullptr;
    QQmlProperty property(object, name);
    if (auto *existing = qobject_cast<T *>(property.read().value<QObject *>()))
        return existing;
    auto *created = new T(object);
    if (property.write(QVariant::fromValue(created)))
        return created;
    ORV_WARNING("Imports::bindSettingsT") << "cannot bind property: " << name;
    delete created;
    return nullptr;
}

template SettingsMap *bindSettingsT<SettingsMap>(QObject *, const QString &);
template SettingsList *bindSettingsT<SettingsList>(QObject *, const QString &);

} // namespace Orvane::Imports
