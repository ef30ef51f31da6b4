#include "window.h"

#ifdef Q_OS_WIN
#include <qt_windows.h>
#include <uxtheme.h>
#endif

namespace Orvane::Imports {

Window::Window(QWindow *parent)
    : QQuickWindowQmlImpl(parent)
    , appliedWinId(0) {
    setColor(Qt::transparent);
}

Window::~Window() = default;

bool Window::nativeEvent(const QByteArray &eventType, void *message, long *result) {
#ifdef Q_OS_WIN
    const MSG *msg = static_cast<const MSG *>(message);
    if (msg->message == WM_SHOWWINDOW) {
        const WId id = winId();
        // A recreated native window has a new identifier and needs the styling again.
        if (id != appliedWinId) {
            appliedWinId = id;
            const HWND hwnd = msg->hwnd;
            SetWindowLongW(hwnd, GWL_EXSTYLE, GetWindowLongW(hwnd, GWL_EXSTYLE) | WS_EX_APPWINDOW);
            WTA_OPTIONS options;
            options.dwFlags = WTNCA_NODRAWCAPTION | WTNCA_NODRAWICON;
            options.dwMask = WTNCA_NODRAWCAPTION | WTNCA_NODRAWICON;
            SetWindowThemeAttribute(hwnd, WTA_NONCLIENT, &options, sizeof(options));
        }
    }
#endif
    return QWindow::nativeEvent(eventType, message, result);
}

} // namespace Orvane::Imports
