#include "settingsmap.h"

#include "settings/settingsmapattached.h"

#include <QSet>
// QQmlPropertyMap adds a key by rebuilding its whole meta-object, so filling a map key by
// key costs time quadratic in its size. Its meta-object type can add many keys in one
// rebuild; nothing public can, so this is the one place the private type is used.
#include <QtCore/private/qobject_p.h>
#include <QtQml/private/qqmlopenmetaobject_p.h>

namespace Orvane::Imports {

namespace {

// The names QQmlPropertyMap refuses as keys, with a warning of its own.
bool validKeyName(const QString &name) {
    return name != QLatin1String("keys") && name != QLatin1String("valueChanged") &&
           name != QLatin1String("QObject") && name != QLatin1String("destroyed") &&
           name != QLatin1String("deleteLater");
}

} // namespace

SettingsMap::SettingsMap(QObject *parent)
    : QQmlPropertyMap(this, parent) {}

void SettingsMap::insertAll(const QStringList &keys, const QVector<QVariant> &values) {
    auto *meta = dynamic_cast<QQmlOpenMetaObject *>(QObjectPrivate::get(this)->metaObject);
    if (meta) {
        // contains() searches the key list: ask a set instead.
        const QStringList present = QQmlPropertyMap::keys();
        QSet<QString> seen(present.begin(), present.end());
        QVector<QByteArray> added;
        for (const QString &key : keys) {
            if (validKeyName(key) && !seen.contains(key)) {
                seen.insert(key);
                added.append(key.toUtf8());
            }
        }
        if (!added.isEmpty())
            meta->type()->createProperties(added);
    }
    for (int i = 0; i < keys.size(); ++i)
        insert(keys.at(i), values.at(i));
}

QVariant SettingsMap::updateValue(const QString &, const QVariant &input) {
    modified = true;
    return input;
}

SettingsMapAttached *SettingsMap::qmlAttachedProperties(QObject *object) {
    return SettingsMapAttached::create(object);
}

} // namespace Orvane::Imports
