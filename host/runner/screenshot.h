#pragma once

#include <QImage>
#include <QObject>
#include <QPointer>
#include <QQuickWindow>
#include <QVector>

class QQmlEngine;

// A picture of the desktop as a user would see it: the main window over the wallpaper,
// with every other window the desktop opened (a message box, say) on top of it.
class Screenshot : public QObject {
    Q_OBJECT

public:
    Screenshot(QQmlEngine *engine, QQuickWindow *main, QObject *parent = nullptr);

    // Grabs every window; finished() tells the outcome once the image is written.
    void take(const QString &path);
    // The same, `delay` milliseconds after the main window's first frame.
    void takeAfterFirstFrame(int delay, const QString &path);

signals:
    void finished(bool ok);

private:
    void grabNext();
    void compose();

    QQmlEngine *m_engine;
    QPointer<QQuickWindow> m_main;
    QVector<QPointer<QQuickWindow>> m_windows;
    QVector<QImage> m_images;
    QString m_path;
};
