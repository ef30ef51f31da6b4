#pragma once

#include <QPair>
#include <QQmlPropertyMap>
#include <QVector>
#include <qqml.h>

namespace Orvane::Imports {

class SettingsMapAttached;

// The keyed node of a settings tree: its keys are properties to QML. It remembers
// whether a value was written through the property interface since it was read or saved.
class SettingsMap : public QQmlPropertyMap {
    Q_OBJECT

public:
    explicit SettingsMap(QObject *parent = nullptr);

    using Entry = QPair<QString, QVariant>;
    // Inserts many entries as `insert` would, one after the other, but grows the
    // map's meta-object once instead of once per new key.
    void insertEntries(const QVector<Entry> &entries);

    // All keys with their values, in key order.
    QVector<Entry> entries() const;

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
    bool modified = false;
};

} // namespace Orvane::Imports

QML_DECLARE_TYPEINFO(Orvane::Imports::SettingsMap, QML_HAS_ATTACHED_PROPERTIES)
