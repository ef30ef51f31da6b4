#include "hostconfig.h"

#include "common/paths.h"

namespace Orvane::Private {

namespace {
const QString sfxKey = QStringLiteral("audio/sfx_on");
}

AudioConfig::AudioConfig(QSettings *store, QObject *parent)
    : QObject(parent)
    , m_store(store)
    , m_sfxOn(store->value(sfxKey, true).toBool()) {}

void AudioConfig::setSfxOn(bool on) {
    if (m_sfxOn == on)
        return;
    m_sfxOn = on;
    m_store->setValue(sfxKey, on);
    m_store->sync();
    emit sfxOnChanged();
}

HostConfig::HostConfig(QObject *parent)
    : QObject(parent)
    , m_store(Paths::configurations() + QStringLiteral("/shell.ini"), QSettings::IniFormat)
    , m_audio(new AudioConfig(&m_store, this)) {}

} // namespace Orvane::Private
