#pragma once

#include <QAbstractListModel>
#include <QList>
#include <QVariant>

namespace Orvane::Imports {

// An ordered list of variants that is also a one-role list model ("modelData").
// The editing operations test their arguments and report rejected calls on the
// host category; they never delete the objects that items point to.
class SettingsListModel : public QAbstractListModel {
    Q_OBJECT

public:
    explicit SettingsListModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::UserRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::UserRole) override;
    QHash<int, QByteArray> roleNames() const override;

    int count() const { return items.size(); }
    QVariant get(int index) const;
    void append(const QVariant &item);
    // Appends all of them as one insertion: one rowsInserted, one countChanged.
    void appendAll(QList<QVariant> values);
    bool insert(int index, const QVariant &item);
    bool set(int index, const QVariant &item);
    bool remove(int index, int count);
    bool move(int from, int to, int count);
    void clear();

    bool isModified() const { return modified; }
    void setModified(bool value) { modified = value; }
    const QList<QVariant> &values() const { return items; }

signals:
    void countChanged();

protected:
    QList<QVariant> items;
    bool modified = false;
};

} // namespace Orvane::Imports
