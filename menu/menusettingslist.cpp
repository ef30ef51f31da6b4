#include "menusettingslist.h"

#include "menusettingsroot.h"

#include "settings/settingsmap.h"
#include "utils/warning.h"

namespace Orvane::Imports {

namespace {

MenuSettingsItem *itemIn(const QVariant &value) {
    return qobject_cast<MenuSettingsItem *>(value.value<QObject *>());
}

} // namespace

MenuSettingsList::MenuSettingsList(MenuSettingsItem *owner)
    : SettingsListModel(owner)
    , m_owner(owner) {}

MenuSettingsList::~MenuSettingsList() = default;

MenuSettingsItem *MenuSettingsList::itemAt(int index) const {
    return itemIn(SettingsListModel::get(index));
}

void MenuSettingsList::appendLoaded(MenuSettingsItem *item) {
    items.append(QVariant::fromValue(item));
}

QVariant MenuSettingsList::get(int index) {
    return SettingsListModel::get(index);
}

void MenuSettingsList::move(int from, int to, int count) {
    SettingsListModel::move(from, to, count);
}

QObject *MenuSettingsList::toJSON() {
    return nullptr;
}

void MenuSettingsList::clear() {
    QList<MenuSettingsItem *> items;
    for (int i = 0, n = count(); i < n; ++i) {
        if (MenuSettingsItem *item = itemAt(i))
            items.append(item);
    }
    SettingsListModel::clear();
    for (MenuSettingsItem *item : qAsConst(items)) {
        MenuSettingsRoot::releaseThemes(item);
        item->deleteLater();
    }
}

void MenuSettingsList::remove(int index) {
    MenuSettingsItem *item = itemAt(index);
    if (SettingsListModel::remove(index, 1) && item) {
        MenuSettingsRoot::releaseThemes(item);
        item->deleteLater();
    }
}

void MenuSettingsList::append(MenuSettingsItem *item) {
    if (!addItemCheck(item))
        return;
    adopt(item);
    SettingsListModel::append(QVariant::fromValue(item));
}

void MenuSettingsList::insert(int index, MenuSettingsItem *item) {
    if (!addItemCheck(item))
        return;
    adopt(item);
    SettingsListModel::insert(index, QVariant::fromValue(item));
}

MenuSettingsItem *MenuSettingsList::create(int index) {
    MenuSettingsRoot *root = m_owner ? m_owner->root() : nullptr;
    auto *item = new MenuSettingsItem(root, m_owner, this);
    if (root) {
        item->setId(root->generateId());
        item->setTheme(root->createTheme(item->id()));
    }
    const QVariant value = QVariant::fromValue(item);
    if (index < 0 || !SettingsListModel::insert(index, value))
        SettingsListModel::append(value);
    return item;
}

MenuSettingsItem *MenuSettingsList::create() {
    return create(-1);
}

bool MenuSettingsList::addItemCheck(MenuSettingsItem *item) const {
    if (!item) {
        ORV_WARNING("MenuSettingsList::addItemCheck") << "invalid item";
        return false;
    }
    if (item == m_owner) {
        ORV_WARNING("MenuSettingsList::addItemCheck") << "cannot add self item";
        return false;
    }
    if (item->parentItem() == m_owner) {
        ORV_WARNING("MenuSettingsList::addItemCheck") << "item already in the menu";
        return false;
    }
    // Walked for every item, roots included, so the tree can never become a cycle.
    for (MenuItemBase *ancestor = m_owner; ancestor; ancestor = ancestor->parentItem()) {
        if (ancestor == item) {
            ORV_WARNING("MenuSettingsList::addItemCheck") << "cannot add parent item";
            return false;
        }
    }
    return true;
}

void MenuSettingsList::takeFromParentList(MenuSettingsItem *item) {
    auto *list = qobject_cast<MenuSettingsList *>(item->parent());
    if (!list)
        return;
    for (int i = list->count() - 1; i >= 0; --i) {
        if (list->itemAt(i) == item)
            list->SettingsListModel::remove(i, 1);
    }
}

void MenuSettingsList::adopt(MenuSettingsItem *item) {
    takeFromParentList(item);
    item->setParentItem(m_owner);
    item->setParent(this);
}

} // namespace Orvane::Imports
