#pragma once

#include <QObject>
#include <QQmlParserStatus>
#include <qqml.h>

namespace Orvane::GUI {

class View;

// What a view's content reads about the view that shows it.
class ViewAttached : public QObject {
    Q_OBJECT
    Q_PROPERTY(Orvane::GUI::View *view READ view CONSTANT)

public:
    explicit ViewAttached(QObject *parent = nullptr);
    View *view() const;
};

// A page of the shell; complete once QML has set all its properties.
class View : public QObject, public QQmlParserStatus {
    Q_OBJECT
    Q_INTERFACES(QQmlParserStatus)
    Q_PROPERTY(QString title READ title WRITE setTitle NOTIFY titleChanged)
    Q_PROPERTY(bool completed READ isCompleted NOTIFY completedChanged)

public:
    explicit View(QObject *parent = nullptr);
    ~View() override;

    QString title() const { return m_title; }
    void setTitle(const QString &title);
    bool isCompleted() const { return m_completed; }

    void classBegin() override;
    void componentComplete() override;

    static ViewAttached *qmlAttachedProperties(QObject *object);

signals:
    void titleChanged();
    void completedChanged();

private:
    QString m_title;
    bool m_completed = false;
};

} // namespace Orvane::GUI

QML_DECLARE_TYPEINFO(Orvane::GUI::View, QML_HAS_ATTACHED_PROPERTIES)
