#pragma once

#include <QImage>
#include <QString>

// Draws the sample pictures: every event's poster, every seeded photo and every avatar is its
// own picture, made from the record's id and text so that it is the same each time.
class PicturePainter
{
public:
    static QImage poster(qint64 eventId, int style, const QString &title, const QString &category,
                         const QString &when, const QSize &size);
    static QImage photo(qint64 photoId, const QSize &size);
    static QImage avatar(qint64 userId, const QString &name, const QSize &size);
};
