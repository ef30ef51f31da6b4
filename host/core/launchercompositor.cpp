#include "launchercompositor.h"

#include <QCoreApplication>

namespace Orvane::GUI {

LauncherCompositor::LauncherCompositor(QObject *parent)
    : QObject(parent) {}

LauncherCompositor *LauncherCompositor::instance() {
    static LauncherCompositor *compositor = new LauncherCompositor(qApp);
    return compositor;
}

void LauncherCompositor::setVisible(bool visible) {
    if (m_visible == visible)
        return;
    m_visible = visible;
    emit visibleChanged();
}

} // namespace Orvane::GUI
