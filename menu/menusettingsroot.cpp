#include "menusettingsroot.h"

#include "menusettingslist.h"

#include "settings/settingsmap.h"

#include <QDateTime>
#include <QSet>

namespace Orvane::Imports {

namespace {

SettingsMap *mapIn(const QVariant &value) {
    return qobject_cast<SettingsMap *>(value.value<QObject *>());
}

void collectInto(MenuSettingsItem *item, QList<MenuSettingsItem *> &items) {
    items.append(item);
    auto *list = qobject_cast<MenuSettingsList *>(item->items());
    if (!list)
        return;
    for (int i = 0, count = list->count(); i < count; ++i) {
        if (auto *child = list->itemAt(i))
            collectInto(child, items);
    }
}

} // namespace

MenuSettingsRoot::MenuSettingsRoot(QObject *parent)
    : MenuSettingsItem(this, nullptr, parent) {
    initType(MenuSettings::MenuItem);
    setId(QStringLiteral("root"));
}

MenuSettingsRoot::~MenuSettingsRoot() = default;

SettingsMap *MenuSettingsRoot::themeSettings() const {
    return m_themeSettings;
}

void MenuSettingsRoot::setThemeSettings(SettingsMap *map) {
    if (m_themeSettings == map)
        return;
    if (map) {
        const QStringList keys = map->keys();
        QSet<QString> used;
        for (MenuSettingsItem *item : collectItems(this)) {
            const QString id = item->id();
            if (id.isEmpty()) {
                item->setTheme(nullptr);
                continue;
            }
            SettingsMap *theme = mapIn(map->value(id));
            if (theme) {
                used.insert(id);
            } else {
                theme = new SettingsMap(map);
                map->insert(id, QVariant::fromValue(theme));
            }
            item->setTheme(theme);
        }
        for (const QString &key : keys) {
            if (used.contains(key))
                continue;
            const QVariant value = map->value(key);
            map->clear(key);
            if (SettingsMap *stale = mapIn(value))
                stale->deleteLater();
        }
    }
    m_themeSettings = map;
    emit themeSettingsChanged();
}

QString MenuSettingsRoot::generateId() {
    ++m_idCounter;
    return QString::number(QDateTime::currentSecsSinceEpoch()) + QLatin1Char('-') +
           QString::number(m_idCounter);
}

SettingsMap *MenuSettingsRoot::createTheme(const QString &id) {
    if (id.isEmpty() || !m_themeSettings)
        return nullptr;
    auto *theme = new SettingsMap(m_themeSettings);
    m_themeSettings->insert(id, QVariant::fromValue(theme));
    return theme;
}

void MenuSettingsRoot::removeTheme(const QString &id) {
    if (id.isEmpty() || !m_themeSettings)
        return;
    if (SettingsMap *theme = mapIn(m_themeSettings->value(id)))
        theme->deleteLater();
    m_themeSettings->clear(id);
}

QList<MenuSettingsItem *> MenuSettingsRoot::collectItems(MenuSettingsItem *item) {
    QList<MenuSettingsItem *> items;
    if (item)
        collectInto(item, items);
    return items;
}

void MenuSettingsRoot::releaseThemes(MenuSettingsItem *item) {
    if (!item)
        return;
    if (auto *list = qobject_cast<MenuSettingsList *>(item->items()))
        releaseThemes(list);
    if (MenuSettingsRoot *root = item->root())
        root->removeTheme(item->id());
}

void MenuSettingsRoot::releaseThemes(MenuSettingsList *list) {
    for (int i = 0, count = list->count(); i < count; ++i)
        releaseThemes(list->itemAt(i));
}

} // namespace Orvane::Imports
