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

QObject *settingsSingleton(QQmlEngine *engine, QJSEngine *)
{
    return new Settings(engine);
}

QObject *menuSettings(QQmlEngine *engine, QJSEngine *)
{
    return new MenuSettings(engine);
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
    qRegisterMetaType<Orvane::Imports::MenuItemFolderOptions>();
    qmlRegisterAnonymousType<SettingsMapAttached>("", 1);
    qmlRegisterType<Orvane::GUI::View>(uri, 1, 0, "View");
    qmlRegisterType<Orvane::ResourceFilter>(uri, 1, 0, "ResourceFilter");
    // row 16: SoundEffect
    qmlRegisterUncreatableType<SettingsMap>(uri, 1, 0, "SettingsMap",
                                            QStringLiteral("SettingsMap is uncreatable"));
    qmlRegisterUncreatableType<SettingsList>(uri, 1, 0, "SettingsList",
                                             QStringLiteral("SettingsList is uncreatable"));
    qmlRegisterUncreatableType<Orvane::Imports::MenuFolderItem>(
        uri, 1, 0, "MenuFolderItem", QStringLiteral("MenuFolderItem is uncreatable"));
    qmlRegisterUncreatableType<Orvane::Imports::MenuFolderList>(
        uri, 1, 0, "MenuFolderList", QStringLiteral("MenuFolderList is uncreatable"));
    qmlRegisterUncreatableType<Orvane::Imports::MenuSettingsItem>(
        uri, 1, 0, "MenuSettingsItem", QStringLiteral("MenuSettingsItem is uncreatable"));
    qmlRegisterUncreatableType<Orvane::Imports::MenuSettingsList>(
        uri, 1, 0, "MenuSettingsList", QStringLiteral("MenuSettingsList is uncreatable"));
    // row 23: Resources
    qmlRegisterSingletonType<Settings>(uri, 1, 0, "Settings", &settingsSingleton);
    qmlRegisterSingletonType<Orvane::Imports::MenuSettings>(uri, 1, 0, "MenuSettings",
                                                            &menuSettings);
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
    // row 43: SFX
}

} // namespace Orvane::Imports
