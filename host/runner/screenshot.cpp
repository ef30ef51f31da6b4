#include "screenshot.h"

#include <QGuiApplication>
#include <QPainter>
#include <QQmlComponent>
#include <QQuickItem>
#include <QQuickItemGrabResult>
#include <QTimer>

#include <memory>

Screenshot::Screenshot(QQmlEngine *engine, QQuickWindow *main, QObject *parent)
    : QObject(parent)
    , m_engine(engine)
    , m_main(main) {}

void Screenshot::take(const QString &path) {
    m_path = path;
    m_windows = {m_main};
    for (QWindow *window : QGuiApplication::topLevelWindows()) {
        auto *quick = qobject_cast<QQuickWindow *>(window);
        if (quick && quick != m_main && quick->isVisible())
            m_windows.append(quick);
    }
    m_images.clear();
    grabNext();
}

void Screenshot::takeAfterFirstFrame(int delay, const QString &path) {
    auto start = [this, delay, path] {
        QTimer::singleShot(delay, this, [this, path] { take(path); });
    };
    if (!m_main) {
        start(); // fails there, with the message of every other failure
        return;
    }
    // Before its first frame a window has no size to grab. Asking for a frame makes sure
    // one comes, even if the first was drawn before this was called.
    auto connection = std::make_shared<QMetaObject::Connection>();
    *connection = connect(m_main, &QQuickWindow::frameSwapped, this, [connection, start] {
        // Frames may be queued here from a render thread: only the first counts.
        if (!*connection)
            return;
        disconnect(*connection);
        *connection = QMetaObject::Connection();
        start();
    });
    m_main->update();
}

void Screenshot::grabNext() {
    if (m_images.size() == m_windows.size()) {
        compose();
        return;
    }
    QQuickWindow *window = m_windows.at(m_images.size());
    if (!window) {
        emit finished(false);
        return;
    }
    // grabToImage works with every scene graph backend, offscreen included, but it
    // leaves out the window's clear colour: paint it below the items. The main window,
    // if see-through, shows the wallpaper of the desktop behind it.
    QQmlComponent backdrop(m_engine);
    backdrop.setData(window == m_main
                         ? "import QtQuick 2.12\n"
                           "Rectangle { anchors.fill: parent; z: -1e9\n"
                           "  property color window\n"
                           "  gradient: Gradient {\n"
                           "    GradientStop { position: 0; color: Qt.tint('#1d3b53', window) }\n"
                           "    GradientStop { position: 1; color: Qt.tint('#0f1a24', window) }\n"
                           "  } }"
                         : "import QtQuick 2.12\n"
                           "Rectangle { anchors.fill: parent; z: -1e9; property color window\n"
                           "  color: window; border.color: '#80ffffff' }",
                     QUrl());
    QObject *fill = backdrop.create();
    if (auto *item = qobject_cast<QQuickItem *>(fill)) {
        item->setProperty("window", window->color());
        item->setParentItem(window->contentItem());
    }
    QSharedPointer<QQuickItemGrabResult> grab = window->contentItem()->grabToImage();
    if (!grab) {
        delete fill;
        emit finished(false);
        return;
    }
    connect(grab.data(), &QQuickItemGrabResult::ready, this, [this, grab, fill] {
        delete fill;
        m_images.append(grab->image());
        grabNext();
    });
}

void Screenshot::compose() {
    QImage image = m_images.constFirst().convertToFormat(QImage::Format_ARGB32);
    QPainter painter(&image);
    for (int i = 1; i < m_windows.size(); ++i) {
        // There is no window manager offscreen: place dialogs, and windows nobody
        // placed, the way one would, centred over the desktop.
        const QQuickWindow *window = m_windows.at(i);
        const bool unplaced = window->type() == Qt::Dialog || window->position().isNull() ||
                              window->position() == m_main->position();
        const QPoint centred = QRect(QPoint(), image.size()).center() -
                               QRect(QPoint(), m_images.at(i).size()).center();
        painter.drawImage(unplaced ? centred : window->position() - m_main->position(),
                          m_images.at(i));
    }
    painter.end();
    emit finished(!image.isNull() && image.save(m_path, "PNG"));
}
