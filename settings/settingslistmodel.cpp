#include "settingslistmodel.h"

#include "utils/warning.h"

#include <algorithm>

namespace Orvane::Imports {

SettingsListModel::SettingsListModel(QObject *parent)
    : QAbstractListModel(parent) {}

int SettingsListModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : items.size();
}

QVariant SettingsListModel::data(const QModelIndex &index, int role) const {
    if (index.row() < 0 || index.row() >= items.size() || index.column() != 0 ||
        role != Qt::UserRole)
        return QVariant();
    return items.at(index.row());
}

bool SettingsListModel::setData(const QModelIndex &index, const QVariant &value, int role) {
    if (index.row() < 0 || index.row() >= items.size() || index.column() != 0 ||
        role != Qt::UserRole)
        return false;
    items[index.row()] = value;
    modified = true;
    emit dataChanged(index, index, {});
    return true;
}

QHash<int, QByteArray> SettingsListModel::roleNames() const {
    static const QHash<int, QByteArray> names{{Qt::UserRole, QByteArrayLiteral("modelData")}};
    return names;
}

QVariant SettingsListModel::get(int index) const {
    return index >= 0 && index < items.size() ? items.at(index) : QVariant();
}

void SettingsListModel::append(const QVariant &item) {
    const int row = items.size();
    beginInsertRows(QModelIndex(), row, row);
    items.append(item);
    modified = true;
    endInsertRows();
    emit countChanged();
}

void SettingsListModel::appendAll(QList<QVariant> values) {
    if (values.isEmpty())
        return;
    const int row = items.size();
    beginInsertRows(QModelIndex(), row, row + values.size() - 1);
    items.append(values); // an empty list takes the other's data as it is
    modified = true;
    endInsertRows();
    emit countChanged();
}

bool SettingsListModel::insert(int index, const QVariant &item) {
    if (index < 0 || index > items.size()) {
        ORV_WARNING("SettingsListModel::insert")
            << QStringLiteral("index %1 out of range").arg(index);
        return false;
    }
    beginInsertRows(QModelIndex(), index, index);
    items.insert(index, item);
    modified = true;
    endInsertRows();
    emit countChanged();
    return true;
}

bool SettingsListModel::set(int index, const QVariant &item) {
    if (index < 0 || index > items.size()) {
        ORV_WARNING("SettingsListModel::set") << QStringLiteral("index %1 out of range").arg(index);
        return false;
    }
    if (index == items.size()) {
        append(item);
        return true;
    }
    items[index] = item;
    modified = true;
    const QModelIndex changed = createIndex(index, 0);
    emit dataChanged(changed, changed, {});
    return true;
}

bool SettingsListModel::remove(int index, int count) {
    const int size = items.size();
    if (size == 0)
        return true;
    if (index < 0 || index >= size || count < 1) {
        ORV_WARNING("SettingsListModel::remove")
            << QStringLiteral("indices [%1 - %2] out of range [0 - %3]")
                   .arg(index)
                   .arg(index + count)
                   .arg(size);
        return false;
    }
    const int removed = qMin(count, size - index);
    beginRemoveRows(QModelIndex(), index, index + removed - 1);
    items.erase(items.begin() + index, items.begin() + index + removed);
    modified = true;
    endRemoveRows();
    emit countChanged();
    return true;
}

bool SettingsListModel::move(int from, int to, int count) {
    if (count == 0 || from == to)
        return true;
    const int size = items.size();
    if (from < 0 || to < 0 || count < 0 || from + count > size || to + count > size) {
        ORV_WARNING("SettingsListModel::move") << "out of range";
        return false;
    }
    beginMoveRows(QModelIndex(), from, from + count - 1, QModelIndex(),
                  to > from ? to + count : to);
    // Rotating the affected range keeps every item outside it in place.
    if (from < to)
        std::rotate(items.begin() + from, items.begin() + from + count, items.begin() + to + count);
    else
        std::rotate(items.begin() + to, items.begin() + from, items.begin() + from + count);
    modified = true;
    endMoveRows();
    return true;
}

void SettingsListModel::clear() {
    if (items.isEmpty())
        return;
    beginRemoveRows(QModelIndex(), 0, items.size() - 1);
    items.clear();
    modified = true;
    endRemoveRows();
    emit countChanged();
}

} // namespace Orvane::Imports
