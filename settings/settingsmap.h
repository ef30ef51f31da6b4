#pragma once

#include <QQmlPropertyMap>
#include <QVector>
#include <qqml.h>

namespace Orvane::Imports {

class SettingsMapAttached;

// The keyed node of a settings tree: a QQmlPropertyMap whose keys are properties to
// QML, which remembers whether a value was written through the property interface
// since it was read or saved.
class SettingsMap : public QQmlPropertyMap {
    Q_OBJECT

public:
    explicit SettingsMap(QObject *parent = nullptr);

    // Inserts the values under their keys as `insert` would, one after the other, in
    // time linear in the number of keys.
    void insertAll(const QStringList &keys, const QVector<QVariant> &values);

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
