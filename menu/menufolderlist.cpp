#include "menufolderlist.h"

#include "menufolderitem.h"
#include "menuitembase.h"

#include "common/paths.h"

#include <QDir>
#include <QUrl>

namespace Orvane::Imports {

namespace {

// Files and every subfolder without "." and ".."; hidden and system entries stay out.
constexpr QDir::Filters entryFilter = QDir::Files | QDir::AllDirs | QDir::NoDotAndDotDot;
constexpr QDir::SortFlags entrySort = QDir::Name | QDir::DirsFirst | QDir::IgnoreCase;

} // namespace

QString resolveFolderPath(const QString &path) {
    QString local = QUrl(path, QUrl::TolerantMode).toLocalFile();
    local = Orvane::Paths::expandEnvironmentStrings(local);
    local.replace(QLatin1Char('\\'), QLatin1Char('/'));
#ifdef Q_OS_WIN
    // "file:///%DIR%/x" leaves a slash in front of the expanded drive letter.
    if (local.startsWith(QLatin1Char('/')))
        local.remove(0, 1);
#else
    // Here absolute paths keep their slash; only the doubled one of "/${DIR}" collapses.
    if (local.startsWith(QLatin1String("//")))
        local.remove(0, 1);
#endif
    return local;
}

MenuFolderList::MenuFolderList(const QString &path, MenuSettingsItem *owner,
                               MenuItemBase *parentItem)
    : QAbstractListModel(parentItem)
    , m_owner(owner)
    , m_parentItem(parentItem)
    , m_path(path) {
    refresh();
}

MenuFolderList::~MenuFolderList() = default;

int MenuFolderList::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : m_entries.size();
}

QVariant MenuFolderList::data(const QModelIndex &index, int role) const {
    if (!index.isValid() || index.column() != 0 || role != Qt::UserRole || index.row() < 0 ||
        index.row() >= m_entries.size())
        return QVariant();
    return QVariant::fromValue(itemAt(index.row()));
}

QHash<int, QByteArray> MenuFolderList::roleNames() const {
    static const QHash<int, QByteArray> roles{{Qt::UserRole, QByteArrayLiteral("modelData")}};
    return roles;
}

void MenuFolderList::setPath(const QString &path) {
    if (m_path == path)
        return;
    m_path = path;
    reload();
}

MenuFolderItem *MenuFolderList::itemAt(int row) const {
    MenuFolderItem *&item = m_items[row];
    if (!item) {
        item = new MenuFolderItem(m_entries.at(row), m_owner, m_parentItem,
                                  const_cast<MenuFolderList *>(this));
    }
    return item;
}

QObject *MenuFolderList::toJSON() {
    return nullptr;
}

QVariant MenuFolderList::get(int index) {
    if (index < 0 || index >= m_entries.size())
        return QVariant();
    return QVariant::fromValue(itemAt(index));
}

void MenuFolderList::reload() {
    beginResetModel();
    refresh();
    endResetModel();
    emit countChanged();
}

void MenuFolderList::refresh() {
    for (MenuFolderItem *item : qAsConst(m_items)) {
        if (item)
            item->deleteLater();
    }
    m_items.clear();
    m_entries.clear();
    if (m_path.isEmpty())
        return;
    m_entries = QDir(m_path).entryInfoList(entryFilter, entrySort);
    m_items.fill(nullptr, m_entries.size());
}

} // namespace Orvane::Imports
