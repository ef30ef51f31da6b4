#pragma once

#include <QObject>
#include <QPointer>
#include <QQmlListProperty>
#include <QQmlParserStatus>
#include <QUrl>

QT_BEGIN_NAMESPACE
class QQmlComponent;
class QQmlContext;
QT_END_NAMESPACE

namespace Orvane::Private {

// Creates the object of the component that `source` names and owns it. A source
// without a scheme or suffix names one of the shell's built-in providers.
class ObjectLoader : public QObject, public QQmlParserStatus {
    Q_OBJECT
    Q_INTERFACES(QQmlParserStatus)
    Q_PROPERTY(QString source READ source WRITE setSource NOTIFY sourceChanged)
    Q_PROPERTY(QObject *object READ object NOTIFY objectChanged)
    Q_PROPERTY(Status status READ status NOTIFY statusChanged)
    Q_PROPERTY(QQmlListProperty<QObject> data READ data)
    Q_CLASSINFO("DefaultProperty", "data")

public:
    enum Status { Null, Ready, Loading, Error };
    Q_ENUM(Status)

    explicit ObjectLoader(QObject *parent = nullptr);
    ~ObjectLoader() override;

    QString source() const { return m_source; }
    void setSource(const QString &source);
    QObject *object() const { return m_object; }
    Status status() const { return m_status; }
    QQmlListProperty<QObject> data();

    void classBegin() override {}
    void componentComplete() override;

    // Where the built-in providers live; set once by the module.
    static void setProviderBase(const QUrl &base);
    static QUrl resolveProvider(const QString &name);
    static QUrl resolveSource(const QString &source, QQmlContext *context);

signals:
    void sourceChanged();
    void objectChanged();
    void statusChanged();

private:
    void load();
    void finishLoading();
    void setStatus(Status status);
    void clearObject();

    static void appendData(QQmlListProperty<QObject> *list, QObject *object);
    static int dataCount(QQmlListProperty<QObject> *list);
    static QObject *dataAt(QQmlListProperty<QObject> *list, int index);
    static void clearData(QQmlListProperty<QObject> *list);

    QString m_source;
    QPointer<QObject> m_object;
    QPointer<QQmlComponent> m_component;
    QList<QObject *> m_data;
    Status m_status = Null;
    bool m_complete = false;
};

} // namespace Orvane::Private
