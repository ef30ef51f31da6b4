#include "core/core.h"
#include "hostconfig.h"
#include "objectloader.h"
#include "procreader.h"
#include "synctimer.h"
#include "systemdata.h"
#include "systemvalue.h"

#include <QQmlEngine>
#include <QQmlExtensionPlugin>

namespace Orvane::Private {

class PrivatePlugin : public QQmlExtensionPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QQmlExtensionInterface_iid)

public:
    void registerTypes(const char *uri) override {
        ObjectLoader::setProviderBase(baseUrl());
        qmlRegisterType<ObjectLoader>(uri, 1, 0, "ObjectLoader");
        qmlRegisterType<SyncTimer>(uri, 1, 0, "SyncTimer");
        qmlRegisterType<ProcReader>(uri, 1, 0, "ProcReader");
        qmlRegisterType<SystemData>(uri, 1, 0, "SystemData");
        qmlRegisterAnonymousType<SystemValue>(uri, 1);
        qmlRegisterAnonymousType<ValueUpdate>(uri, 1);
        qmlRegisterUncreatableType<AudioConfig>(uri, 1, 0, "AudioConfig",
                                                QStringLiteral("AudioConfig is uncreatable"));
        qmlRegisterSingletonType<HostConfig>(
            uri, 1, 0, "CFG",
            [](QQmlEngine *, QJSEngine *) -> QObject * { return new HostConfig; });
        qmlRegisterSingletonType<Orvane::Core>(
            uri, 1, 0, "NativeCore", [](QQmlEngine *engine, QJSEngine *) -> QObject * {
                Orvane::Core *core = Orvane::Core::instance();
                if (!core->engine())
                    core->setEngine(engine);
                QQmlEngine::setObjectOwnership(core, QQmlEngine::CppOwnership);
                return core;
            });
    }
};

} // namespace Orvane::Private

#include "privateplugin.moc"
