#include "url.h"

namespace Orvane::Imports {

Url::Url(QObject *parent)
    : QObject(parent) {}

UrlInfo Url::info(QUrl url) {
    return UrlInfo(url);
}

bool Url::isEmpty(QUrl url) {
    return url.isEmpty();
}

bool Url::isValid(QUrl url) {
    return url.isValid();
}

QString Url::toEncoded(QUrl url) {
    return QString::fromUtf8(url.toEncoded(QUrl::FullyEncoded));
}

QString Url::toLocalFile(QUrl url) {
    return url.toLocalFile();
}

QUrl Url::fromEncoded(QString str) {
    return QUrl::fromEncoded(str.toUtf8(), QUrl::TolerantMode);
}

QUrl Url::fromLocalFile(QString str) {
    return QUrl::fromLocalFile(str);
}

QUrl Url::fromUserInput(QString str) {
    return QUrl::fromUserInput(str);
}

QUrl Url::fromUserInput(QString str, QString dir) {
    return QUrl::fromUserInput(str, dir);
}

} // namespace Orvane::Imports
