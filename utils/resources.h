#pragma once

#include <QJSValue>
#include <QObject>
#include <QRegExp>
#include <QUrl>

namespace Orvane::Imports {

// Resource queries, answered by the host's core as it answers them.
class Resources : public QObject {
    Q_OBJECT

public:
    explicit Resources(QObject *parent = nullptr);

public slots:
    QJSValue filter(QRegExp domain, QRegExp catalog);
    QObject *resolve(QUrl url);
};

} // namespace Orvane::Imports
