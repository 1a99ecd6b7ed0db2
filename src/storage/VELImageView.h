#pragma once

#include <QImage>
#include <QPointer>
#include <QPropertyAnimation>
#include <QQuickItem>
#include <QUrl>

// The picture item of every screen: shows the placeholder, then the picture at `imageUrl` —
// at once from the cache, else through the loader, fading in (opacity 0.1 → 1 over 0.4 s) when
// the reply comes, picture or not. Only the reply for the URL currently set is shown, so a view
// reused for another picture never ends up with the one it showed before.
class VELImageView : public QQuickItem
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QString imageUrl READ imageUrl WRITE setImageUrl NOTIFY imageUrlChanged)
    Q_PROPERTY(QUrl placeholder READ placeholder WRITE setPlaceholder NOTIFY placeholderChanged)
    Q_PROPERTY(FillMode fillMode READ fillMode WRITE setFillMode NOTIFY fillModeChanged)
    Q_PROPERTY(bool loaded READ isLoaded NOTIFY loadedChanged)
    Q_PROPERTY(bool fading READ isFading NOTIFY fadingChanged)
    Q_PROPERTY(QSize imageSize READ imageSize NOTIFY imageChanged)

public:
    enum FillMode { Stretch, PreserveAspectFit, PreserveAspectCrop };
    Q_ENUM(FillMode)

    static constexpr int kFadeMilliseconds = 400;
    static constexpr qreal kFadeStartOpacity = 0.1;

    explicit VELImageView(QQuickItem *parent = nullptr);

    QString imageUrl() const { return m_imageUrl; }
    // An empty URL changes nothing.
    void setImageUrl(const QString &url);
    QUrl placeholder() const { return m_placeholder; }
    void setPlaceholder(const QUrl &source);
    FillMode fillMode() const { return m_fillMode; }
    void setFillMode(FillMode mode);

    QImage image() const { return m_image; }
    void setImage(const QImage &image);
    QSize imageSize() const { return m_image.size(); }
    bool isLoaded() const { return m_loaded; }
    bool isFading() const;

signals:
    void imageUrlChanged();
    void placeholderChanged();
    void fillModeChanged();
    void loadedChanged();
    void fadingChanged();
    void imageChanged();

protected:
    QSGNode *updatePaintNode(QSGNode *node, UpdatePaintNodeData *) override;

private:
    void arrived(const QString &url, const QImage &image);
    void fadeIn();

    QString m_imageUrl;
    QUrl m_placeholder;
    FillMode m_fillMode = PreserveAspectCrop;
    QImage m_image;
    bool m_loaded = false;
    bool m_textureDirty = false;
    QPropertyAnimation m_fade;
};
