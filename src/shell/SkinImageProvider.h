#pragma once

#include <QQuickImageProvider>

// "image://skin/<key>" in QML: the theme's picture for a key, e.g. "ImageBGNavbarKey".
class SkinImageProvider : public QQuickImageProvider
{
public:
    SkinImageProvider();
    QImage requestImage(const QString &id, QSize *size, const QSize &requestedSize) override;
};
