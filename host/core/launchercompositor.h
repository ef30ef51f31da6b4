#pragma once

#include <QObject>

namespace Orvane::GUI {

// The shell's launcher: one per process, shown and hidden by widgets.
class LauncherCompositor : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool visible READ isVisible WRITE setVisible NOTIFY visibleChanged)

public:
    static LauncherCompositor *instance();

    bool isVisible() const { return m_visible; }
    void setVisible(bool visible);

signals:
    void visibleChanged();

private:
    explicit LauncherCompositor(QObject *parent = nullptr);

    bool m_visible = false;
};

} // namespace Orvane::GUI
