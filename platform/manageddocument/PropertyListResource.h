#pragma once

#include "manageddocument/PackageResource.h"

#include <QVariantMap>

namespace manageddocument {

// A package file holding a dictionary as a binary property list (version 1.0). Its values must be
// property-list values: text, numbers, booleans, dates, data, and lists and dictionaries of these.
class PropertyListResource : public PackageResource
{
public:
    explicit PropertyListResource(QString filename);

    QString filename() const override { return m_filename; }
    const QVariantMap& dictionary() const { return m_dictionary; }
    void setDictionary(QVariantMap dictionary) { m_dictionary = std::move(dictionary); }

    appkit::DocumentResult<QByteArray> save() const override;
    void reset() override;
    // Bytes of any property-list format; a root that is no dictionary reads as an empty one.
    appkit::DocumentResult<> load(const QByteArray& bytes) override;
    // A few settings, never near this; what is larger is no such file.
    qint64 maximumFileSize() const override { return qint64(4) << 20; }

private:
    const QString m_filename;
    QVariantMap m_dictionary;
};

} // namespace manageddocument
