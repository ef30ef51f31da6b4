// The settings document reader on arbitrary bytes, then the writer's round trip.
#include "fuzzdocument.h"
#include "settings/settings.h"

#include <QLoggingCategory>

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    Fuzz::scratch();
    Fuzz::engine();
    QLoggingCategory::setFilterRules(QStringLiteral("orvane.*=false"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    static Orvane::Imports::Settings settings(Fuzz::engine());
    Fuzz::roundTrip(
        data, size, [](const QString &name) { return settings.load(QStringLiteral("fuzz"), name); },
        [](QObject *tree, const QString &name) {
            return settings.save(tree, QStringLiteral("fuzz"), name);
        });
    return 0;
}
