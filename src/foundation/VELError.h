#pragma once

#include <QMetaType>
#include <QString>
#include <QVariantMap>

// An error as a value: a domain text, an integer code and optional details.
struct VELError
{
    QString domain;
    int code = 0;
    QVariantMap details;

    bool operator==(const VELError &other) const = default;
};

Q_DECLARE_METATYPE(VELError)
