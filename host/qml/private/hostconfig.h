#pragma once

#include <QObject>
#include <QSettings>

namespace Orvane::Private {

// The user's audio preferences, kept in the shell's own settings file.
class AudioConfig : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool sfx_on READ sfxOn WRITE setSfxOn NOTIFY sfxOnChanged)

public:
    explicit AudioConfig(QSettings *store, QObject *parent = nullptr);

    bool sfxOn() const { return m_sfxOn; }
    void setSfxOn(bool on);

signals:
    void sfxOnChanged();

private:
    QSettings *m_store;
    bool m_sfxOn;
};

// The shell's user configuration as QML sees it under the name CFG.
class HostConfig : public QObject {
    Q_OBJECT
    Q_PROPERTY(Orvane::Private::AudioConfig *audio READ audio CONSTANT)

public:
    explicit HostConfig(QObject *parent = nullptr);

    AudioConfig *audio() const { return m_audio; }

private:
    QSettings m_store;
    AudioConfig *m_audio;
};

} // namespace Orvane::Private
