#include "core.h"

#include <QDesktopServices>
#include <QDir>
#include <QGuiApplication>
#include <QJSEngine>
#include <QProcess>

namespace Orvane {

Core::Core(QObject *parent)
    : QObject(parent) {}

Core *Core::instance() {
    static Core *core = new Core(qApp);
    return core;
}

void Core::setEngine(QJSEngine *engine) {
    m_engine = engine;
}

QJSEngine *Core::engine() const {
    return m_engine;
}

void Core::addResource(const QString &domain, const QString &catalog, const QUrl &url,
                       QObject *object) {
    m_resources.append({domain, catalog, url, object});
}

QJSValue Core::resources(const QRegExp &domain, const QRegExp &catalog) const {
    if (!m_engine)
        return QJSValue(QJSValue::NullValue);
    QJSValue list = m_engine->newArray();
    quint32 index = 0;
    for (const Resource &resource : m_resources) {
        if (!domain.exactMatch(resource.domain) || !catalog.exactMatch(resource.catalog))
            continue;
        QJSValue entry = m_engine->newObject();
        entry.setProperty(QStringLiteral("domain"), resource.domain);
        entry.setProperty(QStringLiteral("catalog"), resource.catalog);
        entry.setProperty(QStringLiteral("url"), resource.url.toString());
        list.setProperty(index++, entry);
    }
    return list;
}

QObject *Core::resource(const QUrl &url) const {
    for (const Resource &resource : m_resources) {
        if (resource.url == url)
            return resource.object;
    }
    return nullptr;
}

int Core::keyboardModifiers() const {
    return int(QGuiApplication::queryKeyboardModifiers());
}

bool Core::execute(const QString &path, const QString &param, const QString &cwd,
                   const QString &verb) {
    Q_UNUSED(verb)
    if (path.isEmpty())
        return false;
    const QStringList arguments = QProcess::splitCommand(param);
    return QProcess::startDetached(path, arguments, cwd.isEmpty() ? QDir::currentPath() : cwd);
}

bool Core::command(const QString &cmd, const QString &cwd) {
    if (cmd.isEmpty())
        return false;
    return QProcess::startDetached(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), cmd},
                                   cwd.isEmpty() ? QDir::currentPath() : cwd);
}

bool Core::openUrl(const QUrl &url) {
    if (!url.isValid() || url.isEmpty())
        return false;
    return QDesktopServices::openUrl(url);
}

bool Core::showPreferences() {
    emit preferencesRequested();
    return true;
}

void Core::restartOnExit() {
    if (m_restartPending)
        return;
    m_restartPending = true;
    emit restartPendingChanged();
}

} // namespace Orvane
