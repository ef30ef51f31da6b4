#include "settingsmap.h"

#include "settings/settingsmapattached.h"

namespace Orvane::Imports {

SettingsMap::SettingsMap(QObject *parent)
    : QQmlPropertyMap(this, parent) {}

QVariant SettingsMap::updateValue(const QString &, const QVariant &input) {
    modified = true;
    return input;
}

SettingsMapAttached *SettingsMap::qmlAttachedProperties(QObject *object) {
    return SettingsMapAttached::create(object);
}

} // namespace Orvane::Imports
