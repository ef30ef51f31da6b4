#include "menufolderitem.h"

#include "menufolderlist.h"
#include "menusettingsitem.h"

#include <QVariantMap>

namespace Orvane::Imports {

MenuFolderItem::MenuFolderItem(const QFileInfo &fileInfo, MenuSettingsItem *owner,
                               MenuItemBase *parentItem, MenuFolderList *list)
    : MenuItemBase(parentItem, list)
    , m_owner(owner)
    , m_type(fileInfo.isDir() && !fileInfo.isSymLink() ? MenuSettings::FolderDirItem
                                                       : MenuSettings::FolderFileItem)
    , m_fileInfo(fileInfo) {
    if (m_owner) {
        connect(m_owner, &MenuSettingsItem::themeChanged, this, &MenuFolderItem::themeChanged);
        connect(m_owner, &MenuSettingsItem::folderChanged, this,
                &MenuFolderItem::folderOptionsChanged);
    }
}

MenuFolderItem::~MenuFolderItem() = default;

QString MenuFolderItem::label() const {
    if ((m_owner && m_owner->folder().keepExtension()) || m_type == MenuSettings::FolderDirItem)
        return m_fileInfo.fileName();
    return m_fileInfo.completeBaseName();
}

QVariant MenuFolderItem::icon() const {
    if (!m_owner || !m_owner->folder().extractIcon())
        return QVariant();
    return QVariantMap{{QStringLiteral("normal"),
                        QString(QStringLiteral("image://shell-icon//") + m_fileInfo.filePath())}};
}

QVariant MenuFolderItem::action() const {
    // A file URL with three slashes whether the path has a drive letter or a leading slash.
    QString path = m_fileInfo.filePath();
    if (path.startsWith(QLatin1Char('/')))
        path.remove(0, 1);
    const QVariantMap data{{QStringLiteral("type"), m_type == MenuSettings::FolderDirItem ? 1 : 0},
                           {QStringLiteral("url"), QString(QStringLiteral("file:///") + path)}};
    return QVariantMap{{QStringLiteral("source"), QStringLiteral("orv://system/action#open")},
                       {QStringLiteral("data"), data}};
}

QObject *MenuFolderItem::items() {
    if (m_type != MenuSettings::FolderDirItem)
        return nullptr;
    if (!m_items)
        m_items = new MenuFolderList(m_fileInfo.absoluteFilePath(), m_owner, this);
    return m_items;
}

QObject *MenuFolderItem::theme() const {
    return m_owner ? m_owner->theme() : nullptr;
}

} // namespace Orvane::Imports
