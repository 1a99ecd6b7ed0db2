#pragma once

#include <QHash>
#include <QImage>
#include <QString>

#include <functional>
#include <vector>

// Fetches pictures through the API service's queue (signed, at most four at once with every other
// request) and caches the ones that arrived whole: the reply's "Content-Length" equals the bytes
// received. Several views asking for one URL share one request. Main thread.
class VELImageLoader
{
public:
    using Completion = std::function<void(const QImage &)>;

    static VELImageLoader &sharedInstance();

    // The completion gets the decoded picture, or a null image when none arrived.
    void load(const QString &url, Completion completion);
    int pendingCount() const { return int(m_waiting.size()); }

private:
    void finish(const QString &url, const QByteArray &bytes, qint64 contentLength);

    QHash<QString, std::vector<Completion>> m_waiting;
};
