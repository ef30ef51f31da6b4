#include "desktoploader.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>

#include <cstdio>

namespace {

void report(const QString &message) {
    std::fprintf(stderr, "orvane-host: %s\n", qPrintable(message));
    std::fflush(stderr);
}

} // namespace

DesktopLoader::DesktopLoader(QQmlEngine *engine, const QString &file, QSize size, QObject *parent)
    : QObject(parent)
    , m_engine(engine)
    , m_url(QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath()))
    , m_folder(QFileInfo(file).absolutePath())
    , m_size(size) {
    // An editor saves in several steps (write, rename, touch): one load after the last.
    m_settle.setSingleShot(true);
    m_settle.setInterval(100);
    connect(&m_settle, &QTimer::timeout, this, [this] {
        report(QStringLiteral("reloading ") + m_url.toLocalFile());
        watchFolder();
        load();
    });
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, &m_settle, qOverload<>(&QTimer::start));
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, &m_settle,
            qOverload<>(&QTimer::start));
}

DesktopLoader::~DesktopLoader() {
    delete m_root;
    delete m_frame;
}

void DesktopLoader::setWatching(bool watching) {
    if (watching) {
        watchFolder();
    } else {
        m_settle.stop();
        if (!m_watcher.files().isEmpty())
            m_watcher.removePaths(m_watcher.files());
        if (!m_watcher.directories().isEmpty())
            m_watcher.removePaths(m_watcher.directories());
    }
}

// Every folder (for files that come and go) and every QML file below the desktop's
// folder; a file an editor replaced is a new file to watch.
void DesktopLoader::watchFolder() {
    QStringList paths{m_folder};
    QDirIterator it(m_folder, {QStringLiteral("*.qml")},
                    QDir::Files | QDir::AllDirs | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        paths.append(it.next());
    if (!m_watcher.files().isEmpty())
        m_watcher.removePaths(m_watcher.files());
    if (!m_watcher.directories().isEmpty())
        m_watcher.removePaths(m_watcher.directories());
    m_watcher.addPaths(paths);
}

bool DesktopLoader::load() {
    // The old desktop goes first, so that what it saves on its way out is what the
    // new one reads.
    const QSize lastSize = m_window ? m_window->size() : QSize();
    delete m_root;
    delete m_errorView;
    m_engine->clearComponentCache();

    QQmlComponent component(m_engine, m_url);
    QObject *root = component.isError() ? nullptr : component.create();
    if (!root) {
        m_errors = component.errorString().trimmed();
        std::fprintf(stderr, "%s\n", qPrintable(m_errors));
        report(QStringLiteral("cannot load ") + m_url.toLocalFile());
        if (lastSize.isValid() && !m_size.isValid())
            m_size = lastSize;
        showErrors();
        emit loaded(false);
        return false;
    }
    QQuickWindow *window = windowFor(root);
    if (!window) {
        delete root;
        m_errors = QStringLiteral("the root object of %1 is neither a window nor an item")
                       .arg(m_url.toLocalFile());
        report(m_errors);
        showErrors();
        emit loaded(false);
        return false;
    }
    m_errors.clear();
    m_root = root;
    if (window != m_frame)
        delete m_frame;
    m_window = window;
    window->show();
    emit loaded(true);
    return true;
}

QQuickWindow *DesktopLoader::frame() {
    if (!m_frame) {
        m_frame = new QQuickWindow;
        m_frame->setTitle(QFileInfo(m_url.toLocalFile()).fileName());
        m_frame->resize(m_size.isValid() ? m_size : QSize(640, 480));
        decorate(m_frame);
    }
    return m_frame;
}

void DesktopLoader::showErrors() {
    QQuickWindow *window = frame();
    QQmlComponent component(m_engine, QUrl(QStringLiteral("qrc:/runner/ErrorView.qml")));
    QObject *created = component.beginCreate(m_engine->rootContext());
    m_errorView = qobject_cast<QQuickItem *>(created);
    if (m_errorView) {
        m_errorView->setProperty("errors", m_errors);
        m_errorView->setParentItem(window->contentItem());
        m_errorView->setParent(window->contentItem());
        component.completeCreate();
    } else {
        delete created;
    }
    m_window = window;
    window->show();
}

QQuickWindow *DesktopLoader::windowFor(QObject *root) {
    if (auto *window = qobject_cast<QQuickWindow *>(root)) {
        if (m_size.isValid())
            window->resize(m_size);
        decorate(window);
        return window;
    }
    auto *item = qobject_cast<QQuickItem *>(root);
    if (!item)
        return nullptr;
    if (!m_size.isValid())
        m_size = QSize(qMax(1, int(item->width())), qMax(1, int(item->height())));
    QQuickWindow *window = frame();
    item->setParentItem(window->contentItem());
    item->setSize(window->size());
    connect(window, &QWindow::widthChanged, item, [item](int w) { item->setWidth(w); });
    connect(window, &QWindow::heightChanged, item, [item](int h) { item->setHeight(h); });
    return window;
}

// The shell's notification area lies over the desktop's window.
void DesktopLoader::decorate(QQuickWindow *window) {
    QQmlComponent notifications(m_engine, QUrl(QStringLiteral("qrc:/runner/NotificationArea.qml")));
    QObject *created = notifications.beginCreate(m_engine->rootContext());
    if (auto *area = qobject_cast<QQuickItem *>(created)) {
        area->setParent(window->contentItem());
        area->setParentItem(window->contentItem());
        notifications.completeCreate();
    } else {
        delete created;
        report(QStringLiteral("no notification area: ") + notifications.errorString());
    }
}
