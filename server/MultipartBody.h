#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>

#include <optional>

// The parts of a "multipart/..." body (RFC 2046), with CR LF or bare LF line ends.
class MultipartBody
{
public:
    struct Part
    {
        QList<QPair<QByteArray, QByteArray>> headers;
        QByteArray body;
        QByteArray header(const QByteArray &name) const;
        // A parameter of "Content-Disposition", such as name="image".
        QByteArray dispositionParameter(const QByteArray &name) const;
    };

    // None when the content type names no boundary or the body has no closing delimiter.
    static std::optional<QList<Part>> parse(const QByteArray &contentType, const QByteArray &body);
    static QByteArray parameter(const QByteArray &headerValue, const QByteArray &name);
};
