#pragma once

#include <QMetaType>
#include <QObject>
#include <QString>

namespace Orvane::Imports {

// What a folder item lists and how its entries look; a value type for QML.
class MenuItemFolderOptions {
    Q_GADGET
    Q_PROPERTY(QString path READ path WRITE setPath)
    Q_PROPERTY(bool extractIcon READ extractIcon WRITE setExtractIcon)
    Q_PROPERTY(bool keepExtension READ keepExtension WRITE setKeepExtension)

public:
    QString path() const { return m_path; }
    void setPath(const QString &path);
    bool extractIcon() const { return m_extractIcon; }
    void setExtractIcon(bool extractIcon);
    bool keepExtension() const { return m_keepExtension; }
    void setKeepExtension(bool keepExtension);

    bool operator==(const MenuItemFolderOptions &other) const;
    bool operator!=(const MenuItemFolderOptions &other) const { return !(*this == other); }

private:
    QString m_path;
    bool m_extractIcon = false;
    bool m_keepExtension = false;
};

} // namespace Orvane::Imports

Q_DECLARE_METATYPE(Orvane::Imports::MenuItemFolderOptions)
