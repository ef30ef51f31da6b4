#include "boundeddevice.h"

#include <QXmlStreamReader>

BoundedDevice::BoundedDevice(QIODevice *source, qint64 limit)
    : m_source(source)
    , m_limit(limit) {
    open(QIODevice::ReadOnly);
}

qint64 BoundedDevice::readData(char *data, qint64 maxSize) {
    if (!m_source || m_exceeded)
        return -1;
    if (m_read == m_limit) {
        // One byte more tells a document of exactly the limit from a longer one.
        char probe;
        m_exceeded = m_source->read(&probe, 1) == 1;
        return -1;
    }
    const qint64 count = m_source->read(data, qMin(maxSize, m_limit - m_read));
    if (count > 0)
        m_read += count;
    return count;
}

void BoundedDevice::explain(QXmlStreamReader &reader) const {
    if (m_exceeded && reader.hasError())
        reader.raiseError(QStringLiteral("document larger than %1 MiB").arg(m_limit >> 20));
}
