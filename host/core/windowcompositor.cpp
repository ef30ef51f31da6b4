#include "windowcompositor.h"

#include <QCoreApplication>
#include <QWindow>

namespace Orvane::GUI {

WindowCompositor::WindowCompositor(QObject *parent)
    : QObject(parent) {}

WindowCompositor *WindowCompositor::instance() {
    static WindowCompositor *compositor = new WindowCompositor(qApp);
    return compositor;
}

int WindowCompositor::count() const {
    return int(std::count_if(m_windows.begin(), m_windows.end(),
                             [](const QPointer<QWindow> &window) { return !window.isNull(); }));
}

void WindowCompositor::addWindow(QWindow *window) {
    if (!window || m_windows.contains(window))
        return;
    m_windows.append(window);
    connect(window, &QObject::destroyed, this, &WindowCompositor::countChanged);
    emit countChanged();
}

void WindowCompositor::removeWindow(QWindow *window) {
    if (m_windows.removeAll(window) > 0)
        emit countChanged();
}

void WindowCompositor::raiseAll() {
    for (const QPointer<QWindow> &window : qAsConst(m_windows)) {
        if (window)
            window->raise();
    }
}

} // namespace Orvane::GUI
