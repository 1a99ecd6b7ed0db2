#include "ServiceRequest.h"

QByteArray ServiceRequest::header(const QByteArray &name) const
{
    for (const auto &[key, value] : headers) {
        if (key.compare(name, Qt::CaseInsensitive) == 0)
            return value;
    }
    return {};
}

QString ServiceRequest::parameter(const QString &name) const
{
    if (!query.hasQueryItem(name))
        return {};
    return query.queryItemValue(name, QUrl::FullyDecoded);
}

bool ServiceRequest::hasParameter(const QString &name) const
{
    return query.hasQueryItem(name);
}

QString ServiceRequest::formValue(const QString &name) const
{
    if (header("Content-Type").startsWith("application/x-www-form-urlencoded")) {
        QByteArray form = body;
        form.replace('+', ' ');
        const QUrlQuery fields(QString::fromUtf8(form));
        if (fields.hasQueryItem(name))
            return fields.queryItemValue(name, QUrl::FullyDecoded);
    }
    return parameter(name);
}

QString ServiceRequest::requestLine() const
{
    return QString::fromLatin1(method) + QLatin1Char(' ') + path;
}
