#pragma once

#include "VELEvent.h"
#include "VELObject.h"

// One bought ticket order.
class VELTicket : public VELObject
{
    Q_OBJECT

public:
    using VELObject::VELObject;
    VEL_RECORD_FACTORIES(VELTicket)

    QString identifier() const { return text(u"id"); }
    qint64 status() const { return integer(u"status"); }
    float originalPrice() const { return real(u"original_place"); }
    float price() const { return real(u"price"); }
    QString kindName() const { return text(u"kind_name"); }
    QString name() const { return text(u"name"); }
    QString beginTimeStr() const { return text(u"begin_time"); }
    QDateTime beginTime() const { return time(u"begin_time"); }
    QString endTimeStr() const { return text(u"end_time"); }
    QDateTime endTime() const { return time(u"end_time"); }
    QString code() const { return text(u"code"); }
    QString phone() const { return text(u"phone"); }
    qint64 num() const { return integer(u"num"); }
    VELEventPtr event() const { return record<VELEvent>(u"event"); }
};

using VELTicketPtr = std::shared_ptr<VELTicket>;
