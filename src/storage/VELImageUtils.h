#pragma once

#include <QString>

// Other size variants of a service picture URL.
class VELImageUtils
{
public:
    static QString tinyImageURL(const QString &url);
    static QString smallImageURL(const QString &url);
    static QString largeImageURL(const QString &url);
    static QString hlargeImageURL(const QString &url);
    static QString lmobileImageURL(const QString &url);
    static QString rawImageURL(const QString &url);
    static QString largeAvatarURL(const QString &url);

    // The URL with its size word replaced by `word` (see the variants above).
    static QString imageURL(const QString &url, const QString &word);
};
