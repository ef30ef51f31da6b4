#include "testengine.h"

#include <QQmlComponent>

TestEngine::TestEngine(QObject *parent)
    : QQmlEngine(parent) {
    addImportPath(QStringLiteral(ORVANE_BUILD_DIR "/qml"));
}

std::unique_ptr<QObject> TestEngine::create(const QByteArray &qml, const QUrl &url) {
    QQmlComponent component(this);
    if (qml.isNull())
        component.loadUrl(url);
    else
        component.setData(qml, url);
    std::unique_ptr<QObject> object(component.create());
    m_errors = object ? QString() : component.errorString();
    return object;
}
