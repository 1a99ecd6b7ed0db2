#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QVariantList>
#include <QVariantMap>

#include <optional>

// The pieces of an upload: the JSON payload of events, and the multipart body that carries it.
class VELStatUpload
{
public:
    struct Identity
    {
        QString appName;
        QString apikey;
        QString channel;
        QString userid;
        QString md5Token;
        QString networkName;
    };

    // {"logs": [{"ai": ..., "di": ..., "ets": events}]}
    static QVariantMap events2Dictionary(const QVariantList &events, const Identity &identity);
    static QVariantMap extraInfoWithIdentity(const Identity &identity, const QString &crashIdentity);
    // "app_name", "apikey", and "userid" / "token" when set.
    static QVariantMap requestParams(const Identity &identity);
    static QString jsonText(const QVariant &value);

    static QByteArray newBoundary();
    // The body byte for byte: CR LF, then per field and the file part a boundary line, headers
    // and content, then the closing boundary.
    static QByteArray multipartBody(const QByteArray &boundary, const QVariantMap &fields,
                                    const std::optional<QByteArray> &gzipData);
};
