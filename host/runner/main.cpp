// orvane-host: the shell that shows a desktop QML file, in a window or offscreen.
#include "core/core.h"
#include "shelliconprovider.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QQmlApplicationEngine>
#include <QQmlComponent>
#include <QQuickItem>
#include <QQuickItemGrabResult>
#include <QQuickWindow>
#include <QTimer>

#include <cstdio>

namespace {

void fail(const QString &message) {
    std::fprintf(stderr, "orvane-host: %s\n", qPrintable(message));
}

bool parseSize(const QString &text, QSize *size) {
    const QStringList parts = text.split(QLatin1Char('x'));
    bool okWidth = false;
    bool okHeight = false;
    if (parts.size() == 2)
        *size = QSize(parts[0].toInt(&okWidth), parts[1].toInt(&okHeight));
    return okWidth && okHeight && size->width() > 0 && size->height() > 0;
}

// The repository holding the build tree this program was built in, if any.
QString sourceTree() {
    const QDir root(QCoreApplication::applicationDirPath() + QStringLiteral("/../.."));
    return root.exists(QStringLiteral("examples/desktop/main.qml")) ? root.absolutePath()
                                                                    : QString();
}

void setDefault(const char *variable, const QString &value) {
    if (qEnvironmentVariableIsEmpty(variable))
        qputenv(variable, QFile::encodeName(value));
}

// The build tree keeps the QML modules and the default sounds beside bin/; run from
// the repository, the documents go under its out/ directory.
void useBuildTree(QQmlEngine *engine) {
    const QDir build(QCoreApplication::applicationDirPath() + QStringLiteral("/.."));
    if (build.exists(QStringLiteral("qml")))
        engine->addImportPath(build.absoluteFilePath(QStringLiteral("qml")));
    const QString sounds = build.absoluteFilePath(QStringLiteral("share/orvane/sounds"));
    if (QFileInfo(sounds).isDir())
        setDefault("ORVANE_SOUNDS_DIR", sounds);
    const QString repository = sourceTree();
    if (repository.isEmpty())
        return;
    setDefault("ORVANE_CONFIG_DIR", repository + QStringLiteral("/out/config"));
    setDefault("ORVANE_CACHE_DIR", repository + QStringLiteral("/out/cache"));
    setDefault("ORVANE_STORAGE_DIR", repository + QStringLiteral("/out/storage"));
    setDefault("ORVANE_EXAMPLES_DIR", repository + QStringLiteral("/examples"));
}

QQuickWindow *windowFor(QObject *root, QSize size) {
    if (auto *window = qobject_cast<QQuickWindow *>(root)) {
        if (size.isValid())
            window->resize(size);
        return window;
    }
    auto *item = qobject_cast<QQuickItem *>(root);
    if (!item)
        return nullptr;
    auto *window = new QQuickWindow;
    QObject::connect(root, &QObject::destroyed, window, &QObject::deleteLater);
    item->setParentItem(window->contentItem());
    const QSize initial =
        size.isValid() ? size : QSize(qMax(1, int(item->width())), qMax(1, int(item->height())));
    window->resize(initial);
    item->setSize(initial);
    QObject::connect(window, &QWindow::widthChanged, item, [item](int w) { item->setWidth(w); });
    QObject::connect(window, &QWindow::heightChanged, item, [item](int h) { item->setHeight(h); });
    return window;
}

} // namespace

