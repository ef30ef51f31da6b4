#include "menuitembase.h"

namespace Orvane::Imports {

MenuItemBase::MenuItemBase(MenuItemBase *parentItem, QObject *parent)
    : QObject(parent)
    , m_parentItem(parentItem) {}

MenuItemBase::~MenuItemBase() = default;

void MenuItemBase::setParentItem(MenuItemBase *parentItem) {
    if (m_parentItem == parentItem)
        return;
    m_parentItem = parentItem;
    emit parentItemChanged();
}

} // namespace Orvane::Imports
