#pragma once

#include <QThreadStorage>
#include <QVariantMap>

// A dictionary of the calling thread's own, made empty on the thread's first access and released
// when the thread ends.
class VELThreadSpecificData
{
public:
    static VELThreadSpecificData &sharedData();

    QVariant objectForKey(const QString &key);
    void setObject(const QVariant &value, const QString &key);

private:
    QThreadStorage<QVariantMap> m_storage;
};
