// The settings document reader on arbitrary bytes, then the writer's round trip.
#include "fuzzdocument.h"
#include "settings/settings.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    Fuzz::initialize();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    static Orvane::Imports::Settings settings(Fuzz::engine());
    Fuzz::fuzzReader(settings, data, size);
    return 0;
}
