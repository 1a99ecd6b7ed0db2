#include "VELEvent.h"

#include <QHash>

QString VELEvent::categoryName(const QString &category)
{
    static const QHash<QString, QString> names = {
        { QStringLiteral("drama"), QStringLiteral("戏剧/曲艺") },
        { QStringLiteral("music"), QStringLiteral("音乐/演出") },
        { QStringLiteral("exhibition"), QStringLiteral("展览") },
        { QStringLiteral("sports"), QStringLiteral("体育") },
        { QStringLiteral("party"), QStringLiteral("生活/聚会") },
        { QStringLiteral("commonweal"), QStringLiteral("公益") },
        { QStringLiteral("travel"), QStringLiteral("旅行") },
        { QStringLiteral("film"), QStringLiteral("电影") },
        { QStringLiteral("salon"), QStringLiteral("讲座/沙龙") },
    };
    return names.value(category, QStringLiteral("类型"));
}

QString VELEvent::categoryName() const
{
    return categoryName(category());
}

QDateTime VELEvent::participateDate() const
{
    return dateOfString(participateDateStr(), QStringLiteral("yyyy-MM-dd"));
}

namespace {

float coordinate(const QString &geo, int index)
{
    const QStringList parts = geo.split(u' ');
    return parts.size() == 2 ? parts.at(index).toFloat() : 0.0f;
}

} // namespace

float VELEvent::lat() const
{
    return coordinate(text(u"geo"), 0);
}

float VELEvent::lng() const
{
    return coordinate(text(u"geo"), 1);
}
