#pragma once

#include <QJSValue>
#include <QObject>
#include <QRegExp>

namespace Orvane {

// Selects the resources of the core's catalogue whose domain and catalog match.
class ResourceFilter : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString domain READ domain WRITE setDomain NOTIFY domainChanged)
    Q_PROPERTY(QString catalog READ catalog WRITE setCatalog NOTIFY catalogChanged)

public:
    explicit ResourceFilter(QObject *parent = nullptr);
    ~ResourceFilter() override;

    QString domain() const { return m_domain; }
    void setDomain(const QString &domain);
    QString catalog() const { return m_catalog; }
    void setCatalog(const QString &catalog);

    Q_INVOKABLE QJSValue resources() const;

signals:
    void domainChanged();
    void catalogChanged();

private:
    QString m_domain = QStringLiteral(".*");
    QString m_catalog = QStringLiteral(".*");
};

} // namespace Orvane
