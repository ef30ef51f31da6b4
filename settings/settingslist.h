#pragma once

#include "settings/settingslistmodel.h"

namespace Orvane::Imports {

// The list node of a settings tree, as QML sees it.
class SettingsList : public SettingsListModel {
    Q_OBJECT
    Q_PROPERTY(int count READ count NOTIFY countChanged)

public:
    explicit SettingsList(QObject *parent = nullptr);

public slots:
    QVariant get(int index) const { return SettingsListModel::get(index); }
    void append(const QVariant &item) { SettingsListModel::append(item); }
    void insert(int index, const QVariant &item) { SettingsListModel::insert(index, item); }
    void set(int index, const QVariant &item) { SettingsListModel::set(index, item); }
    void remove(int index, int count) { SettingsListModel::remove(index, count); }
    void remove(int index) { SettingsListModel::remove(index, 1); }
    void move(int from, int to, int count) { SettingsListModel::move(from, to, count); }
    void clear() { SettingsListModel::clear(); }
    // Keeps JSON.stringify from walking into the list.
    QObject *toJSON() const { return nullptr; }
};

} // namespace Orvane::Imports