int main(int argc, char *argv[]) {
    bool windowed = false;
    for (int i = 1; i < argc; ++i)
        windowed = windowed || qstrcmp(argv[i], "--window") == 0;
    if (!windowed && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (!windowed && qEnvironmentVariableIsEmpty("QT_QUICK_BACKEND"))
        qputenv("QT_QUICK_BACKEND", "software");

    QGuiApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("orvane-host"));
    app.setOrganizationName(QStringLiteral("Orvane"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Shows an Orvane desktop QML file."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("file"),
                                 QStringLiteral("The QML file to show (the example desktop)."));
    const QCommandLineOption window(
        QStringLiteral("window"),
        QStringLiteral("Open a real window instead of rendering offscreen."));
    const QCommandLineOption screenshot(QStringLiteral("screenshot"),
                                        QStringLiteral("Write a PNG of the window and quit."),
                                        QStringLiteral("file"));
    const QCommandLineOption after(QStringLiteral("after"),
                                   QStringLiteral("Milliseconds before the screenshot (1000)."),
                                   QStringLiteral("ms"), QStringLiteral("1000"));
    const QCommandLineOption size(QStringLiteral("size"),
                                  QStringLiteral("Window size as WIDTHxHEIGHT."),
                                  QStringLiteral("size"));
    const QCommandLineOption quitAfter(QStringLiteral("quit-after"),
                                       QStringLiteral("Quit after this many milliseconds."),
                                       QStringLiteral("ms"));
    parser.addOptions({window, screenshot, after, size, quitAfter});
    if (!parser.parse(app.arguments())) {
        fail(parser.errorText());
        return 2;
    }
    if (parser.isSet(QStringLiteral("help")))
        parser.showHelp(0);

    QStringList files = parser.positionalArguments();
    if (files.isEmpty() && !sourceTree().isEmpty())
        files.append(sourceTree() + QStringLiteral("/examples/desktop/main.qml"));
    if (files.size() != 1) {
        fail(QStringLiteral("expected one QML file, got %1").arg(files.size()));
        return 2;
    }
    const QFileInfo file(files.first());
    if (!file.isFile()) {
        fail(QStringLiteral("no such file: ") + files.first());
        return 2;
    }
    QSize requested;
    if (parser.isSet(size) && !parseSize(parser.value(size), &requested)) {
        fail(QStringLiteral("invalid size: ") + parser.value(size));
        return 2;
    }
    bool delayOk = false;
    const int delay = parser.value(after).toInt(&delayOk);
    if (!delayOk || delay < 0) {
        fail(QStringLiteral("invalid delay: ") + parser.value(after));
        return 2;
    }

    QQmlApplicationEngine engine;
    useBuildTree(&engine);
    Orvane::Core::instance()->setEngine(&engine);
    engine.addImageProvider(QStringLiteral("shell-icon"), new ShellIconProvider);
    // QML warnings go to stderr once, in our own words around them.
    engine.setOutputWarningsToStandardError(false);
    QObject::connect(&engine, &QQmlApplicationEngine::warnings, &app,
                     [](const QList<QQmlError> &warnings) {
                         for (const QQmlError &warning : warnings)
                             std::fprintf(stderr, "%s\n", qPrintable(warning.toString()));
                     });
    engine.load(QUrl::fromLocalFile(file.absoluteFilePath()));
    if (engine.rootObjects().isEmpty()) {
        fail(QStringLiteral("cannot load ") + file.filePath());
        return 1;
    }
    QQuickWindow *view = windowFor(engine.rootObjects().constFirst(), requested);
    if (!view) {
        fail(QStringLiteral("the root object of %1 is neither a window nor an item")
                 .arg(file.filePath()));
        return 1;
    }
    view->show();

    // The shell's notification area lies over the desktop's first window.
    QQmlComponent notifications(&engine, QUrl(QStringLiteral("qrc:/runner/NotificationArea.qml")));
    QObject *created = notifications.beginCreate(engine.rootContext());
    if (auto *area = qobject_cast<QQuickItem *>(created)) {
        area->setParent(view->contentItem());
        area->setParentItem(view->contentItem());
        notifications.completeCreate();
    } else {
        delete created;
        fail(QStringLiteral("no notification area: ") + notifications.errorString());
    }

    int status = 0;
    if (parser.isSet(screenshot)) {
        const QString target = parser.value(screenshot);
        QTimer::singleShot(delay, &app, [&, target] {
            // grabToImage works with every scene graph backend, offscreen included, but
            // it leaves out the window's clear colour: paint it below the items.
            QQmlComponent backdrop(&engine);
            // A see-through window shows the wallpaper of the desktop behind it.
            backdrop.setData("import QtQuick 2.12\n"
                             "Rectangle { anchors.fill: parent; z: -1e9\n"
                             "  property color window\n"
                             "  gradient: Gradient {\n"
                             "    GradientStop { position: 0; color: Qt.tint('#1d3b53', window) }\n"
                             "    GradientStop { position: 1; color: Qt.tint('#0f1a24', window) }\n"
                             "  } }",
                             QUrl());
            QObject *fill = backdrop.create();
            if (auto *item = qobject_cast<QQuickItem *>(fill)) {
                item->setProperty("window", view->color());
                item->setParentItem(view->contentItem());
            }
            QSharedPointer<QQuickItemGrabResult> grab = view->contentItem()->grabToImage();
            if (!grab) {
                delete fill;
                fail(QStringLiteral("cannot grab the window"));
                app.exit(1);
                return;
            }
            QObject::connect(grab.data(), &QQuickItemGrabResult::ready, &app,
                             [&, grab, fill, target] {
                                 delete fill;
                                 const QImage image = grab->image();
                                 if (image.isNull() || !image.save(target, "PNG")) {
                                     fail(QStringLiteral("cannot write screenshot: ") + target);
                                     status = 1;
                                 }
                                 app.quit();
                             });
        });
    }
    if (parser.isSet(quitAfter))
        QTimer::singleShot(parser.value(quitAfter).toInt(), &app, &QCoreApplication::quit);

    const int result = app.exec();
    return status ? status : result;
}
