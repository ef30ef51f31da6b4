#pragma once

#include <QtQuick/private/qquickwindowmodule_p.h>

namespace Orvane::Imports {

// The QML window with a transparent background of its own; on Windows it also gets a
// taskbar button and no theme-drawn caption text or icon, once per native window.
class Window : public QQuickWindowQmlImpl {
    Q_OBJECT

public:
    explicit Window(QWindow *parent = nullptr);
    ~Window() override;

protected:
    bool nativeEvent(const QByteArray &eventType, void *message, long *result) override;

private:
    WId appliedWinId;
};

} // namespace Orvane::Imports
