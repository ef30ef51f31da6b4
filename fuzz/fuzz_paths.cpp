// Environment expansion on arbitrary text: never crashes, and text without a
// reference marker comes back unchanged.
#include "common/paths.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    qputenv("ORV_FUZZ", "value");
    qputenv("ORV_FUZZ_EMPTY", "");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), int(size));
    const QString expanded = Orvane::Paths::expandEnvironmentStrings(text);
    if (!text.contains(QLatin1Char('%')) && !text.contains(QLatin1Char('$')) && expanded != text)
        std::abort();
    return 0;
}
