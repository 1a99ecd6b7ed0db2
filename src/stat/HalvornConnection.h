#pragma once

#include "api/VELHttpRequest.h"

#include <QVariantMap>

#include <functional>
#include <memory>
#include <optional>

// The statistics library's HTTP exchange, over the application's one HTTP client: GET or POST
// with a 20-second time-out, no caches, synchronous on the calling thread or asynchronous on the
// main thread. A transport failure or a status outside 2xx fails (a status above 300 as an error
// of the library's HTTP domain with the status as code).
class HalvornConnection : public std::enable_shared_from_this<HalvornConnection>
{
public:
    using Callback = std::function<void(HalvornConnection &)>;

    // Escapes everything but ASCII letters, digits and "-", ".", "_", "~".
    static QString URLEncoded(const QString &text);

    void get(const QString &url, const QVariantMap &queryParams, bool async, Callback succeed,
             Callback failure);
    void post(const QString &url, const std::optional<QString> &body, bool async, Callback succeed,
              Callback failure);
    // A prepared request (method, headers, body set). An asynchronous exchange keeps the
    // connection alive until it ends, so asynchronous callers must hold it by shared pointer.
    void sendRequeset(const VELHttpRequest::Ptr &request, bool async, Callback succeed,
                      Callback failure);

    QString requestURL() const { return m_requestURL; }
    QByteArray buf() const { return m_buf; }
    int statusCode() const { return m_status; }
    std::optional<VELError> error() const { return m_error; }
    QString fecthResponseString() const { return QString::fromUtf8(m_buf); }

private:
    void finish(VELHttpRequest &request);

    QString m_requestURL;
    QByteArray m_buf;
    int m_status = 0;
    std::optional<VELError> m_error;
    Callback m_succeed;
    Callback m_failure;
};
