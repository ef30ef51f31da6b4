// Resident memory of a window holding N copies of one widget, once each widget has been
// updated: run with N = 0 and N > 0, the difference over N is the memory per widget.
// Usage: orvane-bench-widgets WIDGET.qml N
#include "core/core.h"

#include <QGuiApplication>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTimer>

#include <cstdio>
#include <malloc.h>

namespace {

long residentKiB() {
    FILE *status = std::fopen("/proc/self/status", "r");
    if (!status)
        return -1;
    char line[256];
    long kib = -1;
    while (std::fgets(line, sizeof line, status)) {
        if (std::sscanf(line, "VmRSS: %ld", &kib) == 1)
            break;
    }
    std::fclose(status);
    return kib;
}

} // namespace

int main(int argc, char *argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_QUICK_BACKEND", "software");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    bool ok = false;
    const int count = args.value(2).toInt(&ok);
    if (args.size() != 3 || !ok || count < 0) {
        std::fprintf(stderr, "usage: orvane-bench-widgets WIDGET.qml N\n");
        return 2;
    }

    QQmlEngine engine;
    engine.addImportPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../qml"));
    Orvane::Core::instance()->setEngine(&engine);
    QQuickWindow window;
    window.resize(800, 600);
    window.show();

    // Compiled and its imports loaded even for N = 0, so only the widgets differ.
    QQmlComponent component(&engine, QUrl::fromLocalFile(args.at(1)));
    if (!component.isReady()) {
        std::fprintf(stderr, "%s\n", qPrintable(component.errorString()));
        return 1;
    }
    for (int i = 0; i < count; ++i) {
        auto *item = qobject_cast<QQuickItem *>(component.create());
        if (!item) {
            std::fprintf(stderr, "%s\n", qPrintable(component.errorString()));
            return 1;
        }
        item->setParent(window.contentItem());
        item->setParentItem(window.contentItem());
        item->setY(i % 60 * 10);
    }
    // Long enough for every widget's first tick and a frame showing it.
    QTimer::singleShot(1500, &app, &QCoreApplication::quit);
    app.exec();
    engine.collectGarbage();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    malloc_trim(0);
    std::printf("%ld %ld\n", residentKiB(), long(mallinfo2().uordblks / 1024));
    return 0;
}
