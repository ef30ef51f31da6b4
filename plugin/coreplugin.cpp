#include "coreplugin.h"

#include "core/launchercompositor.h"
#include "core/module.h"
#include "core/resourcefilter.h"
#include "core/view.h"
#include "core/windowcompositor.h"
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

// One instance per engine, without parent: the engine owns it.
template <typename T> QObject *ownedSingleton(QQmlEngine *, QJSEngine *)
{
    return new T;
}

template <typename T> QObject *hostSingleton(QQmlEngine *, QJSEngine *)
{
    QObject *object = T::instance();
    QQmlEngine::setObjectOwnership(object, QQmlEngine::CppOwnership);
    return object;
}

QUrl component(const char *path)
{
    return QUrl(QLatin1String("qrc:/qml/Orvane/") + QLatin1String(path), QUrl::TolerantMode);
}

} // namespace

void CorePlugin::registerTypes(const char *uri)
{
    const QByteArray implUri = QByteArray(uri) + ".impl";
    const char *impl = implUri.constData();

    qmlRegisterModule(impl, 1, 0);
    qmlRegisterRevision<QQuickWindow, 4>(impl, 1, 0);
    qmlRegisterRevision<QQuickWindowQmlImpl, 2>(impl, 1, 0);
    qmlRegisterRevision<QWindow, 13>(impl, 1, 0);
    qmlRegisterType<Orvane::Module>(impl, 1, 0, "Module");
    qmlRegisterType<Orvane::Imports::Window>(impl, 1, 0, "Window");
    qmlRegisterType<Orvane::Imports::Utils>(impl, 1, 0, "Utils");
    qmlRegisterSingletonType(component("impl/DefaultAction.qml"), impl, 1, 0, "DefaultAction");
    qmlRegisterSingletonType(component("impl/DefaultData.qml"), impl, 1, 0, "DefaultData");
    qmlRegisterSingletonType(component("impl/DefaultValue.qml"), impl, 1, 0, "DefaultValue");
    qRegisterMetaType<Orvane::Imports::UrlInfo>();
    // row 12: MenuItemFolderOptions
    // row 13: SettingsMapAttached
    qmlRegisterType<Orvane::GUI::View>(uri, 1, 0, "View");
    qmlRegisterType<Orvane::ResourceFilter>(uri, 1, 0, "ResourceFilter");
    // row 16: SoundEffect
    // row 17: SettingsMap
    // row 18: SettingsList
    // row 19: MenuFolderItem
    // row 20: MenuFolderList
    // row 21: MenuSettingsItem
    // row 22: MenuSettingsList
    qmlRegisterSingletonType<Orvane::Imports::Resources>(
        uri, 1, 0, "Resources", &ownedSingleton<Orvane::Imports::Resources>);
    // row 24: Settings
    // row 25: MenuSettings
    qmlRegisterSingletonType<Orvane::Imports::Url>(uri, 1, 0, "Url",
                                                   &ownedSingleton<Orvane::Imports::Url>);
    qmlRegisterSingletonType<Orvane::GUI::LauncherCompositor>(
        uri, 1, 0, "LauncherCompositor", &hostSingleton<Orvane::GUI::LauncherCompositor>);
    qmlRegisterSingletonType<Orvane::GUI::WindowCompositor>(
        uri, 1, 0, "WindowCompositor", &hostSingleton<Orvane::GUI::WindowCompositor>);
    qmlRegisterType(component("ActionSource.qml"), uri, 1, 0, "ActionSource");
    // row 30: BackgroundSource
    // row 31: DataSource
    // row 32: DataSourceProgressOutput
    // row 33: DataSourceRawOutput
    // row 34: DataSourceTextOutput
    // row 35: IconSource
    // row 36: ImageSource
    qmlRegisterType(component("Container.qml"), uri, 1, 0, "Container");
    qmlRegisterType(component("Notification.qml"), uri, 1, 0, "Notification");
    qmlRegisterType(component("Module.qml"), uri, 1, 0, "Module");
    qmlRegisterType(component("Window.qml"), uri, 1, 0, "Window");
    qmlRegisterSingletonType(component("SystemCall.qml"), uri, 1, 0, "SystemCall");
    qmlRegisterSingletonType(component("Utils.qml"), uri, 1, 0, "Utils");
    // row 43: SFX
}

} // namespace Orvane::Imports
