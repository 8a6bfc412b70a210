#include "store/ManagedObjectID.h"

#include "store/ManagedObjectIDData.h"

namespace store {

QString ManagedObjectID::entityName() const
{
    return m_data ? m_data->entityName : QString();
}

bool ManagedObjectID::isTemporaryID() const
{
    return m_data && m_data->primaryKey.load(std::memory_order_acquire) == 0;
}

QString ManagedObjectID::storeIdentifier() const
{
    if (!m_data || m_data->primaryKey.load(std::memory_order_acquire) == 0)
        return {};
    return m_data->storeIdentifier;
}

qint64 ManagedObjectID::primaryKey() const
{
    return m_data ? m_data->primaryKey.load(std::memory_order_acquire) : 0;
}

QUrl ManagedObjectID::uriRepresentation() const
{
    if (!m_data)
        return {};
    const qint64 key = m_data->primaryKey.load(std::memory_order_acquire);
    QUrl url;
    url.setScheme("x-store");
    if (key != 0) {
        url.setHost(m_data->storeIdentifier.toLower());
        url.setPath("/" + m_data->entityName + "/p" + QString::number(key));
    } else {
        url.setPath("/" + m_data->entityName + "/t" + m_data->temporaryID.toString(QUuid::WithoutBraces));
    }
    return url;
}

} // namespace store
