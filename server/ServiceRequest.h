#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QUrlQuery>

// One request as the service's handlers see it.
struct ServiceRequest
{
    QByteArray method;
    QString path;
    QUrlQuery query;
    QList<QPair<QByteArray, QByteArray>> headers;
    QByteArray body;
    // Scheme, host and port as the client addressed us; picture URLs are written against it.
    QString baseUrl;
    // Filled by the router: the path's variable segments, and the caller.
    QStringList arguments;
    qint64 userId = 0;
    QString clientId;

    QByteArray header(const QByteArray &name) const;
    // A query parameter, fully decoded; null when absent.
    QString parameter(const QString &name) const;
    bool hasParameter(const QString &name) const;
    // A field of an "application/x-www-form-urlencoded" body, else of the query.
    QString formValue(const QString &name) const;
    QString requestLine() const;
};
