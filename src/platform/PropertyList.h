#pragma once

#include <QByteArray>
#include <QVariant>

#include <optional>

// XML property lists (Apple's plist 1.0 DTD) written and read with libxml2, so that any
// property-list reader can read our files. Dictionaries are QVariantMap, arrays QVariantList,
// then strings, integers, reals, booleans, dates (QDateTime, UTC) and data (QByteArray).
class PropertyList
{
public:
    // None when the value holds a type that a property list cannot (or a dictionary key is empty).
    static std::optional<QByteArray> toXml(const QVariant &value);
    // None when the bytes are not a well-formed property list.
    static std::optional<QVariant> fromXml(const QByteArray &xml);
};
