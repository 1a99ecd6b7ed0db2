#include "VELImageView.h"

#include "VELImageCache.h"
#include "VELImageLoader.h"

#include <QQuickWindow>
#include <QSGImageNode>

VELImageView::VELImageView(QQuickItem *parent) : QQuickItem(parent), m_fade(this, "opacity")
{
    setFlag(ItemHasContents);
    m_fade.setDuration(kFadeMilliseconds);
    m_fade.setStartValue(kFadeStartOpacity);
    m_fade.setEndValue(1.0);
    connect(&m_fade, &QAbstractAnimation::stateChanged, this, &VELImageView::fadingChanged);
}

void VELImageView::setImageUrl(const QString &url)
{
    if (url.isEmpty())
        return;
    m_imageUrl = url;
    emit imageUrlChanged();
    const QImage cached = VELImageCache::sharedInstance().image(url);
    if (!cached.isNull()) {
        setImage(cached);
        return;
    }
    QPointer<VELImageView> view(this);
    VELImageLoader::sharedInstance().load(url, [view, url](const QImage &image) {
        if (view)
            view->arrived(url, image);
    });
}

void VELImageView::arrived(const QString &url, const QImage &image)
{
    if (url != m_imageUrl)
        return; // a reply for a picture this view no longer shows
    if (!image.isNull())
        setImage(image);
    fadeIn();
}

void VELImageView::fadeIn()
{
    m_fade.stop();
    setOpacity(kFadeStartOpacity);
    m_fade.start();
}

bool VELImageView::isFading() const
{
    return m_fade.state() == QAbstractAnimation::Running;
}

void VELImageView::setPlaceholder(const QUrl &source)
{
    if (source == m_placeholder)
        return;
    m_placeholder = source;
    emit placeholderChanged();
    if (m_loaded)
        return;
    const QString path = source.scheme() == QLatin1String("qrc")
            ? QLatin1Char(':') + source.path()
            : source.toLocalFile();
    const QImage image(path);
    if (!image.isNull()) {
        m_image = image;
        m_textureDirty = true;
        emit imageChanged();
        update();
    }
}

void VELImageView::setFillMode(FillMode mode)
{
    if (mode == m_fillMode)
        return;
    m_fillMode = mode;
    emit fillModeChanged();
    update();
}

void VELImageView::setImage(const QImage &image)
{
    m_image = image;
    m_textureDirty = true;
    if (!m_loaded) {
        m_loaded = true;
        emit loadedChanged();
    }
    emit imageChanged();
    update();
}

QSGNode *VELImageView::updatePaintNode(QSGNode *old, UpdatePaintNodeData *)
{
    auto *node = static_cast<QSGImageNode *>(old);
    if (m_image.isNull() || width() <= 0 || height() <= 0) {
        delete node;
        return nullptr;
    }
    if (!node) {
        node = window()->createImageNode();
        node->setOwnsTexture(true);
        m_textureDirty = true;
    }
    if (m_textureDirty) {
        node->setTexture(window()->createTextureFromImage(m_image));
        m_textureDirty = false;
    }
    node->setFiltering(QSGTexture::Linear);
    const QSizeF box = size();
    const QSizeF picture = m_image.size();
    QRectF target(QPointF(0, 0), box);
    QRectF source(QPointF(0, 0), picture);
    if (m_fillMode == PreserveAspectFit) {
        const QSizeF fitted = picture.scaled(box, Qt::KeepAspectRatio);
        target = QRectF(QPointF((box.width() - fitted.width()) / 2,
                                (box.height() - fitted.height()) / 2),
                        fitted);
    } else if (m_fillMode == PreserveAspectCrop) {
        const QSizeF cropped = box.scaled(picture, Qt::KeepAspectRatio);
        source = QRectF(QPointF((picture.width() - cropped.width()) / 2,
                                (picture.height() - cropped.height()) / 2),
                        cropped);
    }
    node->setRect(target);
    node->setSourceRect(source);
    return node;
}
