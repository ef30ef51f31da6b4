#pragma once

#include <QJSValue>
#include <QObject>
#include <QPointer>
#include <QRegExp>
#include <QUrl>
#include <QVector>

QT_BEGIN_NAMESPACE
class QJSEngine;
QT_END_NAMESPACE

namespace Orvane {

// The application core: resources, process services and the hooks of the shell.
class Core : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool restartPending READ restartPending NOTIFY restartPendingChanged)

public:
    struct Resource {
        QString domain;
        QString catalog;
        QUrl url;
        QPointer<QObject> object;
    };

    static Core *instance();

    // The engine in which resources() builds its arrays; the shell sets its own.
    void setEngine(QJSEngine *engine);
    QJSEngine *engine() const;

    void addResource(const QString &domain, const QString &catalog, const QUrl &url,
                     QObject *object);
    QJSValue resources(const QRegExp &domain, const QRegExp &catalog) const;
    QObject *resource(const QUrl &url) const;

    bool restartPending() const { return m_restartPending; }

    Q_INVOKABLE int keyboardModifiers() const;
    // Tests hold keys this way; a negative value gives the real keyboard back.
    Q_INVOKABLE void overrideKeyboardModifiers(int modifiers);
    Q_INVOKABLE bool execute(const QString &path, const QString &param, const QString &cwd,
                             const QString &verb);
    Q_INVOKABLE bool command(const QString &cmd, const QString &cwd);
    Q_INVOKABLE bool openUrl(const QUrl &url);
    Q_INVOKABLE bool showPreferences();
    Q_INVOKABLE void restartOnExit();

signals:
    void restartPendingChanged();
    // Every request, whether it could be carried out or not, for the shell to trace.
    void executeRequested(const QString &path, const QString &param, const QString &cwd,
                          const QString &verb);
    void commandRequested(const QString &cmd, const QString &cwd);
    void preferencesRequested();

private:
    explicit Core(QObject *parent = nullptr);

    QVector<Resource> m_resources;
    QPointer<QJSEngine> m_engine;
    bool m_restartPending = false;
    int m_modifiersOverride = -1;
};

} // namespace Orvane
