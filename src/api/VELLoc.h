#pragma once

#include "VELObject.h"

// A city or a district. Two are equal when their identifiers are.
class VELLoc : public VELObject
{
    Q_OBJECT

public:
    using VELObject::VELObject;
    VEL_RECORD_FACTORIES(VELLoc)

    QString identifier() const { return text(u"id"); }
    void setIdentifier(const QString &value) { setText(QStringLiteral("id"), value); }
    QString parent() const { return text(u"parent"); }
    void setParent(const QString &value) { setText(QStringLiteral("parent"), value); }
    QString name() const { return text(u"name"); }
    void setName(const QString &value) { setText(QStringLiteral("name"), value); }
    QString uid() const { return text(u"uid"); }
    void setUid(const QString &value) { setText(QStringLiteral("uid"), value); }
    bool isHabitable() const { return boolean(u"habitable"); }
    void setIsHabitable(bool value) { setValue(QStringLiteral("habitable"), value ? 1 : 0); }

    bool operator==(const VELLoc &other) const { return identifier() == other.identifier(); }
};

inline size_t qHash(const VELLoc &loc, size_t seed = 0)
{
    return qHash(loc.identifier(), seed);
}

using VELLocPtr = std::shared_ptr<VELLoc>;
