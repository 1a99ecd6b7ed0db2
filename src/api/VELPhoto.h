#pragma once

#include "VELObject.h"
#include "VELUser.h"

class VELPhoto : public VELObject
{
    Q_OBJECT

public:
    using VELObject::VELObject;
    VEL_RECORD_FACTORIES(VELPhoto)

    QString identifier() const { return text(u"id"); }
    QString alt() const { return text(u"alt"); }
    QString desc() const { return text(u"desc"); }
    QString privacy() const { return text(u"privacy"); }
    QString createTimeStr() const { return text(u"created"); }
    QDateTime createTime() const { return time(u"created"); }
    qint64 recsCount() const { return integer(u"recs_count"); }
    qint64 likedCount() const { return integer(u"liked_count"); }
    qint64 commentsCount() const { return integer(u"comments_count"); }
    void setCommentsCount(qint64 count) { setValue(QStringLiteral("comments_count"), count); }
    QString icon() const { return text(u"icon"); }
    QString thumb() const { return text(u"thumb"); }
    QString cover() const { return text(u"cover"); }
    QString image() const { return text(u"image"); }
    qint64 position() const { return integer(u"position"); }
    QString prevPhoto() const { return text(u"prev_photo"); }
    QString nextPhoto() const { return text(u"next_photo"); }
    VELUserPtr author() const { return record<VELUser>(u"author"); }
    bool liked() const { return boolean(u"liked"); }
    QString albumId() const { return text(u"album_id"); }
    QString albumTitle() const { return text(u"album_title"); }

    QSizeF imageSize() const { return imageSizeFor(QStringLiteral("image")); }
    QSizeF thumbSize() const { return imageSizeFor(QStringLiteral("thumb")); }
    QSizeF coverSize() const { return imageSizeFor(QStringLiteral("cover")); }
    QSizeF iconSize() const { return imageSizeFor(QStringLiteral("icon")); }
    // Width and height from "sizes"[variant]; (0, 0) when absent.
    QSizeF imageSizeFor(const QString &variant) const;
};

using VELPhotoPtr = std::shared_ptr<VELPhoto>;
