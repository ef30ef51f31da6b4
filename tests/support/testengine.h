#pragma once

#include <QQmlEngine>
#include <QUrl>

#include <memory>

// A QML engine that finds the modules of this build, as a widget's engine finds them.
class TestEngine : public QQmlEngine {
public:
    explicit TestEngine(QObject *parent = nullptr);

    // The object of a document given as text (or of the file at url when qml is null); null
    // when it cannot be made, with the reason in errorString().
    std::unique_ptr<QObject> create(const QByteArray &qml, const QUrl &url = QUrl());
    QString errorString() const { return m_errors; }

private:
    QString m_errors;
};
