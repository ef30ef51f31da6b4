#include "testenvironment.h"

#include <QQmlContext>
#include <QQmlEngine>
#include <QtQuickTest>

// Hands each QML test its private directories as the context property testDirs.
class Setup : public QObject {
    Q_OBJECT

public slots:
    void qmlEngineAvailable(QQmlEngine *engine) {
        engine->rootContext()->setContextProperty(
            QStringLiteral("testDirs"),
            QVariantMap{{QStringLiteral("root"), TestEnvironment::root()},
                        {QStringLiteral("config"), TestEnvironment::configDir()},
                        {QStringLiteral("cache"), TestEnvironment::cacheDir()},
                        {QStringLiteral("storage"), TestEnvironment::storageDir()}});
    }
};

QUICK_TEST_MAIN_WITH_SETUP(orvane, Setup)

#include "main.moc"
