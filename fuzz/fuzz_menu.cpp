// The menu document reader on arbitrary bytes, then the writer's round trip.
#include "fuzzdocument.h"
#include "menu/menusettings.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    Fuzz::initialize();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    static Orvane::Imports::MenuSettings menus(Fuzz::engine());
    Fuzz::fuzzReader(menus, data, size);
    return 0;
}
