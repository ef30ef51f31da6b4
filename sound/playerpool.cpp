#include "playerpool.h"

#include <QCoreApplication>
#include <QSoundEffect>
#include <QTimer>

namespace Orvane {

QSoundEffect *PlayerPool::take() {
    if (m_idle.isEmpty())
        return new QSoundEffect;
    QSoundEffect *player = m_idle.takeLast();
    player->setParent(nullptr);
    return player;
}

void PlayerPool::give(QSoundEffect *player) {
    player->stop();
    if (m_drained) {
        delete player;
        return;
    }
    player->setParent(this);
    if (m_idle.size() < idleLimit) {
        m_idle.append(player);
        return;
    }
    QTimer::singleShot(graceMs, player, &QObject::deleteLater);
}

void PlayerPool::drain() {
    m_drained = true;
    m_idle.clear();
    qDeleteAll(findChildren<QSoundEffect *>(QString(), Qt::FindDirectChildrenOnly));
    // The players' back ends delete themselves later; that must happen now too.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace Orvane
