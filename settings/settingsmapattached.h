#pragma once

#include <QObject>
#include <QPointer>
#include <QVector>

namespace Orvane::Imports {

class SettingsMap;

// The attached object of SettingsMap: `SettingsMap.source` ties the properties of
// any QML object to the keys of the same names in a settings map, both ways.
class SettingsMapAttached : public QObject {
    Q_OBJECT
    Q_PROPERTY(QObject *source READ source WRITE setSource NOTIFY sourceChanged)

public:
    // The factory behind the attached property; the result is a child of `object`.
    static SettingsMapAttached *create(QObject *object);

    QObject *source() const;
    void setSource(QObject *source);

signals:
    void sourceChanged(QObject *source);

protected:
    explicit SettingsMapAttached(QObject *object);

    // Takes the new map (or none); called only for a real change.
    virtual void rebind(SettingsMap *next);

    QObject *object = nullptr;
    QPointer<SettingsMap> map;
};

// Receives the change signals of the bound object's properties as numbered calls,
// so one attached object needs no slot per property.
class SettingsMapBinding : public SettingsMapAttached {
public:
    explicit SettingsMapBinding(QObject *object);

    int qt_metacall(QMetaObject::Call call, int id, void **arguments) override;

private:
    struct PropertyEntry {
        int index;
        QString name;
    };

    void onCompleted();
    void onValueChanged(const QString &key, const QVariant &value);
    void synchronize();
    void rebind(SettingsMap *next) override;
    void writeToMap(const QString &name, const QVariant &value);
    void writeToObject(int index, const QVariant &value);

    bool completed = false;
    bool updating = false;
    int slotOffset = 0;
    QVector<PropertyEntry> entries;
    QMetaObject::Connection mapConnection;
};

// Makes sure that the property `name` of `object` holds a T (a settings map or
// list) and returns it; null, after a warning, when the property cannot take one.
template <typename T> T *bindSettingsT(QObject *object, const QString &name);

} // namespace Orvane::Imports
