// The settings document reader on arbitrary bytes, then the writer's round trip; and
// the native reading of plain literals against the engine's JSON.parse.
#include "fuzzdocument.h"
#include "settings/scriptjson.h"
#include "settings/settings.h"

#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    Fuzz::initialize();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    using Orvane::Imports::ScriptJson;
    static Orvane::Imports::Settings settings(Fuzz::engine());
    Fuzz::fuzzReader(settings, data, size);
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), int(size));
    QVariant literal;
    if (ScriptJson::parseLiteral(text, &literal)) {
        const QVariant parsed = settings.scriptJson().callParse(text).toVariant();
        const double a = literal.toDouble(), b = parsed.toDouble();
        if (literal.userType() != parsed.userType() || literal != parsed ||
            std::memcmp(&a, &b, sizeof a) != 0)
            std::abort();
    }
    return 0;
}
