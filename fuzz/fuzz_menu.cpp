// The menu document reader on arbitrary bytes, then the writer's round trip.
#include "fuzzdocument.h"
#include "menu/menusettings.h"

#include <QLoggingCategory>

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    Fuzz::scratch();
    Fuzz::engine();
    QLoggingCategory::setFilterRules(QStringLiteral("orvane.*=false"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    static Orvane::Imports::MenuSettings menus(Fuzz::engine());
    Fuzz::roundTrip(
        data, size, [](const QString &name) { return menus.load(QStringLiteral("fuzz"), name); },
        [](QObject *tree, const QString &name) {
            return menus.save(tree, QStringLiteral("fuzz"), name);
        });
    return 0;
}
