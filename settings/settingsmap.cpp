#include "settingsmap.h"

#include "settings/settingsmapattached.h"

#include <QtCore/private/qmetaobjectbuilder_p.h>
#include <QtCore/private/qobject_p.h>
#include <QtQml/private/qqmldata_p.h>
#include <QtQml/private/qqmlpropertycache_p.h>

#include <cstdlib>

namespace Orvane::Imports {

// One order of keys as a dynamic meta-object: a QVariant property and a change signal
// "__N()" per key, built with the same calls as the property map's own, so QML sees the
// same object. Immutable while more than one map holds it.
class SettingsMapLayout {
public:
    // Repeated names get one property; `positions` receives the property of each name.
    explicit SettingsMapLayout(const QStringList &names = {}, QVector<int> *positions = nullptr) {
        builder.setSuperClass(&SettingsMap::staticMetaObject);
        builder.setClassName(SettingsMap::staticMetaObject.className());
        builder.setFlags(QMetaObjectBuilder::DynamicMetaObject);
        if (positions)
            positions->reserve(names.size());
        for (const QString &name : names) {
            int position = index.value(name, -1);
            if (position < 0)
                position = append(name);
            if (positions)
                positions->append(position);
        }
        meta = builder.toMetaObject();
    }
    ~SettingsMapLayout() { std::free(meta); }
    SettingsMapLayout(const SettingsMapLayout &) = delete;
    SettingsMapLayout &operator=(const SettingsMapLayout &) = delete;

    int indexOf(const QString &key) const { return index.value(key, -1); }

    // Only for a layout that one map holds alone.
    int add(const QString &key) {
        const int position = append(key);
        QMetaObject *old = meta;
        meta = builder.toMetaObject();
        std::free(old);
        return position;
    }

    static SettingsMapLayout *acquire(SettingsMapLayout *layout) {
        layout->ref.ref();
        return layout;
    }
    static void release(SettingsMapLayout *layout) {
        if (!layout->ref.deref())
            delete layout;
    }

    QAtomicInt ref;
    QStringList keys;
    QHash<QString, int> index;
    QMetaObjectBuilder builder;
    QMetaObject *meta = nullptr;

private:
    int append(const QString &key) {
        const int position = keys.size();
        builder.addSignal("__" + QByteArray::number(position) + "()");
        builder.addProperty(key.toUtf8(), "QVariant", position);
        index.insert(key, position);
        keys.append(key);
        return position;
    }
};

namespace {

// Every new map starts from it; never freed.
SettingsMapLayout *emptyLayout() {
    static SettingsMapLayout *const empty = SettingsMapLayout::acquire(new SettingsMapLayout);
    return empty;
}

// The names QQmlPropertyMap refuses as keys.
bool validKeyName(const QString &name) {
    const int size = name.size();
    if (size != 4 && size != 7 && size != 9 && size != 11 && size != 12)
        return true;
    return name != QLatin1String("keys") && name != QLatin1String("valueChanged") &&
           name != QLatin1String("QObject") && name != QLatin1String("destroyed") &&
           name != QLatin1String("deleteLater");
}

} // namespace

// Sits in front of the property map's own meta-object, which keeps the static part.
class SettingsMapMetaObject : public QAbstractDynamicMetaObject {
public:
    explicit SettingsMapMetaObject(SettingsMap *owner)
        : map(owner) {
        QObjectPrivate *data = QObjectPrivate::get(owner);
        base = data->metaObject;
        data->metaObject = this;
        adopt(emptyLayout());
    }
    ~SettingsMapMetaObject() override {
        SettingsMapLayout::release(layout);
        delete base;
    }

    void objectDestroyed(QObject *object) override {
        if (base)
            base->objectDestroyed(object);
        base = nullptr;
        delete this;
    }

    int metaCall(QObject *object, QMetaObject::Call call, int id, void **arguments) override {
        const int position = id - propertyOffsetBase();
        if ((call == QMetaObject::ReadProperty || call == QMetaObject::WriteProperty) &&
            position >= 0 && position < values.size()) {
            if (call == QMetaObject::ReadProperty)
                *reinterpret_cast<QVariant *>(arguments[0]) = values.at(position);
            else
                write(position, *reinterpret_cast<const QVariant *>(arguments[0]));
            return -1;
        }
        return base ? base->metaCall(object, call, id, arguments)
                    : object->qt_metacall(call, id, arguments);
    }

    // QMetaObject::indexOfProperty asks for a key it did not find.
    int createProperty(const char *name, const char *) override {
        const QString key = QString::fromUtf8(name);
        if (!validKeyName(key))
            return -1;
        return propertyOffsetBase() + ensure(key);
    }

    // A write through the property interface, as the property map's own does it.
    void write(int position, const QVariant &input) {
        if (values.at(position) == input)
            return;
        const QString key = layout->keys.at(position);
        values[position] = map->updateValue(key, input);
        const QVariant stored = values.at(position);
        emit map->valueChanged(key, stored);
        QMetaObject::activate(map, methodOffsetBase() + position, nullptr);
    }

