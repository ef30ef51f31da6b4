#pragma once

#include "settings/settingslistmodel.h"

namespace Orvane::Imports {

class MenuSettingsItem;

// The editable child list of a menu; keeps the item tree a tree when items move.
class MenuSettingsList : public SettingsListModel {
    Q_OBJECT
    Q_PROPERTY(int count READ count NOTIFY countChanged)

public:
    explicit MenuSettingsList(MenuSettingsItem *owner);
    ~MenuSettingsList() override;

    MenuSettingsItem *owner() const { return m_owner; }
    // The item of an entry, or null when the entry holds none.
    MenuSettingsItem *itemAt(int index) const;
    // Adds an item to the storage as a document read puts it there: no notification.
    void appendLoaded(MenuSettingsItem *item);

public slots:
    QVariant get(int index);
    void move(int from, int to, int count);
    QObject *toJSON();
    void clear();
    void remove(int index);
    void append(Orvane::Imports::MenuSettingsItem *item);
    void insert(int index, Orvane::Imports::MenuSettingsItem *item);
    Orvane::Imports::MenuSettingsItem *create(int index);
    Orvane::Imports::MenuSettingsItem *create();

private:
    bool addItemCheck(MenuSettingsItem *item) const;
    void takeFromParentList(MenuSettingsItem *item);
    void adopt(MenuSettingsItem *item);

    MenuSettingsItem *m_owner;
};

} // namespace Orvane::Imports
