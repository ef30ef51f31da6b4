#pragma once

#include <QHash>
#include <QQmlPropertyMap>
#include <QStringList>
#include <QVector>
#include <qqml.h>

namespace Orvane::Imports {

class SettingsMapAttached;
class SettingsMapLayout;
class SettingsMapMetaObject;

// Lends one meta-object to all maps of a document that have the same keys in the same
// order, so a document of many alike maps builds each kind of map once.
class SettingsMapLayouts {
public:
    SettingsMapLayouts() = default;
    ~SettingsMapLayouts();
    SettingsMapLayouts(const SettingsMapLayouts &) = delete;
    SettingsMapLayouts &operator=(const SettingsMapLayouts &) = delete;

    // The keys of the map filled last: the next sibling most likely has the same.
    const QStringList &recentKeys() const { return recent; }

private:
    friend class SettingsMap;
    struct Shape {
        SettingsMapLayout *layout = nullptr;
        QVector<int> positions; // property of each entry, for repeated keys
    };
    QHash<QStringList, Shape> shapes;
    QStringList recent;
    Shape recentShape;
};

// The keyed node of a settings tree: its keys are properties to QML. It remembers
// whether a value was written through the property interface since it was read or saved.
//
// The keys live in a meta-object of the map's own that maps of the same keys share until
// one of them gets a new key. QQmlPropertyMap's methods are not virtual: they are all
// answered here and must be called on a SettingsMap, not through a QQmlPropertyMap
// pointer, whose own table stays empty. QML's keys() is this one too.
class SettingsMap : public QQmlPropertyMap {
    Q_OBJECT

public:
    explicit SettingsMap(QObject *parent = nullptr);

    Q_INVOKABLE QStringList keys() const;
    int count() const;
    int size() const { return count(); }
    bool isEmpty() const { return !count(); }
    bool contains(const QString &key) const;

    QVariant value(const QString &key) const;
    void insert(const QString &key, const QVariant &value);
    void clear(const QString &key);
    QVariant &operator[](const QString &key);
    QVariant operator[](const QString &key) const { return value(key); }

    // Inserts the values under their keys as `insert` would, one after the other.
    // An empty map takes its meta-object from `layouts` when one fits.
    void insertEntries(const QStringList &keys, QVector<QVariant> values,
                       SettingsMapLayouts *layouts = nullptr);

    // Keys and their values in key order, without copies; valid until the map changes.
    const QStringList &orderedKeys() const;
    const QVector<QVariant> &orderedValues() const;

    bool isModified() const { return modified; }
    void setModified(bool value) { modified = value; }

    static SettingsMapAttached *qmlAttachedProperties(QObject *object);

public slots:
    // Keep JSON.stringify and for-in helpers from treating the map as a script object.
    QObject *toJSON() const { return nullptr; }
    bool hasOwnProperty(const QString &) const { return false; }

protected:
    QVariant updateValue(const QString &key, const QVariant &input) override;

private:
    friend class SettingsMapMetaObject;
    SettingsMapMetaObject *meta;
    QVariant rejected; // what [] hands out for a refused name
    bool modified = false;
};

} // namespace Orvane::Imports

QML_DECLARE_TYPEINFO(Orvane::Imports::SettingsMap, QML_HAS_ATTACHED_PROPERTIES)
