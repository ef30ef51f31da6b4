#pragma once

#include <QAbstractListModel>
#include <QFileInfo>
#include <QVector>

namespace Orvane::Imports {

class MenuItemBase;
class MenuFolderItem;
class MenuSettingsItem;

// The folder path as stored by the user, turned into the directory to list.
QString resolveFolderPath(const QString &path);

// Read-only model over one directory; entry objects are made only when a row is asked for.
class MenuFolderList : public QAbstractListModel {
    Q_OBJECT
    Q_PROPERTY(int count READ count NOTIFY countChanged)

public:
    MenuFolderList(const QString &path, MenuSettingsItem *owner, MenuItemBase *parentItem);
    ~MenuFolderList() override;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QHash<int, QByteArray> roleNames() const override;

    int count() const { return m_entries.size(); }
    QString path() const { return m_path; }
    void setPath(const QString &path);
    MenuFolderItem *itemAt(int row) const;

public slots:
    QObject *toJSON();
    QVariant get(int index);
    void reload();

signals:
    void countChanged();

private:
    void refresh();

    MenuSettingsItem *m_owner;
    MenuItemBase *m_parentItem;
    QString m_path;
    QFileInfoList m_entries;
    // Filled lazily from data() and get(), hence mutable.
    mutable QVector<MenuFolderItem *> m_items;
};

} // namespace Orvane::Imports
