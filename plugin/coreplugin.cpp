#include "coreplugin.h"

#include "core/launchercompositor.h"
#include "core/module.h"
#include "core/resourcefilter.h"
#include "core/view.h"
#include "core/windowcompositor.h"
#include "sound/soundeffect.h"
#include "sound/stocksounds.h"

#include <QQmlEngine>
#include <QQuickWindow>
#include <QtQuick/private/qquickwindowmodule_p.h>

namespace Orvane::Imports {

namespace {

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
    // row 6: Window
    // row 7: Utils
    // row 8: DefaultAction
    qmlRegisterSingletonType(component("impl/DefaultData.qml"), impl, 1, 0, "DefaultData");
    qmlRegisterSingletonType(component("impl/DefaultValue.qml"), impl, 1, 0, "DefaultValue");
    // row 11: UrlInfo
    // row 12: MenuItemFolderOptions
    // row 13: SettingsMapAttached
    qmlRegisterType<Orvane::GUI::View>(uri, 1, 0, "View");
    qmlRegisterType<Orvane::ResourceFilter>(uri, 1, 0, "ResourceFilter");
    qmlRegisterType<Orvane::SoundEffect>(uri, 1, 0, "SoundEffect");
    // row 17: SettingsMap
    // row 18: SettingsList
    // row 19: MenuFolderItem
    // row 20: MenuFolderList
    // row 21: MenuSettingsItem
    // row 22: MenuSettingsList
    // row 23: Resources
    // row 24: Settings
    // row 25: MenuSettings
    // row 26: Url
    qmlRegisterSingletonType<Orvane::GUI::LauncherCompositor>(
        uri, 1, 0, "LauncherCompositor", &hostSingleton<Orvane::GUI::LauncherCompositor>);
    qmlRegisterSingletonType<Orvane::GUI::WindowCompositor>(
        uri, 1, 0, "WindowCompositor", &hostSingleton<Orvane::GUI::WindowCompositor>);
    // row 29: ActionSource
    // row 30: BackgroundSource
    // row 31: DataSource
    // row 32: DataSourceProgressOutput
    // row 33: DataSourceRawOutput
    // row 34: DataSourceTextOutput
    // row 35: IconSource
    // row 36: ImageSource
    // row 37: Container
    // row 38: Notification
    // row 39: Module
    // row 40: Window
    // row 41: SystemCall
    // row 42: Utils
    qmlRegisterSingletonType(uri, 1, 0, "SFX", &stockSounds);
}

} // namespace Orvane::Imports
