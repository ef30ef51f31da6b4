#pragma once

#include "settings/scriptjson.h"

#include <QObject>

class QJSEngine;

namespace Orvane::Imports {

// The one way into launcher menus from QML: create, load and save menu trees.
class MenuSettings : public QObject {
    Q_OBJECT

public:
    enum ItemType {
        EmptyItem = 0,
        ActionItem = 1,
        MenuItem = 100,
        FolderItem = 101,
        FolderDirItem = 1000,
        FolderFileItem = 1001,
    };
    Q_ENUM(ItemType)

    explicit MenuSettings(QJSEngine *engine);
    ~MenuSettings() override;

public slots:
    QObject *create(QObject *parent);
    QObject *create();
    QObject *load(QString directory, QString name, QObject *parent);
    QObject *load(QString directory, QString name);
    bool save(QObject *settings, QString directory, QString name);

private:
    // Icons and actions are stored as the engine's own JSON text.
    ScriptJson m_json;
};

} // namespace Orvane::Imports
