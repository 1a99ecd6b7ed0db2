#include "RequestLog.h"

#include "ServiceRequest.h"

#include <QDateTime>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringDecoder>

bool RequestLog::open(const QString &path)
{
    m_file.setFileName(path);
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    // Bodies hold passwords and tokens as sent.
    m_file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    return true;
}

namespace {

bool isText(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return false;
    for (const QChar c : text) {
        if (c.unicode() < 0x20 && c != QLatin1Char('\n') && c != QLatin1Char('\r')
            && c != QLatin1Char('\t'))
            return false;
    }
    return true;
}

} // namespace

void RequestLog::append(const ServiceRequest &request, const QByteArray &encodedQuery)
{
    if (!m_file.isOpen())
        return;
    QJsonObject headers;
    for (const auto &[name, value] : request.headers) {
        const QString key = QString::fromLatin1(name);
        const QString text = QString::fromLatin1(value);
        headers.insert(key, headers.contains(key) ? headers.value(key).toString() + ", " + text
                                                  : text);
    }
    QJsonObject line { { "time", QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs) },
                       { "method", QString::fromLatin1(request.method) },
                       { "path", request.path },
                       { "query", QString::fromLatin1(encodedQuery) },
                       { "headers", headers } };
    if (isText(request.body)) {
        line.insert("body", QString::fromUtf8(request.body));
    } else {
        line.insert("body", QString::fromLatin1(request.body.toBase64()));
        line.insert("bodyEncoding", QStringLiteral("base64"));
    }
    m_file.write(QJsonDocument(line).toJson(QJsonDocument::Compact) + '\n');
    m_file.flush();
}
