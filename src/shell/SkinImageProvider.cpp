#include "SkinImageProvider.h"

#include "EVBaseViewController.h"

#include "theme/VELSkin.h"

SkinImageProvider::SkinImageProvider() : QQuickImageProvider(QQuickImageProvider::Image) { }

QImage SkinImageProvider::requestImage(const QString &id, QSize *size, const QSize &requestedSize)
{
    VELSkin *skin = EVBaseViewController::skin();
    QImage image = skin ? skin->imageWithKey(id) : QImage();
    if (!image.isNull() && requestedSize.isValid())
        image = image.scaled(requestedSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (size)
        *size = image.size();
    return image;
}
