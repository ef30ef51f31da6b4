#include "menuitemfolderoptions.h"

namespace Orvane::Imports {

void MenuItemFolderOptions::setPath(const QString &path) {
    if (m_path != path)
        m_path = path;
}

void MenuItemFolderOptions::setExtractIcon(bool extractIcon) {
    if (m_extractIcon != extractIcon)
        m_extractIcon = extractIcon;
}

void MenuItemFolderOptions::setKeepExtension(bool keepExtension) {
    if (m_keepExtension != keepExtension)
        m_keepExtension = keepExtension;
}

bool MenuItemFolderOptions::operator==(const MenuItemFolderOptions &other) const {
    return m_path == other.m_path && m_extractIcon == other.m_extractIcon &&
           m_keepExtension == other.m_keepExtension;
}

} // namespace Orvane::Imports
