#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QtGlobal>
#include <cstring>

namespace testsupport {

// value as width bytes, most significant first.
inline QByteArray bigEndian(quint64 value, int width)
{
    QByteArray bytes(width, '\0');
    for (int i = width - 1; i >= 0; --i, value >>= 8)
        bytes[i] = char(value & 0xFF);
    return bytes;
}

// Writes binary property lists object by object, members before the containers that hold them (or into
// a place reserved before them), so a test can build inputs of any shape, archives no archiver would
// write among them, without an encoder's help or its running time. References are referenceSize bytes
// wide.
class BinaryPlistWriter
{
public:
    using Reference = quint32;

    explicit BinaryPlistWriter(int referenceSize = 4)
        : m_referenceSize(referenceSize)
    {}

    Reference truth() { return add("\x09"); }
    Reference text(const QByteArray& ascii) { return add(marker(0x5, quint64(ascii.size())) + ascii); }
    Reference integer(qint64 value) { return add("\x13" + bigEndian(quint64(value), 8)); }
    Reference real(double value)
    {
        quint64 bits = 0;
        std::memcpy(&bits, &value, sizeof bits);
        return add("\x23" + bigEndian(bits, 8));
    }
    Reference uid(quint32 value) { return add("\x83" + bigEndian(value, 4)); }
    Reference array(const QList<Reference>& items)
    {
        QByteArray object = marker(0xA, quint64(items.size()));
        object.reserve(object.size() + items.size() * m_referenceSize);
        for (Reference item : items)
            object += bigEndian(item, m_referenceSize);
        return add(object);
    }
    Reference dictionary(const QList<QPair<Reference, Reference>>& entries)
    {
        QByteArray keys;
        QByteArray values;
        for (const auto& [key, value] : entries) {
            keys += bigEndian(key, m_referenceSize);
            values += bigEndian(value, m_referenceSize);
        }
        return add(marker(0xD, quint64(entries.size())) + keys + values);
    }
    // A reserved place for an object whose members are written after it.
    Reference reserve() { return add({}); }
    void fill(Reference reserved, Reference written) { m_objects[reserved] = m_objects[written]; }

    QByteArray data(Reference top) const
    {
        QByteArray data = "bplist00";
        QList<quint64> offsets;
        for (const QByteArray& object : m_objects) {
            offsets.append(quint64(data.size()));
            data += object;
        }
        const quint64 table = quint64(data.size());
        for (quint64 offset : offsets)
            data += bigEndian(offset, 8);
        data += QByteArray(6, '\0') + char(8) + char(m_referenceSize);
        data += bigEndian(quint64(m_objects.size()), 8) + bigEndian(top, 8) + bigEndian(table, 8);
        return data;
    }

private:
    static QByteArray marker(unsigned kind, quint64 count)
    {
        if (count < 15)
            return QByteArray(1, char(kind << 4 | count));
        return QByteArray(1, char(kind << 4 | 0xF)) + "\x13" + bigEndian(count, 8);
    }

    Reference add(const QByteArray& object)
    {
        m_objects.append(object);
        return Reference(m_objects.size() - 1);
    }

    int m_referenceSize;
    QList<QByteArray> m_objects;
};

} // namespace testsupport
