#include "VELImageUtils.h"

#include <QUrl>

QString VELImageUtils::imageURL(const QString &url, const QString &word)
{
    const QString path = QUrl(url).path();
    QString result = url;
    // When the path holds several size words, the last of this order decides.
    for (const char *size : { "picon", "median", "large", "raw" }) {
        if (path.contains(QLatin1String(size)))
            result = QString(url).replace(QLatin1String(size), word);
    }
    return result;
}

QString VELImageUtils::tinyImageURL(const QString &url)
{
    return imageURL(url, QStringLiteral("sicon"));
}

QString VELImageUtils::smallImageURL(const QString &url)
{
    return imageURL(url, QStringLiteral("picon"));
}

QString VELImageUtils::largeImageURL(const QString &url)
{
    return imageURL(url, QStringLiteral("large"));
}

QString VELImageUtils::hlargeImageURL(const QString &url)
{
    return imageURL(url, QStringLiteral("hlarge"));
}

QString VELImageUtils::lmobileImageURL(const QString &url)
{
    return imageURL(url, QStringLiteral("lmobile"));
}

QString VELImageUtils::rawImageURL(const QString &url)
{
    return imageURL(url, QStringLiteral("raw"));
}

QString VELImageUtils::largeAvatarURL(const QString &url)
{
    const QUrl parsed(url);
    QString path = parsed.path();
    if (path.contains(QLatin1Char('u')))
        path.replace(QLatin1Char('u'), QLatin1String("ul"));
    else
        path.clear();
    return QStringLiteral("%1://%2%3").arg(parsed.scheme(), parsed.host(), path);
}
