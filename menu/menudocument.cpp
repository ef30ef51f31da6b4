#include "menudocument.h"

#include "menusettingslist.h"
#include "menusettingsroot.h"

#include "utils/nestingguard.h"
#include "utils/warning.h"

#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace Orvane::Imports {

namespace {

using namespace MenuDocument;

// Element text; a nested element is an XML error, which fails the whole load.
QString readText(QXmlStreamReader &xml) {
    return xml.readElementText(QXmlStreamReader::ErrorOnUnexpectedElement);
}

void readFolder(QXmlStreamReader &xml, MenuItemFolderOptions &folder) {
    while (xml.readNextStartElement()) {
        if (xml.name() == QLatin1String(path)) {
            folder.setPath(readText(xml));
        } else if (xml.name() == QLatin1String(options)) {
            const uint bits = readText(xml).toUInt();
            if (bits & 1)
                folder.setExtractIcon(true);
            if (bits & 2)
                folder.setKeepExtension(true);
        } else {
            xml.skipCurrentElement();
        }
    }
}

void readType(QXmlStreamReader &xml, MenuSettingsItem *item) {
    const QString text = readText(xml);
    switch (text.toUInt()) {
    case MenuSettings::EmptyItem:
    case MenuSettings::ActionItem:
    case MenuSettings::MenuItem:
    case MenuSettings::FolderItem:
        item->initType(int(text.toUInt()));
        break;
    default:
        ORV_WARNING("Imports::loadMenu") << "invalid item type: " << text;
        break;
    }
}

bool parseJson(QXmlStreamReader &xml, const ScriptJson &json, QJSValue &value,
               const char *message) {
    const QString text = readText(xml);
    const QJSValue result = json.callParse(text);
    if (result.isError()) {
        ORV_WARNING("Imports::loadMenu") << message << text;
        return false;
    }
    value = result;
    return true;
}

MenuSettingsItem *readItem(QXmlStreamReader &xml, MenuSettingsList *list, MenuSettingsItem *owner,
                           MenuSettingsRoot *root, const ScriptJson &json) {
    auto *item = new MenuSettingsItem(root, owner, list);
    QString itemId = xml.attributes().value(QLatin1String(id)).toString();
    if (itemId.isEmpty() && root)
        itemId = root->generateId();
    item->setId(itemId);

    MenuItemFolderOptions folderOptions;
    while (xml.readNextStartElement()) {
        const QStringRef name = xml.name();
        if (name == QLatin1String(type)) {
            readType(xml, item);
        } else if (name == QLatin1String(label)) {
            item->setLabel(readText(xml));
        } else if (name == QLatin1String(text)) {
            item->setText(readText(xml));
        } else if (name == QLatin1String(icon)) {
            QJSValue value;
            if (parseJson(xml, json, value, "invalid icon: "))
                item->setIconValue(value);
        } else if (name == QLatin1String(action)) {
            QJSValue value;
            if (parseJson(xml, json, value, "invalid action: "))
                item->setAction(value);
        } else if (name == QLatin1String(folder)) {
            readFolder(xml, folderOptions);
        } else if (name == QLatin1String(menu)) {
            item->setItems(loadMenu(xml, item, root, json));
        } else {
            xml.skipCurrentElement();
        }
    }
    // No list exists yet, so this only stores the options.
    item->setFolder(folderOptions);

    if (item->items() && item->type() != MenuSettings::MenuItem) {
        ORV_WARNING("Imports::loadMenu") << "correct menu item from type: " << item->type();
        item->initType(MenuSettings::MenuItem);
    }
    item->ensureItems();
    return item;
}

void writeJson(QXmlStreamWriter &xml, const ScriptJson &json, const QJSValue &value,
               const char *element, const char *message, const QString &itemId) {
    if (!value.isObject())
        return;
    const QJSValue result = json.callStringify(value);
    if (result.isError()) {
        ORV_WARNING("Imports::saveMenu") << message << itemId;
        return;
    }
    xml.writeTextElement(QLatin1String(element), result.toString());
}

} // namespace

MenuSettingsList *loadMenu(QXmlStreamReader &xml, MenuSettingsItem *owner, MenuSettingsRoot *root,
                           const ScriptJson &json) {
    const NestingGuard nesting(xml);
    if (xml.hasError())
        return nullptr;
    auto *list = new MenuSettingsList(owner);
    while (xml.readNextStartElement()) {
        if (xml.name() == QLatin1String(item))
            list->appendLoaded(readItem(xml, list, owner, root, json));
        else
            xml.skipCurrentElement();
    }
    list->setModified(false);
    return list;
}

bool saveMenu(QXmlStreamWriter &xml, MenuSettingsItem *owner, const ScriptJson &json) {
    auto *list = owner ? qobject_cast<MenuSettingsList *>(owner->items()) : nullptr;
    if (xml.hasError() || !list)
        return false;
    xml.writeStartElement(QLatin1String(menu));
    for (int i = 0, count = list->count(); i < count; ++i) {
        const QVariant entry = list->SettingsListModel::get(i);
        MenuSettingsItem *item = qobject_cast<MenuSettingsItem *>(entry.value<QObject *>());
        if (!item) {
            ORV_WARNING("Imports::saveMenu") << "invalid menu item: " << entry;
            continue;
        }
        xml.writeStartElement(QLatin1String(MenuDocument::item));
        if (!item->id().isEmpty())
            xml.writeAttribute(QLatin1String(id), item->id());
        xml.writeTextElement(QLatin1String(type), QString::number(int(item->type())));
        xml.writeTextElement(QLatin1String(label), item->label());
        xml.writeTextElement(QLatin1String(text), item->text());
        writeJson(xml, json, item->iconValue(), icon, "invalid icon: ", item->id());
        switch (item->type()) {
        case MenuSettings::ActionItem:
            writeJson(xml, json, item->action(), action, "invalid action: ", item->id());
            break;
        case MenuSettings::MenuItem:
            saveMenu(xml, item, json);
            break;
        case MenuSettings::FolderItem: {
            const MenuItemFolderOptions options = item->folder();
            xml.writeStartElement(QLatin1String(folder));
            xml.writeTextElement(QLatin1String(path), options.path());
            xml.writeTextElement(QLatin1String(MenuDocument::options),
                                 QString::number((options.keepExtension() ? 2 : 0) +
                                                 (options.extractIcon() ? 1 : 0)));
            xml.writeEndElement();
            break;
        }
        default:
            break;
        }
        xml.writeEndElement();
    }
    xml.writeEndElement();
    return true;
}

} // namespace Orvane::Imports
