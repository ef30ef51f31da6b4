// Preloaded into qmlplugindump only. Qt 5.15's dumper dereferences the meta-object of
// every singleton, and a singleton that is a plain script value has none: it crashes.
// This drops those registrations for the dump; their description is merged in by hand.

#include <QtQml/qqmlprivate.h>

#include <dlfcn.h>

namespace QQmlPrivate {

int qmlregister(RegistrationType type, void *data) {
    using Register = int (*)(RegistrationType, void *);
    static const auto next = reinterpret_cast<Register>(
        dlsym(RTLD_NEXT, "_ZN11QQmlPrivate11qmlregisterENS_16RegistrationTypeEPv"));
    if (type == SingletonRegistration) {
        const auto *singleton = static_cast<const RegisterSingletonType *>(data);
        if (singleton->scriptApi && !singleton->instanceMetaObject)
            return -1;
    }
    return next(type, data);
}

} // namespace QQmlPrivate
