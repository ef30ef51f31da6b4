// The settings document reader on arbitrary bytes, then the writer's round trip; the
// token reader, wherever it takes a document, against QXmlStreamReader; the text
// writer against QXmlStreamWriter on what was read.
#include "fuzzdocument.h"
#include "settings/settings.h"
#include "tests/support/settingsbothways.h"

#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    Fuzz::initialize();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    static Orvane::Imports::Settings settings(Fuzz::engine());
    Fuzz::fuzzReader(settings, data, size);
    // Most inputs lack the declaration the token reader asks for.
    const QByteArray body(reinterpret_cast<const char *>(data), int(size));
    for (const QByteArray &document : {body, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>" + body}) {
        const BothWays::Reading tokens = BothWays::readWithTokens(document, settings);
        if (tokens.accepted && tokens.tree != BothWays::readWithXml(document, settings).tree)
            std::abort();
    }
    QScopedPointer<QObject> tree(settings.loadFromFile(Fuzz::scratch() + "/input.xml"));
    if (tree && BothWays::writeWithXml(tree.data(), settings).document !=
                    BothWays::writeWithText(tree.data(), settings).document)
        std::abort();
    tree.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    Fuzz::engine()->collectGarbage();
    return 0;
}
