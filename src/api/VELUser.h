#pragma once

#include "VELObject.h"

class VELUser : public VELObject
{
    Q_OBJECT

public:
    using VELObject::VELObject;
    VEL_RECORD_FACTORIES(VELUser)

    QString identifier() const { return text(u"id"); }
    QString avatar() const { return text(u"avatar"); }
    QString alt() const { return text(u"alt"); }
    QString name() const { return text(u"name"); }
    QString signature() const { return text(u"signature"); }
    QString uid() const { return text(u"uid"); }
    QString desc() const { return text(u"desc"); }
    QString locId() const { return text(u"loc_id"); }
    QString locName() const { return text(u"loc_name"); }
};

using VELUserPtr = std::shared_ptr<VELUser>;
