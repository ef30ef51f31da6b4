#pragma once

#include "soundeffect.h"

#include <QString>
#include <QUrl>

namespace Orvane::Imports {

// One of the framework's user-interface sounds: a sound effect with a category, a display
// label and a default file in the sounds directory named after its key.
class StockSoundEffect : public Orvane::SoundEffect {
    Q_OBJECT
    Q_PROPERTY(QString category READ category CONSTANT FINAL)
    Q_PROPERTY(QString label READ label CONSTANT FINAL)
    Q_PROPERTY(QUrl defaultSource READ defaultSource CONSTANT FINAL)

public:
    StockSoundEffect(const QString &key, const QString &category, const QString &label,
                     QObject *parent = nullptr);

    QString category() const { return m_category; }
    QString label() const { return m_label; }
    // Follows the sounds directory as it is now.
    QUrl defaultSource() const;

private:
    QString m_category;
    QString m_label;
};

} // namespace Orvane::Imports
