#pragma once

#include "menusettingsitem.h"

#include <QPointer>

namespace Orvane::Imports {

class MenuSettingsList;
class SettingsMap;

// The top of a menu tree: makes ids and keeps every item's theme map in themeSettings.
class MenuSettingsRoot : public MenuSettingsItem {
    Q_OBJECT
    Q_PROPERTY(Orvane::Imports::MenuSettings::ItemType type READ type CONSTANT)
    Q_PROPERTY(Orvane::Imports::SettingsMap *themeSettings READ themeSettings WRITE setThemeSettings
                   NOTIFY themeSettingsChanged)

public:
    explicit MenuSettingsRoot(QObject *parent);
    ~MenuSettingsRoot() override;

    SettingsMap *themeSettings() const;
    void setThemeSettings(SettingsMap *map);

    QString generateId();
    SettingsMap *createTheme(const QString &id);
    void removeTheme(const QString &id);

    // The item and, depth first, every editable item below it; folder listings stay out.
    static QList<MenuSettingsItem *> collectItems(MenuSettingsItem *item);
    // Drops the theme maps of items that leave the tree for good.
    static void releaseThemes(MenuSettingsItem *item);
    static void releaseThemes(MenuSettingsList *list);

signals:
    void themeSettingsChanged();

private:
    quint64 m_idCounter = 0;
    QPointer<SettingsMap> m_themeSettings;
};

} // namespace Orvane::Imports
