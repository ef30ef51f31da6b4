#pragma once

#include "menuitembase.h"
#include "menuitemfolderoptions.h"
#include "menusettings.h"

#include <QJSValue>
#include <QPointer>
#include <QQmlPropertyMap>
#include <QVariant>

namespace Orvane::Imports {

class MenuSettingsRoot;

// One editable entry of a launcher menu; its type decides which child list it has.
class MenuSettingsItem : public MenuItemBase {
    Q_OBJECT
    Q_PROPERTY(
        Orvane::Imports::MenuSettings::ItemType type READ type WRITE setType NOTIFY typeChanged)
    Q_PROPERTY(QString label READ label WRITE setLabel NOTIFY labelChanged)
    Q_PROPERTY(QString text READ text WRITE setText NOTIFY textChanged)
    Q_PROPERTY(QJSValue action READ action WRITE setAction NOTIFY actionChanged)
    Q_PROPERTY(Orvane::Imports::MenuItemFolderOptions folder READ folder WRITE setFolder NOTIFY
                   folderChanged)
    Q_PROPERTY(QVariant icon READ icon NOTIFY iconChanged)
    Q_PROPERTY(QVariant image READ image NOTIFY imageChanged)
    Q_PROPERTY(QJSValue _orv_id READ scriptId CONSTANT)
    Q_PROPERTY(QJSValue _orv_icon READ iconValue WRITE setIconValue)
    Q_PROPERTY(QObject *items READ items NOTIFY typeChanged)
    Q_PROPERTY(QObject *theme READ theme NOTIFY themeChanged)

public:
    MenuSettingsItem(MenuSettingsRoot *root, MenuItemBase *parentItem, QObject *parent);
    ~MenuSettingsItem() override;

    QString id() const { return m_id; }
    void setId(const QString &id) { m_id = id; }

    MenuSettings::ItemType type() const { return MenuSettings::ItemType(m_type); }
    void setType(MenuSettings::ItemType type);
    // Stores the type without touching the items list (used while reading a document).
    void initType(int type) { m_type = type; }

    QString label() const { return m_label; }
    void setLabel(const QString &label);
    QString text() const { return m_text; }
    void setText(const QString &text);
    QJSValue action() const { return m_action; }
    void setAction(const QJSValue &action);
    MenuItemFolderOptions folder() const { return m_folder; }
    void setFolder(const MenuItemFolderOptions &folder);
    QVariant icon() const;
    QVariant image() const { return m_themeImage; }
    QJSValue scriptId() const { return QJSValue(m_id); }
    QJSValue iconValue() const { return m_icon; }
    void setIconValue(const QJSValue &icon);

    QObject *items() const { return m_items; }
    // Replaces the items list without signals; a list replaced this way is deleted later.
    void setItems(QObject *items);
    // Gives a MenuItem or FolderItem the list its type calls for, when it has none.
    void ensureItems();

    MenuSettingsRoot *root() const { return m_root; }
    QObject *theme() const { return m_theme; }
    QQmlPropertyMap *themeMap() const { return m_theme; }
    void setTheme(QQmlPropertyMap *map);

signals:
    void typeChanged();
    void labelChanged();
    void textChanged();
    void actionChanged();
    void folderChanged();
    void iconChanged();
    void imageChanged();
    void themeChanged();

private:
    QObject *createItems();
    void themeValueChanged(const QString &key, const QVariant &value);

    QString m_id;
    int m_type = MenuSettings::EmptyItem;
    QString m_label;
    QString m_text;
    QJSValue m_icon;
    QJSValue m_action;
    MenuItemFolderOptions m_folder;
    QObject *m_items = nullptr;
    MenuSettingsRoot *m_root;
    QPointer<QQmlPropertyMap> m_theme;
    QVariant m_themeIcon;
    QVariant m_themeImage;
};

} // namespace Orvane::Imports
