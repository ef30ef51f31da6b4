#include "resourcefilter.h"

#include "core.h"

namespace Orvane {

ResourceFilter::ResourceFilter(QObject *parent)
    : QObject(parent) {}

ResourceFilter::~ResourceFilter() = default;

void ResourceFilter::setDomain(const QString &domain) {
    if (m_domain == domain)
        return;
    m_domain = domain;
    emit domainChanged();
}

void ResourceFilter::setCatalog(const QString &catalog) {
    if (m_catalog == catalog)
        return;
    m_catalog = catalog;
    emit catalogChanged();
}

QJSValue ResourceFilter::resources() const {
    return Core::instance()->resources(QRegExp(m_domain), QRegExp(m_catalog));
}

} // namespace Orvane
