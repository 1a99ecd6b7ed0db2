#pragma once

#include "VELObject.h"
#include "VELUser.h"

#include <QVariantList>

class VELEvent : public VELObject
{
    Q_OBJECT

public:
    using VELObject::VELObject;
    VEL_RECORD_FACTORIES(VELEvent)

    QString identifier() const { return text(u"id"); }
    QString alt() const { return text(u"alt"); }
    QString title() const { return text(u"title"); }
    QString content() const { return text(u"content"); }
    QString beginTimeStr() const { return text(u"begin_time"); }
    QDateTime beginTime() const { return time(u"begin_time"); }
    QString endTimeStr() const { return text(u"end_time"); }
    QDateTime endTime() const { return time(u"end_time"); }
    QString category() const { return text(u"category"); }
    QString categoryName() const;
    QString adaptUrl() const { return text(u"adapt_url"); }
    QString albumId() const { return text(u"album"); }
    qint64 participantCount() const { return integer(u"participant_count"); }
    qint64 wisherCount() const { return integer(u"wisher_count"); }
    QString locId() const { return text(u"loc_id"); }
    QString locName() const { return text(u"loc_name"); }
    QString address() const { return text(u"address"); }
    QString icon() const { return text(u"icon"); }
    QString image() const { return text(u"image"); }
    QString imageMobile() const { return text(u"image_lmobile"); }
    QString imageLarge() const { return text(u"image_hlarge"); }
    QString status() const { return text(u"status"); }
    void setStatus(const QString &status) { setText(QStringLiteral("status"), status); }
    QString participateDateStr() const { return text(u"participate_date"); }
    void setParticipateDateStr(const QString &day)
    {
        setText(QStringLiteral("participate_date"), day);
    }
    // Local midnight of the day the user goes.
    QDateTime participateDate() const;
    VELUserPtr owner() const { return record<VELUser>(u"owner"); }
    // "geo" holds latitude, a blank and longitude; anything else reads 0.
    float lat() const;
    float lng() const;
    QJsonArray photos() const { return dictionary().value(u"photos").toArray(); }

    static QString categoryName(const QString &category);
};

using VELEventPtr = std::shared_ptr<VELEvent>;
