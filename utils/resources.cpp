#include "resources.h"

#include "core/core.h"

namespace Orvane::Imports {

Resources::Resources(QObject *parent)
    : QObject(parent) {}

QJSValue Resources::filter(QRegExp domain, QRegExp catalog) {
    return Orvane::Core::instance()->resources(domain, catalog);
}

QObject *Resources::resolve(QUrl url) {
    return Orvane::Core::instance()->resource(url);
}

} // namespace Orvane::Imports
