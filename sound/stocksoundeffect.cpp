#include "stocksoundeffect.h"

#include "common/paths.h"

namespace Orvane::Imports {

StockSoundEffect::StockSoundEffect(const QString &key, const QString &category,
                                   const QString &label, QObject *parent)
    : SoundEffect(parent)
    , m_category(category)
    , m_label(label) {
    setObjectName(key);
}

QUrl StockSoundEffect::defaultSource() const {
    return QUrl::fromLocalFile(Orvane::Paths::sounds() + QLatin1Char('/') + objectName() +
                               QLatin1String(".wav"));
}

} // namespace Orvane::Imports
