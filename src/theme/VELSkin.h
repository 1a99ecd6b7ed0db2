#pragma once

#include "VELSkinKeys.h"

#include <QColor>
#include <QFont>
#include <QHash>
#include <QImage>
#include <QString>
#include <QStringList>

#include <optional>

// The theme: every picture, colour and font of the screens, looked up by key. Colours and fonts
// are made once; pictures are drawn on first use and kept until a memory warning drops them.
class VELSkin
{
public:
    virtual ~VELSkin() = default;

    // None for a key without an entry.
    std::optional<QColor> colorWithKey(const QString &key) const;
    std::optional<QFont> fontWithKey(const QString &key) const;
    // A null image for a key without an entry or a picture that cannot be drawn.
    QImage imageWithKey(const QString &key);
    // The picture's file name for a key, or a null string.
    QString imageFileWithKey(const QString &key) const { return m_imagesDic.value(key); }
    QStringList imageKeys() const { return m_imagesDic.keys(); }
    void didReceiveMemoryWarning();
    int cachedImageCount() const { return m_imagesCache ? int(m_imagesCache->size()) : 0; }

    // Pixels per point for the pictures (the screen's, 2 without a screen).
    void setDevicePixelRatio(qreal ratio) { m_devicePixelRatio = ratio; }

protected:
    QHash<QString, QString> m_imagesDic;
    QHash<QString, QColor> m_colorsDic;
    QHash<QString, QFont> m_fontsDic;

private:
    std::optional<QHash<QString, QImage>> m_imagesCache;
    qreal m_devicePixelRatio = 0;
};

// The application's theme.
class VELDefaultSkin : public VELSkin
{
public:
    VELDefaultSkin();
};
