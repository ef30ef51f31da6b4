#include "objectloader.h"

#include "common/log.h"

#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>

namespace Orvane::Private {

namespace {

QUrl &providerBase() {
    static QUrl base;
    return base;
}

} // namespace

ObjectLoader::ObjectLoader(QObject *parent)
    : QObject(parent) {}

ObjectLoader::~ObjectLoader() {
    delete m_object;
}

void ObjectLoader::setProviderBase(const QUrl &base) {
    providerBase() = base;
}

QUrl ObjectLoader::resolveProvider(const QString &name) {
    QUrl base = providerBase();
    base.setPath(base.path() + QStringLiteral("/providers/") + name + QStringLiteral(".qml"));
    return base;
}

QUrl ObjectLoader::resolveSource(const QString &source, QQmlContext *context) {
    // The shell's own actions are named by URL, e.g. "orv://system/action#open".
    static const QString systemAction = QStringLiteral("orv://system/action#");
    if (source.startsWith(systemAction))
        return resolveProvider(source.mid(systemAction.size()));
    const bool builtin = !source.contains(QLatin1Char(':')) && !source.contains(QLatin1Char('/')) &&
                         !source.endsWith(QLatin1String(".qml"));
    return builtin ? resolveProvider(source) : context->resolvedUrl(QUrl(source));
}

void ObjectLoader::setSource(const QString &source) {
    if (m_source == source)
        return;
    m_source = source;
    emit sourceChanged();
    if (m_complete)
        load();
}

QQmlListProperty<QObject> ObjectLoader::data() {
    return QQmlListProperty<QObject>(this, nullptr, &ObjectLoader::appendData,
                                     &ObjectLoader::dataCount, &ObjectLoader::dataAt,
                                     &ObjectLoader::clearData);
}

void ObjectLoader::componentComplete() {
    m_complete = true;
    load();
}

void ObjectLoader::setStatus(Status status) {
    if (m_status == status)
        return;
    m_status = status;
    emit statusChanged();
}

void ObjectLoader::clearObject() {
    if (m_component) {
        m_component->deleteLater();
        m_component = nullptr;
    }
    if (m_object) {
        QObject *old = m_object;
        m_object = nullptr;
        emit objectChanged();
        // QML bindings may still hold the old object until the event loop turns.
        old->deleteLater();
    }
}

void ObjectLoader::load() {
    clearObject();
    if (m_source.isEmpty()) {
        setStatus(Null);
        return;
    }
    QQmlContext *context = qmlContext(this);
    QQmlEngine *engine = context ? context->engine() : nullptr;
    if (!engine) {
        setStatus(Error);
        return;
    }
    const QUrl url = resolveSource(m_source, context);
    m_component = new QQmlComponent(engine, url, QQmlComponent::PreferSynchronous, this);
    if (m_component->isLoading()) {
        setStatus(Loading);
        connect(m_component, &QQmlComponent::statusChanged, this, &ObjectLoader::finishLoading);
        return;
    }
    finishLoading();
}

void ObjectLoader::finishLoading() {
    QQmlComponent *component = m_component;
    if (!component || component->isLoading())
        return;
    QObject *object = component->isReady() ? component->create(qmlContext(this)) : nullptr;
    if (!object) {
        if (Log::Core().isWarningEnabled())
            qCWarning(Log::Core()).noquote().nospace()
                << "ObjectLoader::load: cannot load: " << m_source << ": "
                << component->errorString().trimmed();
        setStatus(Error);
        return;
    }
    object->setParent(this);
    QQmlEngine::setObjectOwnership(object, QQmlEngine::CppOwnership);
    // The object needs nothing more of it; a desktop has one loader per data source.
    m_component = nullptr;
    component->deleteLater();
    m_object = object;
    emit objectChanged();
    setStatus(Ready);
}

void ObjectLoader::appendData(QQmlListProperty<QObject> *list, QObject *object) {
    auto *loader = static_cast<ObjectLoader *>(list->object);
    if (!object)
        return;
    if (!object->parent())
        object->setParent(loader);
    loader->m_data.append(object);
}

int ObjectLoader::dataCount(QQmlListProperty<QObject> *list) {
    return static_cast<ObjectLoader *>(list->object)->m_data.size();
}

QObject *ObjectLoader::dataAt(QQmlListProperty<QObject> *list, int index) {
    return static_cast<ObjectLoader *>(list->object)->m_data.value(index);
}

void ObjectLoader::clearData(QQmlListProperty<QObject> *list) {
    static_cast<ObjectLoader *>(list->object)->m_data.clear();
}

} // namespace Orvane::Private
