// Environment expansion and folder path resolution on arbitrary text: never
// crash, text without a reference marker expands to itself, and a local file URL
// resolves to its path.
#include "common/paths.h"
#include "menu/menufolderlist.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    qputenv("ORV_FUZZ", "value");
    qputenv("ORV_FUZZ_EMPTY", "");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), int(size));
    const QString expanded = Orvane::Paths::expandEnvironmentStrings(text);
    if (!text.contains(QLatin1Char('%')) && !text.contains(QLatin1Char('$')) && expanded != text)
        std::abort();
    const QString folder = Orvane::Imports::resolveFolderPath(text);
    if (text.startsWith(QLatin1String("file:///tmp/")) && !text.contains(QLatin1Char('%')) &&
        !text.contains(QLatin1Char('$')) && !folder.startsWith(QLatin1String("/tmp/")))
        std::abort();
    return 0;
}
