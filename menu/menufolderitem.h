#pragma once

#include "menuitembase.h"
#include "menusettings.h"

#include <QFileInfo>
#include <QVariant>

namespace Orvane::Imports {

class MenuFolderList;
class MenuSettingsItem;

// One file or subfolder of a folder listing, read-only; looks follow the owning folder item.
class MenuFolderItem : public MenuItemBase {
    Q_OBJECT
    Q_PROPERTY(Orvane::Imports::MenuSettings::ItemType type READ type CONSTANT)
    Q_PROPERTY(QString label READ label NOTIFY folderOptionsChanged)
    Q_PROPERTY(QVariant icon READ icon NOTIFY folderOptionsChanged)
    Q_PROPERTY(QString text READ text CONSTANT)
    Q_PROPERTY(QVariant action READ action CONSTANT)
    Q_PROPERTY(QObject *items READ items CONSTANT)
    Q_PROPERTY(QObject *theme READ theme NOTIFY themeChanged)

public:
    MenuFolderItem(const QFileInfo &fileInfo, MenuSettingsItem *owner, MenuItemBase *parentItem,
                   MenuFolderList *list);
    ~MenuFolderItem() override;

    MenuSettings::ItemType type() const { return MenuSettings::ItemType(m_type); }
    QString label() const;
    QVariant icon() const;
    QString text() const { return QString(); }
    QVariant action() const;
    QObject *items();
    QObject *theme() const;
    QFileInfo fileInfo() const { return m_fileInfo; }

signals:
    void themeChanged();
    void folderOptionsChanged();
    void typeChanged();

private:
    MenuSettingsItem *m_owner;
    MenuFolderList *m_items = nullptr;
    int m_type;
    QFileInfo m_fileInfo;
};

} // namespace Orvane::Imports
