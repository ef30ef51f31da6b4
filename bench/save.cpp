// Latency of Settings.save for a widget document of 100 values, against the floor of
// writing the same bytes durably by hand: write, fsync, rename, fsync of the directory.
// The two alternate, call by call. Prints one line per call: "project MICROSECONDS" or
// "floor MICROSECONDS".
// Usage: orvane-bench-save CALLS (ORVANE_CONFIG_DIR and ORVANE_CACHE_DIR set)
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QMetaMethod>
#include <QQmlComponent>
#include <QQmlEngine>

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

const char *const kWidget = R"(import QtQml 2.12
import Orvane 1.0
QtObject {
    id: thiz
    property var map: Settings.createMap(thiz)
    Component.onCompleted: {
        for (var i = 0; i < 100; ++i)
            map["value" + i] = i % 3 === 0 ? "text " + i : i % 3 === 1 ? i * 1.5 : i % 2 === 0
    }
    function touch(i) {
        map.value0 = "text " + i // modified, so there is something to save
    }
    function save() {
        return Settings.save(map, "bench", "widget")
    }
}
)";

bool syncPath(const QByteArray &path, int flags) {
    const int fd = ::open(path.constData(), flags);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    return ::close(fd) == 0 && ok;
}

// The least a durable replacement of a file takes.
bool writeDurably(const QString &directory, const QByteArray &content) {
    const QByteArray target = QFile::encodeName(directory + QStringLiteral("/floor.xml"));
    const QByteArray temporary = target + ".tmp";
    const int fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0)
        return false;
    bool ok = ::write(fd, content.constData(), size_t(content.size())) == content.size();
    ok = ::fsync(fd) == 0 && ok;
    ok = ::close(fd) == 0 && ok;
    ok = ok && ::rename(temporary.constData(), target.constData()) == 0;
    return ok && syncPath(QFile::encodeName(directory), O_RDONLY | O_DIRECTORY);
}

} // namespace

int main(int argc, char *argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    bool ok = false;
    const int calls = app.arguments().value(1).toInt(&ok);
    const QString config = qEnvironmentVariable("ORVANE_CONFIG_DIR");
    if (!ok || calls <= 0 || config.isEmpty()) {
        std::fprintf(stderr, "usage: orvane-bench-save CALLS (with ORVANE_CONFIG_DIR set)\n");
        return 2;
    }
    QQmlEngine engine;
    engine.addImportPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../qml"));
    QQmlComponent component(&engine);
    component.setData(kWidget, QUrl());
    QObject *widget = component.create();
    if (!widget) {
        std::fprintf(stderr, "%s\n", qPrintable(component.errorString()));
        return 1;
    }
    const QString directory = config + QStringLiteral("/bench");
    // Looked up once: finding a method by name is the harness's cost, not the save's; so
    // is changing the value, which happens before the clock starts.
    const QMetaObject *meta = widget->metaObject();
    const QMetaMethod touch = meta->method(meta->indexOfMethod("touch(QVariant)"));
    const QMetaMethod save = meta->method(meta->indexOfMethod("save()"));
    QVariant saved;
    touch.invoke(widget, Q_ARG(QVariant, -1));
    save.invoke(widget, Q_RETURN_ARG(QVariant, saved));
    QFile document(directory + QStringLiteral("/widget.xml"));
    if (!saved.toBool() || !document.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "the widget's settings were not saved\n");
        return 1;
    }
    const QByteArray content = document.readAll();
    for (int i = 0; i < calls; ++i) {
        touch.invoke(widget, Q_ARG(QVariant, i));
        QElapsedTimer timer;
        timer.start();
        save.invoke(widget, Q_RETURN_ARG(QVariant, saved));
        const qint64 project = timer.nsecsElapsed();
        timer.start();
        const bool floorOk = writeDurably(directory, content);
        const qint64 floor = timer.nsecsElapsed();
        if (!saved.toBool() || !floorOk) {
            std::fprintf(stderr, "a save failed\n");
            return 1;
        }
        std::printf("project %.1f\nfloor %.1f\n", project / 1e3, floor / 1e3);
    }
    std::fprintf(stderr, "document: %d bytes\n", int(content.size()));
    return 0;
}
