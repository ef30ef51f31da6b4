#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QPointer>
#include <QQuickItem>
#include <QQuickWindow>
#include <QSize>
#include <QTimer>
#include <QUrl>

class QQmlEngine;

// Creates the desktop from its QML file and shows it in a window. With watching on,
// a change to a QML file under the file's folder loads it again; a load that fails
// shows its errors in a window of their own and keeps watching.
class DesktopLoader : public QObject {
    Q_OBJECT

public:
    DesktopLoader(QQmlEngine *engine, const QString &file, QSize size, QObject *parent = nullptr);
    ~DesktopLoader() override;

    bool load();
    void setWatching(bool watching);

    QObject *root() const { return m_root; }
    QQuickWindow *window() const { return m_window; }
    QString errorString() const { return m_errors; }

signals:
    void loaded(bool ok);

private:
    void watchFolder();
    void showErrors();
    QQuickWindow *frame();
    QQuickWindow *windowFor(QObject *root);
    void decorate(QQuickWindow *window);

    QQmlEngine *m_engine;
    QUrl m_url;
    QString m_folder;
    QSize m_size;
    QPointer<QObject> m_root;
    QPointer<QQuickWindow> m_window; // shows m_root, or the errors
    QPointer<QQuickWindow> m_frame;  // the runner's own window around an item
    QPointer<QQuickItem> m_errorView;
    QString m_errors;
    QFileSystemWatcher m_watcher;
    QTimer m_settle;
};
