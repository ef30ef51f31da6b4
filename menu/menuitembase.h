#pragma once

#include <QObject>
#include <QPointer>

namespace Orvane::Imports {

// Common base of editable menu items and folder entries: knows the item above it.
class MenuItemBase : public QObject {
    Q_OBJECT
    Q_PROPERTY(Orvane::Imports::MenuItemBase *parent READ parentItem NOTIFY parentItemChanged)

public:
    MenuItemBase(MenuItemBase *parentItem, QObject *parent);
    ~MenuItemBase() override;

    MenuItemBase *parentItem() const { return m_parentItem; }
    // Emits parentItemChanged when the parent item really changes.
    void setParentItem(MenuItemBase *parentItem);

signals:
    void parentItemChanged();

private:
    QPointer<MenuItemBase> m_parentItem;
};

} // namespace Orvane::Imports
