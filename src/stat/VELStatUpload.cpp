#include "VELStatUpload.h"

#include "VELStatInfo.h"

#include <QJsonDocument>
#include <QRandomGenerator>

QVariantMap VELStatUpload::events2Dictionary(const QVariantList &events, const Identity &identity)
{
    QVariantMap ai = VELStatInfo::appInfo(identity.networkName);
    if (!identity.channel.isEmpty())
        ai.insert("ch", identity.channel);
    if (!identity.userid.isEmpty())
        ai.insert("ui", identity.userid);
    const QVariantMap log { { "ai", ai }, { "di", VELStatInfo::deviceInfo() }, { "ets", events } };
    return { { "logs", QVariantList { log } } };
}

QVariantMap VELStatUpload::extraInfoWithIdentity(const Identity &identity,
                                                 const QString &crashIdentity)
{
    QVariantMap info { { "ai", VELStatInfo::appInfo(identity.networkName) },
                       { "di", VELStatInfo::deviceInfo() },
                       { "content_type", QStringLiteral("crash_report") } };
    if (!crashIdentity.isEmpty())
        info.insert("crash_identity", crashIdentity);
    return info;
}

QVariantMap VELStatUpload::requestParams(const Identity &identity)
{
    QVariantMap fields { { "app_name", identity.appName }, { "apikey", identity.apikey } };
    if (!identity.userid.isEmpty())
        fields.insert("userid", identity.userid);
    if (!identity.md5Token.isEmpty())
        fields.insert("token", identity.md5Token);
    return fields;
}

QString VELStatUpload::jsonText(const QVariant &value)
{
    return QString::fromUtf8(QJsonDocument::fromVariant(value).toJson(QJsonDocument::Compact));
}

QByteArray VELStatUpload::newBoundary()
{
    QRandomGenerator *random = QRandomGenerator::global();
    return QStringLiteral("------%1__%2__%3")
            .arg(random->bounded(1 << 30))
            .arg(random->bounded(1 << 30))
            .arg(random->bounded(1 << 30))
            .toLatin1();
}

QByteArray VELStatUpload::multipartBody(const QByteArray &boundary, const QVariantMap &fields,
                                        const std::optional<QByteArray> &gzipData)
{
    QByteArray body;
    for (auto it = fields.cbegin(); it != fields.cend(); ++it) {
        body += "\r\n--" + boundary + "\r\n";
        body += "Content-Disposition: form-data; name=\"" + it.key().toUtf8() + "\"\r\n\r\n";
        body += it.value().toString().toUtf8();
    }
    if (gzipData) {
        body += "\r\n--" + boundary + "\r\n";
        body += "Content-Disposition: form-data; name=\"ziplogs\"; filename=\"ziplog.txt.gz\"\r\n";
        body += "Content-Type: application/octet-stream\r\n\r\n";
        body += *gzipData;
    }
    body += "\r\n--" + boundary + "--\r\n";
    return body;
}
