#include "VELThreadSpecificData.h"

VELThreadSpecificData &VELThreadSpecificData::sharedData()
{
    static VELThreadSpecificData *const shared = new VELThreadSpecificData;
    return *shared;
}

QVariant VELThreadSpecificData::objectForKey(const QString &key)
{
    return m_storage.localData().value(key);
}

void VELThreadSpecificData::setObject(const QVariant &value, const QString &key)
{
    m_storage.localData().insert(key, value);
}
