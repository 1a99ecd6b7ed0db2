#pragma once

#include <QString>
#include <QVariantMap>

#include <optional>

// Builds a query's parameters, adding optional ones only when they are given.
class VelariQueryParameters
{
public:
    VelariQueryParameters &set(const QString &key, const QString &value)
    {
        m_map.insert(key, value);
        return *this;
    }
    VelariQueryParameters &setIfGiven(const QString &key, const QString &value)
    {
        if (!value.isNull())
            m_map.insert(key, value);
        return *this;
    }
    VelariQueryParameters &setIfGiven(const QString &key, std::optional<qint64> value)
    {
        if (value)
            m_map.insert(key, QString::number(*value));
        return *this;
    }
    QVariantMap map() const { return m_map; }

private:
    QVariantMap m_map;
};
