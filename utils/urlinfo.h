#pragma once

#include <QMetaType>
#include <QObject>
#include <QUrl>

namespace Orvane::Imports {

// The components of one URL as read-only properties, handed to QML by value.
class UrlInfo {
    Q_GADGET
    Q_PROPERTY(bool empty READ empty CONSTANT FINAL)
    Q_PROPERTY(bool valid READ valid CONSTANT FINAL)
    Q_PROPERTY(bool localFile READ localFile CONSTANT FINAL)
    Q_PROPERTY(bool hasFragment READ hasFragment CONSTANT FINAL)
    Q_PROPERTY(bool hasQuery READ hasQuery CONSTANT FINAL)
    Q_PROPERTY(QString authority READ authority CONSTANT FINAL)
    Q_PROPERTY(QString fileName READ fileName CONSTANT FINAL)
    Q_PROPERTY(QString fragment READ fragment CONSTANT FINAL)
    Q_PROPERTY(QString host READ host CONSTANT FINAL)
    Q_PROPERTY(QString password READ password CONSTANT FINAL)
    Q_PROPERTY(QString path READ path CONSTANT FINAL)
    Q_PROPERTY(QString query READ query CONSTANT FINAL)
    Q_PROPERTY(QString scheme READ scheme CONSTANT FINAL)
    Q_PROPERTY(QString topLevelDomain READ topLevelDomain CONSTANT FINAL)
    Q_PROPERTY(QString userInfo READ userInfo CONSTANT FINAL)
    Q_PROPERTY(QString userName READ userName CONSTANT FINAL)
    Q_PROPERTY(QUrl url READ url CONSTANT FINAL)
    Q_PROPERTY(int port READ port CONSTANT FINAL)

public:
    UrlInfo() = default;
    explicit UrlInfo(const QUrl &url);

    bool empty() const;
    bool valid() const;
    bool localFile() const;
    bool hasFragment() const;
    bool hasQuery() const;
    QString authority() const;
    QString fileName() const;
    QString fragment() const;
    QString host() const;
    QString password() const;
    QString path() const;
    QString query() const;
    QString scheme() const;
    QString topLevelDomain() const;
    QString userInfo() const;
    QString userName() const;
    QUrl url() const;
    int port() const;

private:
    QUrl m_url;
};

} // namespace Orvane::Imports

Q_DECLARE_METATYPE(Orvane::Imports::UrlInfo)
