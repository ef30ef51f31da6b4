// orvane-host: the shell that shows a desktop QML file, in a window or offscreen.
#include "core/core.h"
#include "desktoploader.h"
#include "screenshot.h"
#include "shelliconprovider.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QQmlApplicationEngine>
#include <QQmlComponent>
#include <QQuickItem>
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

// The build tree keeps the QML modules beside bin/, an installed host finds them under
// its prefix (the host library finds the installed stock sounds the same way); run
// from the repository, the documents go under its out/ directory.
void useBuildTree(QQmlEngine *engine) {
    const QDir build(QCoreApplication::applicationDirPath() + QStringLiteral("/.."));
    if (build.exists(QStringLiteral("qml")))
        engine->addImportPath(build.absoluteFilePath(QStringLiteral("qml")));
    const QDir bin(QCoreApplication::applicationDirPath());
    const QString installed =
        QDir::cleanPath(bin.absoluteFilePath(QStringLiteral(ORVANE_QML_FROM_BIN)));
    if (QFileInfo::exists(installed + QStringLiteral("/Orvane/qmldir")))
        engine->addImportPath(installed);
    const QString repository = sourceTree();
    if (repository.isEmpty())
        return;
    setDefault("ORVANE_CONFIG_DIR", repository + QStringLiteral("/out/config"));
    setDefault("ORVANE_CACHE_DIR", repository + QStringLiteral("/out/cache"));
    setDefault("ORVANE_STORAGE_DIR", repository + QStringLiteral("/out/storage"));
    setDefault("ORVANE_EXAMPLES_DIR", repository + QStringLiteral("/examples"));
    // Whatever the install layout, the build tree keeps the sounds beside bin/.
    const QString sounds = build.absoluteFilePath(QStringLiteral("share/orvane/sounds"));
    if (QFileInfo(sounds).isDir())
        setDefault("ORVANE_SOUNDS_DIR", sounds);
}

// Items a view creates (a Repeater's, say) are visual children only.
QObject *findNamed(QObject *object, const QString &name) {
    if (object->objectName() == name)
        return object;
    QObjectList children = object->children();
    if (auto *item = qobject_cast<QQuickItem *>(object)) {
        for (QQuickItem *child : item->childItems()) {
            if (!children.contains(child))
                children.append(child);
        }
    }
    for (QObject *child : qAsConst(children)) {
        if (QObject *found = findNamed(child, name))
            return found;
    }
    return nullptr;
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
    parser.addPositionalArgument(
        QStringLiteral("file"),
        QStringLiteral("The QML file to show (default: the example desktop)."));
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
    const QCommandLineOption trigger(
        QStringLiteral("trigger"),
        QStringLiteral("Trigger the object of this name at start (repeatable)."),
        QStringLiteral("name"));
    const QCommandLineOption watch(
        QStringLiteral("watch"),
        QStringLiteral("Reload on any change of a QML file in its folder."));
    parser.addOptions({window, screenshot, after, size, quitAfter, trigger, watch});
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
    DesktopLoader desktop(&engine, file.filePath(), requested);
    const bool watching = parser.isSet(watch);
    desktop.setWatching(watching);
    if (!desktop.load() && !watching)
        return 1;
    QQuickWindow *view = desktop.window();

    // As if the user had clicked them, in order: a way to show what actions open.
    const QStringList names = parser.values(trigger);
    if (!names.isEmpty()) {
        QTimer::singleShot(0, &app, [&app, &desktop, names] {
            for (const QString &name : names) {
                QObject *target = desktop.root() ? findNamed(desktop.root(), name) : nullptr;
                if (!target || target->metaObject()->indexOfMethod("trigger()") < 0) {
                    fail(QStringLiteral("nothing to trigger named ") + name);
                    app.exit(2);
                    return;
                }
                QMetaObject::invokeMethod(target, "trigger");
            }
        });
    }

    int status = 0;
    if (parser.isSet(screenshot)) {
        auto *shot = new Screenshot(&engine, view, &app);
        QObject::connect(shot, &Screenshot::finished, &app, [&](bool ok) {
            if (!ok) {
                fail(QStringLiteral("cannot write screenshot: ") + parser.value(screenshot));
                status = 1;
            }
            app.quit();
        });
        shot->takeAfterFirstFrame(delay, parser.value(screenshot));
    }
    if (parser.isSet(quitAfter))
        QTimer::singleShot(parser.value(quitAfter).toInt(), &app, &QCoreApplication::quit);

    const int result = app.exec();
    return status ? status : result;
}
