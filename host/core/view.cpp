#include "view.h"

namespace Orvane::GUI {

ViewAttached::ViewAttached(QObject *parent)
    : QObject(parent) {}

View *ViewAttached::view() const {
    for (QObject *object = parent(); object; object = object->parent()) {
        if (auto *view = qobject_cast<View *>(object))
            return view;
    }
    return nullptr;
}

View::View(QObject *parent)
    : QObject(parent) {}

View::~View() = default;

void View::setTitle(const QString &title) {
    if (m_title == title)
        return;
    m_title = title;
    emit titleChanged();
}

void View::classBegin() {}

void View::componentComplete() {
    m_completed = true;
    emit completedChanged();
}

ViewAttached *View::qmlAttachedProperties(QObject *object) {
    return new ViewAttached(object);
}

} // namespace Orvane::GUI
