#include "coreplugin.h"

#include "core/launchercompositor.h"
#include "core/module.h"
#include "core/resourcefilter.h"
#include "core/view.h"
#include "core/windowcompositor.h"
#include "menu/menufolderitem.h"
#include "menu/menufolderlist.h"
#include "menu/menuitemfolderoptions.h"
#include "menu/menusettings.h"
#include "menu/menusettingsitem.h"
#include "menu/menusettingslist.h"
#include "settings/settings.h"
#include "settings/settingslist.h"
#include "settings/settingsmap.h"
#include "settings/settingsmapattached.h"
#include "sound/soundeffect.h"
#include "sound/stocksounds.h"
#include "utils/resources.h"
#include "utils/url.h"
#include "utils/urlinfo.h"
#include "utils/utils.h"
#include "utils/window.h"

#include <QQmlEngine>
#include <QQuickWindow>
#include <QtQuick/private/qquickwindowmodule_p.h>

namespace Orvane::Imports {

namespace {

template <typename T> QObject *ownedSingleton(QQmlEngine *, QJSEngine *) {
    return new T;
}

template <typename T> QObject *engineSingleton(QQmlEngine *engine, QJSEngine *) {
    return new T(engine);
}

// The host's process-wide objects: no engine may delete them.
template <typename T> QObject *hostSingleton(QQmlEngine *, QJSEngine *) {
    QObject *object = T::instance();
    QQmlEngine::setObjectOwnership(object, QQmlEngine::CppOwnership);
    return object;
}

QUrl component(const char *path) {
    return QUrl(QLatin1String("qrc:/qml/Orvane/") + QLatin1String(path), QUrl::TolerantMode);
}

template <typename T> void registerUncreatable(const char *uri, const char *name) {
    qmlRegisterUncreatableType<T>(uri, 1, 0, name,
                                  QLatin1String(name) + QLatin1String(" is uncreatable"));
}

} // namespace

void CorePlugin::registerTypes(const char *uri) {
    const QByteArray implUri = QByteArray(uri) + ".impl";
    const char *impl = implUri.constData();

    qmlRegisterModule(impl, 1, 0);
    qmlRegisterRevision<QQuickWindow, 4>(impl, 1, 0);
    qmlRegisterRevision<QQuickWindowQmlImpl, 2>(impl, 1, 0);
    qmlRegisterRevision<QWindow, 13>(impl, 1, 0);
    qmlRegisterType<Orvane::Module>(impl, 1, 0, "Module");
    qmlRegisterType<Window>(impl, 1, 0, "Window");
    qmlRegisterType<Utils>(impl, 1, 0, "Utils");
    qmlRegisterSingletonType(component("impl/DefaultAction.qml"), impl, 1, 0, "DefaultAction");
    qmlRegisterSingletonType(component("impl/DefaultData.qml"), impl, 1, 0, "DefaultData");
    qmlRegisterSingletonType(component("impl/DefaultValue.qml"), impl, 1, 0, "DefaultValue");
    qRegisterMetaType<UrlInfo>();
    qRegisterMetaType<MenuItemFolderOptions>();
    qmlRegisterAnonymousType<SettingsMapAttached>("", 1);
    qmlRegisterType<Orvane::GUI::View>(uri, 1, 0, "View");
    qmlRegisterType<Orvane::ResourceFilter>(uri, 1, 0, "ResourceFilter");
    qmlRegisterType<Orvane::SoundEffect>(uri, 1, 0, "SoundEffect");
    registerUncreatable<SettingsMap>(uri, "SettingsMap");
    registerUncreatable<SettingsList>(uri, "SettingsList");
    registerUncreatable<MenuFolderItem>(uri, "MenuFolderItem");
    registerUncreatable<MenuFolderList>(uri, "MenuFolderList");
    registerUncreatable<MenuSettingsItem>(uri, "MenuSettingsItem");
    registerUncreatable<MenuSettingsList>(uri, "MenuSettingsList");
    qmlRegisterSingletonType<Resources>(uri, 1, 0, "Resources", &ownedSingleton<Resources>);
    qmlRegisterSingletonType<Settings>(uri, 1, 0, "Settings", &engineSingleton<Settings>);
    qmlRegisterSingletonType<MenuSettings>(uri, 1, 0, "MenuSettings",
                                           &engineSingleton<MenuSettings>);
    qmlRegisterSingletonType<Url>(uri, 1, 0, "Url", &ownedSingleton<Url>);
    qmlRegisterSingletonType<Orvane::GUI::LauncherCompositor>(
        uri, 1, 0, "LauncherCompositor", &hostSingleton<Orvane::GUI::LauncherCompositor>);
    qmlRegisterSingletonType<Orvane::GUI::WindowCompositor>(
        uri, 1, 0, "WindowCompositor", &hostSingleton<Orvane::GUI::WindowCompositor>);
    qmlRegisterType(component("ActionSource.qml"), uri, 1, 0, "ActionSource");
    qmlRegisterType(component("BackgroundSource.qml"), uri, 1, 0, "BackgroundSource");
    qmlRegisterType(component("DataSource.qml"), uri, 1, 0, "DataSource");
    qmlRegisterType(component("DataSourceProgressOutput.qml"), uri, 1, 0,
                    "DataSourceProgressOutput");
    qmlRegisterType(component("DataSourceRawOutput.qml"), uri, 1, 0, "DataSourceRawOutput");
    qmlRegisterType(component("DataSourceTextOutput.qml"), uri, 1, 0, "DataSourceTextOutput");
    qmlRegisterType(component("IconSource.qml"), uri, 1, 0, "IconSource");
    qmlRegisterType(component("ImageSource.qml"), uri, 1, 0, "ImageSource");
    qmlRegisterType(component("Container.qml"), uri, 1, 0, "Container");
    qmlRegisterType(component("Notification.qml"), uri, 1, 0, "Notification");
    qmlRegisterType(component("Module.qml"), uri, 1, 0, "Module");
    qmlRegisterType(component("Window.qml"), uri, 1, 0, "Window");
    qmlRegisterSingletonType(component("SystemCall.qml"), uri, 1, 0, "SystemCall");
    qmlRegisterSingletonType(component("Utils.qml"), uri, 1, 0, "Utils");
    qmlRegisterSingletonType(uri, 1, 0, "SFX", &stockSounds);
}

} // namespace Orvane::Imports
