#pragma once

#include "urlinfo.h"

#include <QObject>
#include <QUrl>

namespace Orvane::Imports {

// The conversions and tests of QUrl for QML; stateless.
class Url : public QObject {
    Q_OBJECT

public:
    explicit Url(QObject *parent = nullptr);

public slots:
    Orvane::Imports::UrlInfo info(QUrl url);
    bool isEmpty(QUrl url);
    bool isValid(QUrl url);
    QString toEncoded(QUrl url);
    QString toLocalFile(QUrl url);
    QUrl fromEncoded(QString str);
    QUrl fromLocalFile(QString str);
    QUrl fromUserInput(QString str);
    QUrl fromUserInput(QString str, QString dir);
};

} // namespace Orvane::Imports
