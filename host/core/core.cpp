#include "core.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
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
    if (m_modifiersOverride >= 0)
        return m_modifiersOverride;
    return int(QGuiApplication::queryKeyboardModifiers());
}

void Core::overrideKeyboardModifiers(int modifiers) {
    m_modifiersOverride = modifiers < 0 ? -1 : modifiers;
}

bool Core::execute(const QString &path, const QString &param, const QString &cwd,
                   const QString &verb) {
    emit executeRequested(path, param, cwd, verb);
    if (path.isEmpty())
        return false;
    // Executing a folder opens it, as the shell of the desktop does.
    if (QFileInfo(path).isDir())
        return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    const QStringList arguments = QProcess::splitCommand(param);
    return QProcess::startDetached(path, arguments, cwd.isEmpty() ? QDir::currentPath() : cwd);
}

bool Core::command(const QString &cmd, const QString &cwd) {
    emit commandRequested(cmd, cwd);
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
