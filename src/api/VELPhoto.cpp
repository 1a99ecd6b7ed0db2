#include "VELPhoto.h"

QSizeF VELPhoto::imageSizeFor(const QString &variant) const
{
    const QJsonValue sizes = dictionary().value(u"sizes");
    if (!sizes.isObject())
        return QSizeF(0, 0);
    const QJsonArray size = sizes.toObject().value(variant).toArray();
    auto number = [](const QJsonValue &value) {
        return value.isString() ? value.toString().toDouble() : value.toDouble();
    };
    return QSizeF(number(size.at(0)), number(size.at(1)));
}
