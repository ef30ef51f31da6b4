#include "menusettings.h"

#include "menudocument.h"
#include "menusettingslist.h"
#include "menusettingsroot.h"

#include "settings/settingspath.h"
#include "settings/settingsstore.h"
#include "utils/boundeddevice.h"
#include "utils/warning.h"

#include <QFile>
#include <QJSEngine>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace Orvane::Imports {

MenuSettings::MenuSettings(QJSEngine *engine)
    : m_json(engine) {}

MenuSettings::~MenuSettings() = default;

QObject *MenuSettings::create(QObject *parent) {
    auto *root = new MenuSettingsRoot(parent);
    root->setItems(new MenuSettingsList(root));
    return root;
}

QObject *MenuSettings::create() {
    return create(nullptr);
}

QObject *MenuSettings::load(QString directory, QString name, QObject *parent) {
    const QString fileName = name + QLatin1String(".xml");
    QFile file(SettingsPath::file(directory, fileName));
    if (!SettingsPath::isInside(directory, fileName) || !SettingsPath::openForReading(file)) {
        ORV_WARNING("MenuSettings::load") << "cannot open file: " << file.fileName();
        return nullptr;
    }
    BoundedDevice input(&file);
    QXmlStreamReader xml(&input);
    xml.readNext();
    while (!xml.isStartElement() && !xml.atEnd())
        xml.readNext();
    if (!xml.isStartElement()) {
        ORV_WARNING("MenuSettings::load") << "cannot read root element";
        return nullptr;
    }
    if (xml.name() != QLatin1String(MenuDocument::root)) {
        ORV_WARNING("MenuSettings::load") << "invalid root element";
        return nullptr;
    }
    auto *root = new MenuSettingsRoot(parent);
    // Only the first menu counts; whatever follows it is never read.
    while (xml.readNextStartElement()) {
        if (xml.name() == QLatin1String(MenuDocument::menu)) {
            root->setItems(loadMenu(xml, root, root, m_json));
            break;
        }
        xml.skipCurrentElement();
    }
    input.explain(xml);
    if (xml.hasError()) {
        ORV_WARNING("MenuSettings::load") << "error parsing xml: " << xml.errorString();
        delete root;
        return nullptr;
    }
    return root;
}

QObject *MenuSettings::load(QString directory, QString name) {
    return load(directory, name, nullptr);
}

bool MenuSettings::save(QObject *settings, QString directory, QString name) {
    auto *root = qobject_cast<MenuSettingsRoot *>(settings);
    if (!root) {
        ORV_WARNING("MenuSettings::save") << "invalid menu settings";
        return false;
    }
    SettingsStore store;
    QIODevice *device = store.open(directory, name + QLatin1String(".xml"));
    if (!device)
        return false;
    // Into the store's memory: it writes the file, checked, on commit.
    QXmlStreamWriter xml(device);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeStartElement(QLatin1String(MenuDocument::root));
    const bool written = saveMenu(xml, root, m_json);
    xml.writeEndElement();
    // A text the writer cannot encode leaves a broken document: keep the previous one.
    if (written && xml.hasError()) {
        ORV_WARNING("MenuSettings::save") << "error writing xml";
        return false;
    }
    return written && store.commit();
}

} // namespace Orvane::Imports
