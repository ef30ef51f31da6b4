#include "systemdata.h"

#include "procreader.h"
#include "systemvalue.h"

#include <QQmlEngine>

namespace Orvane::Private {

SystemData::SystemData(QObject *parent)
    : QObject(parent)
    , m_reader(new ProcReader(this)) {}

QObject *SystemData::query(const QJSValue &key) {
    if (key.isUndefined() || key.isNull())
        return nullptr;
    const QString name = key.toString();
    if (QObject *made = m_values.value(name).value<QObject *>())
        return made;
    static const QHash<QString, SystemValue::Kind> kinds{
        {QStringLiteral("cpu"), SystemValue::Cpu},
        {QStringLiteral("memory"), SystemValue::Memory},
        {QStringLiteral("swap"), SystemValue::Swap},
        {QStringLiteral("uptime"), SystemValue::Uptime},
        {QStringLiteral("load"), SystemValue::Load}};
    const auto kind = kinds.constFind(name);
    if (kind == kinds.constEnd())
        return nullptr;
    auto *value = new SystemValue(*kind, m_reader, this);
    // Returned to script, but owned here.
    QQmlEngine::setObjectOwnership(value, QQmlEngine::CppOwnership);
    m_values.insert(name, QVariant::fromValue<QObject *>(value));
    emit valuesChanged();
    return value;
}

} // namespace Orvane::Private
