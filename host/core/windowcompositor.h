#pragma once

#include <QObject>
#include <QPointer>
#include <QVector>

QT_BEGIN_NAMESPACE
class QWindow;
QT_END_NAMESPACE

namespace Orvane::GUI {

// Keeps track of the widget windows of the shell.
class WindowCompositor : public QObject {
    Q_OBJECT
    Q_PROPERTY(int count READ count NOTIFY countChanged)

public:
    static WindowCompositor *instance();

    int count() const;
    Q_INVOKABLE void addWindow(QWindow *window);
    Q_INVOKABLE void removeWindow(QWindow *window);
    Q_INVOKABLE void raiseAll();

signals:
    void countChanged();

private:
    explicit WindowCompositor(QObject *parent = nullptr);

    QVector<QPointer<QWindow>> m_windows;
};

} // namespace Orvane::GUI