    // A write from native code: no hook, no valueChanged.
    void set(int position, const QVariant &value) {
        if (values.at(position) == value)
            return;
        values[position] = value;
        QMetaObject::activate(map, methodOffsetBase() + position, nullptr);
    }

    int ensure(const QString &key) {
        int position = layout->indexOf(key);
        if (position >= 0)
            return position;
        if (layout->ref.loadRelaxed() > 1) {
            // Shared: the new key must not reach the other maps.
            adopt(new SettingsMapLayout(layout->keys + QStringList(key)));
        } else {
            layout->add(key);
            adopt(layout);
        }
        return layout->keys.size() - 1;
    }

    void adopt(SettingsMapLayout *next) {
        if (next != layout) {
            SettingsMapLayout::acquire(next);
            if (layout)
                SettingsMapLayout::release(layout);
            layout = next;
        }
        *static_cast<QMetaObject *>(this) = *layout->meta;
        values.resize(layout->keys.size());
        // QML must not answer from what it learnt of the old meta-object.
        if (QQmlData *data = QQmlData::get(map, false)) {
            if (data->propertyCache) {
                data->propertyCache->release();
                data->propertyCache = nullptr;
            }
        }
    }

    static int propertyOffsetBase() {
        static const int offset = SettingsMap::staticMetaObject.propertyCount();
        return offset;
    }
    static int methodOffsetBase() {
        static const int offset = SettingsMap::staticMetaObject.methodCount();
        return offset;
    }

    SettingsMap *map;
    QDynamicMetaObjectData *base = nullptr;
    SettingsMapLayout *layout = nullptr;
    QVector<QVariant> values;
};

SettingsMapLayouts::~SettingsMapLayouts() {
    for (const Shape &shape : qAsConst(shapes))
        SettingsMapLayout::release(shape.layout);
}

SettingsMap::SettingsMap(QObject *parent)
    : QQmlPropertyMap(this, parent)
    , meta(new SettingsMapMetaObject(this)) {}

QStringList SettingsMap::keys() const {
    return meta->layout->keys;
}

int SettingsMap::count() const {
    return meta->layout->keys.size();
}

bool SettingsMap::contains(const QString &key) const {
    return meta->layout->indexOf(key) >= 0;
}

QVariant SettingsMap::value(const QString &key) const {
    const int position = meta->layout->indexOf(key);
    return position < 0 ? QVariant() : meta->values.at(position);
}

void SettingsMap::insert(const QString &key, const QVariant &value) {
    if (!validKeyName(key)) {
        QQmlPropertyMap::insert(key, value); // refuses it with its own warning
        return;
    }
    meta->set(meta->ensure(key), value);
}

void SettingsMap::clear(const QString &key) {
    if (validKeyName(key))
        meta->set(meta->ensure(key), QVariant());
}

QVariant &SettingsMap::operator[](const QString &key) {
    if (!validKeyName(key)) {
        QQmlPropertyMap::insert(key, QVariant());
        rejected = QVariant();
        return rejected;
    }
    return meta->values[meta->ensure(key)];
}

void SettingsMap::insertEntries(const QStringList &keys, QVector<QVariant> values,
                                SettingsMapLayouts *layouts) {
    if (!meta->values.isEmpty()) {
        for (int i = 0; i < keys.size(); ++i)
            insert(keys.at(i), values.at(i));
        return;
    }
    QStringList names = keys;
    for (int i = names.size() - 1; i >= 0; --i) {
        if (!validKeyName(names.at(i))) {
            names.removeAt(i);
            values.removeAt(i);
        }
    }
    if (names.size() != keys.size()) {
        for (const QString &key : keys)
            if (!validKeyName(key))
                QQmlPropertyMap::insert(key, QVariant());
    }
    // Nobody can watch a property that does not exist yet: no notifications are due.
    SettingsMapLayouts::Shape shape;
    if (layouts) {
        // Alike maps come one after another: comparing keys costs less than hashing them.
        shape = names == layouts->recent ? layouts->recentShape : layouts->shapes.value(names);
    }
    if (!shape.layout) {
        shape.layout = new SettingsMapLayout(names, &shape.positions);
        if (layouts)
            layouts->shapes.insert(names,
                                   {SettingsMapLayout::acquire(shape.layout), shape.positions});
    }
    if (layouts) {
        layouts->recent = names;
        layouts->recentShape = shape;
    }
    meta->adopt(shape.layout);
    if (meta->values.size() == values.size()) {
        meta->values = std::move(values); // no key repeated
        return;
    }
    for (int i = 0; i < values.size(); ++i)
        meta->values[shape.positions.at(i)] = std::move(values[i]);
}

const QStringList &SettingsMap::orderedKeys() const {
    return meta->layout->keys;
}

const QVector<QVariant> &SettingsMap::orderedValues() const {
    return meta->values;
}

QVariant SettingsMap::updateValue(const QString &, const QVariant &input) {
    modified = true;
    return input;
}

SettingsMapAttached *SettingsMap::qmlAttachedProperties(QObject *object) {
    return SettingsMapAttached::create(object);
}

} // namespace Orvane::Imports
