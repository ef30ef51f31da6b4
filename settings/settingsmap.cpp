#include "settingsmap.h"

#include "settings/settingsmapattached.h"

#include <QSet>
#include <QtCore/private/qobject_p.h>
#include <QtQml/private/qqmlopenmetaobject_p.h>

namespace Orvane::Imports {

SettingsMap::SettingsMap(QObject *parent)
    : QQmlPropertyMap(this, parent) {}

namespace {

// Names the property map itself refuses or already answers are left to `insert`.
bool isOwnName(const QString &key) {
    const QByteArray name = key.toUtf8();
    const QMetaObject &meta = SettingsMap::staticMetaObject;
    if (meta.indexOfProperty(name.constData()) >= 0 || key == QLatin1String("keys") ||
        key == QLatin1String("QObject"))
        return true;
    for (int i = 0; i < meta.methodCount(); ++i) {
        if (meta.method(i).name() == name)
            return true;
    }
    return false;
}

} // namespace

void SettingsMap::insertEntries(const QVector<Entry> &entries) {
    // Each new key would otherwise rebuild the whole meta-object: quadratic in the keys.
    auto *meta = dynamic_cast<QQmlOpenMetaObject *>(QObjectPrivate::get(this)->metaObject);
    if (meta) {
        const QStringList present = keys();
        QSet<QString> seen(present.cbegin(), present.cend());
        QVector<QByteArray> names;
        for (const Entry &entry : entries) {
            if (!seen.contains(entry.first) && !isOwnName(entry.first)) {
                seen.insert(entry.first);
                names.append(entry.first.toUtf8());
            }
        }
        if (!names.isEmpty())
            meta->type()->createProperties(names);
    }
    for (const Entry &entry : entries)
        insert(entry.first, entry.second);
}

QVector<SettingsMap::Entry> SettingsMap::entries() const {
    const QStringList names = keys();
    QVector<Entry> result;
    result.reserve(names.size());
    // Keys are the open meta-object's properties in the same order: read them by
    // position instead of hashing every name.
    auto *meta = dynamic_cast<QQmlOpenMetaObject *>(
        QObjectPrivate::get(const_cast<SettingsMap *>(this))->metaObject);
    const bool byIndex = meta && meta->count() == names.size();
    for (int i = 0; i < names.size(); ++i)
        result.append({names.at(i), byIndex ? meta->value(i) : value(names.at(i))});
    return result;
}

QVariant SettingsMap::updateValue(const QString &, const QVariant &input) {
    modified = true;
    return input;
}

SettingsMapAttached *SettingsMap::qmlAttachedProperties(QObject *object) {
    return SettingsMapAttached::create(object);
}

} // namespace Orvane::Imports
