#pragma once

#include <QFile>
#include <QString>

struct ServiceRequest;

// Appends one JSON line per request received, so that what a client sends can be read from
// outside: time, method, path, query (as sent), headers and body (UTF-8 text, or base64 when the
// bytes are not text).
class RequestLog
{
public:
    // False when the file cannot be opened for appending.
    bool open(const QString &path);
    bool isOpen() const { return m_file.isOpen(); }
    void append(const ServiceRequest &request, const QByteArray &encodedQuery);

private:
    QFile m_file;
};
