#pragma once

#include <QIODevice>
#include <QPointer>

class QXmlStreamReader;

// Reads at most a fixed number of bytes from another device, so that a document
// reader never holds more than that much of a hostile file (a huge text node, a device
// that never ends) in memory. What lies beyond reads as the end of the data.
class BoundedDevice : public QIODevice {
public:
    static constexpr qint64 documentLimit = 16 * 1024 * 1024;

    explicit BoundedDevice(QIODevice *source, qint64 limit = documentLimit);

    bool exceeded() const { return m_exceeded; }
    // Turns the reader's error, if the limit cut the document short, into one saying so.
    void explain(QXmlStreamReader &reader) const;

    bool isSequential() const override { return true; }

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QPointer<QIODevice> m_source;
    qint64 m_limit;
    qint64 m_read = 0;
    bool m_exceeded = false;
};
