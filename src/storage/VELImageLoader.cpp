#include "VELImageLoader.h"

#include "VELImageCache.h"

#include "api/VELService.h"
#include "platform/SharedInstances.h"

VELImageLoader &VELImageLoader::sharedInstance()
{
    return SharedInstance<VELImageLoader>::get();
}

void VELImageLoader::load(const QString &url, Completion completion)
{
    auto waiting = m_waiting.find(url);
    if (waiting != m_waiting.end()) {
        waiting->push_back(std::move(completion));
        return;
    }
    m_waiting[url].push_back(std::move(completion));
    // Looked up again when the reply comes: the loader may have been replaced meanwhile.
    auto request = VELHttpRequest::requestWithURL(QUrl(url), [url](VELHttpRequest &reply) {
        sharedInstance().finish(url, reply.responseData(),
                                reply.responseHeader("Content-Length").toLongLong());
    });
    VELService::sharedInstance().addRequest(request);
}

void VELImageLoader::finish(const QString &url, const QByteArray &bytes, qint64 contentLength)
{
    const QImage image = QImage::fromData(bytes);
    // Only a picture that arrived whole is kept; a truncated one shows this once.
    if (!image.isNull() && contentLength == bytes.size())
        VELImageCache::sharedInstance().store(url, image, bytes);
    const std::vector<Completion> completions = m_waiting.take(url);
    for (const Completion &done : completions)
        done(image);
}
