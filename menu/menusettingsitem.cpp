#include "menusettingsitem.h"

#include "menufolderlist.h"
#include "menusettingslist.h"
#include "menusettingsroot.h"
#include "settings/settingsmap.h"

namespace Orvane::Imports {

MenuSettingsItem::MenuSettingsItem(MenuSettingsRoot *root, MenuItemBase *parentItem,
                                   QObject *parent)
    : MenuItemBase(parentItem, parent)
    , m_root(root) {}

MenuSettingsItem::~MenuSettingsItem() = default;

void MenuSettingsItem::setType(MenuSettings::ItemType type) {
    if (m_type == type)
        return;
    m_type = type;
    if (m_items) {
        if (auto *list = qobject_cast<MenuSettingsList *>(m_items))
            MenuSettingsRoot::releaseThemes(list);
        m_items->deleteLater();
        m_items = nullptr;
    }
    m_items = createItems();
    emit typeChanged();
}

void MenuSettingsItem::setLabel(const QString &label) {
    if (m_label == label)
        return;
    m_label = label;
    emit labelChanged();
}

void MenuSettingsItem::setText(const QString &text) {
    if (m_text == text)
        return;
    m_text = text;
    emit textChanged();
}

void MenuSettingsItem::setAction(const QJSValue &action) {
    if (m_action.strictlyEquals(action))
        return;
    m_action = action;
    emit actionChanged();
}

void MenuSettingsItem::setFolder(const MenuItemFolderOptions &folder) {
    const bool pathChanged = m_folder.path() != folder.path();
    m_folder = folder;
    if (pathChanged) {
        if (auto *list = qobject_cast<MenuFolderList *>(m_items))
            list->setPath(resolveFolderPath(m_folder.path()));
    }
    // Always: folder entries re-read their label and icon on it.
    emit folderChanged();
}

QVariant MenuSettingsItem::icon() const {
    return m_themeIcon.isNull() ? m_icon.toVariant() : m_themeIcon;
}

void MenuSettingsItem::setIconValue(const QJSValue &icon) {
    if (m_icon.strictlyEquals(icon))
        return;
    m_icon = icon;
    if (m_themeIcon.isNull())
        emit iconChanged();
}

void MenuSettingsItem::setItems(QObject *items) {
    if (m_items == items)
        return;
    if (m_items)
        m_items->deleteLater();
    m_items = items;
}

void MenuSettingsItem::ensureItems() {
    if (!m_items)
        m_items = createItems();
}

QObject *MenuSettingsItem::createItems() {
    switch (m_type) {
    case MenuSettings::MenuItem:
        return new MenuSettingsList(this);
    case MenuSettings::FolderItem:
        return new MenuFolderList(resolveFolderPath(m_folder.path()), this, this);
    default:
        return nullptr;
    }
}

void MenuSettingsItem::setTheme(QQmlPropertyMap *map) {
    if (m_theme == map)
        return;
    if (m_theme)
        disconnect(m_theme, nullptr, this, nullptr);
    m_theme = map;
    if (map) {
        m_themeIcon = map->value(QStringLiteral("icon"));
        m_themeImage = map->value(QStringLiteral("image"));
        connect(map, &QQmlPropertyMap::valueChanged, this, &MenuSettingsItem::themeValueChanged);
    }
    emit themeChanged();
    emit iconChanged();
    emit imageChanged();
}

void MenuSettingsItem::themeValueChanged(const QString &key, const QVariant &value) {
    if (key == QLatin1String("icon")) {
        m_themeIcon = value;
        emit iconChanged();
    } else if (key == QLatin1String("image")) {
        m_themeImage = value;
        emit imageChanged();
    }
}

} // namespace Orvane::Imports
