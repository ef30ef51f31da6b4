#include "urlinfo.h"

namespace Orvane::Imports {

UrlInfo::UrlInfo(const QUrl &url)
    : m_url(url) {}

bool UrlInfo::empty() const {
    return m_url.isEmpty();
}

bool UrlInfo::valid() const {
    return m_url.isValid();
}

bool UrlInfo::localFile() const {
    return m_url.isLocalFile();
}

bool UrlInfo::hasFragment() const {
    return m_url.hasFragment();
}

bool UrlInfo::hasQuery() const {
    return m_url.hasQuery();
}

QString UrlInfo::authority() const {
    return m_url.authority(QUrl::PrettyDecoded);
}

QString UrlInfo::fileName() const {
    return m_url.fileName(QUrl::FullyDecoded);
}

QString UrlInfo::fragment() const {
    return m_url.fragment(QUrl::PrettyDecoded);
}

QString UrlInfo::host() const {
    return m_url.host(QUrl::FullyDecoded);
}

QString UrlInfo::password() const {
    return m_url.password(QUrl::FullyDecoded);
}

QString UrlInfo::path() const {
    return m_url.path(QUrl::FullyDecoded);
}

QString UrlInfo::query() const {
    return m_url.query(QUrl::PrettyDecoded);
}

QString UrlInfo::scheme() const {
    return m_url.scheme();
}

// Deprecated in Qt, but QML code reads it under this name.
QT_WARNING_PUSH
QT_WARNING_DISABLE_DEPRECATED
QString UrlInfo::topLevelDomain() const {
    return m_url.topLevelDomain(QUrl::FullyDecoded);
}
QT_WARNING_POP

QString UrlInfo::userInfo() const {
    return m_url.userInfo(QUrl::PrettyDecoded);
}

QString UrlInfo::userName() const {
    return m_url.userName(QUrl::FullyDecoded);
}

QUrl UrlInfo::url() const {
    return m_url;
}

int UrlInfo::port() const {
    return m_url.port(-1);
}

} // namespace Orvane::Imports
