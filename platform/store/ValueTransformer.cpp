#include "store/ValueTransformer.h"

#include <QHash>
#include <QMutex>
#include <QMutexLocker>
#include <algorithm>

namespace store {

namespace {

struct Registry
{
    QMutex mutex;
    QHash<QString, std::shared_ptr<const ValueTransformer>> transformers;
};

Registry& registry()
{
    static Registry instance;
    return instance;
}

} // namespace

void ValueTransformer::setValueTransformer(std::shared_ptr<const ValueTransformer> transformer,
                                           const QString& name)
{
    Registry& r = registry();
    QMutexLocker lock(&r.mutex);
    if (transformer)
        r.transformers.emplace(name, std::move(transformer));
    else
        r.transformers.remove(name);
}

std::shared_ptr<const ValueTransformer> ValueTransformer::valueTransformer(const QString& name)
{
    Registry& r = registry();
    QMutexLocker lock(&r.mutex);
    return r.transformers.value(name);
}

QStringList ValueTransformer::valueTransformerNames()
{
    Registry& r = registry();
    QMutexLocker lock(&r.mutex);
    QStringList names = r.transformers.keys();
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace store
