#pragma once

#include "api/VELObject.h"
#include "foundation/VELError.h"

#include <QObject>
#include <QUrl>
#include <QVariantMap>
#include <QtQml/qqmlregistration.h>

#include <memory>
#include <optional>

class VELSkin;

Q_DECLARE_METATYPE(std::shared_ptr<VELObject>)

// What every screen has: its inputs (the context), its title and right button, the loading
// overlay, the count banner, the empty-list tip, the location check and the one error handler.
// The QML view named by `viewSource` draws this state.
class EVBaseViewController : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Screens are made by the screen factory")
    Q_PROPERTY(QString title READ title WRITE setTitle NOTIFY titleChanged)
    Q_PROPERTY(QUrl viewSource READ viewSource CONSTANT)
    Q_PROPERTY(OverlayState overlayState READ overlayState NOTIFY overlayChanged)
    Q_PROPERTY(QString overlayText READ overlayText NOTIFY overlayChanged)
    Q_PROPERTY(bool bannerVisible READ bannerVisible NOTIFY bannerChanged)
    Q_PROPERTY(bool bannerFading READ bannerFading NOTIFY bannerChanged)
    Q_PROPERTY(QString bannerText READ bannerText NOTIFY bannerChanged)
    Q_PROPERTY(int bannerY READ bannerY NOTIFY bannerChanged)
    Q_PROPERTY(bool noDataTipVisible READ noDataTipVisible NOTIFY noDataTipChanged)
    Q_PROPERTY(QString noDataTipText READ noDataTipText NOTIFY noDataTipChanged)
    Q_PROPERTY(QString rightButtonTitle READ rightButtonTitle NOTIFY rightButtonChanged)
    Q_PROPERTY(QString rightButtonImage READ rightButtonImage NOTIFY rightButtonChanged)
    Q_PROPERTY(QString leftButtonImage READ leftButtonImage NOTIFY leftButtonChanged)

public:
    enum class OverlayState { Hidden, Loading, Success, Error };
    Q_ENUM(OverlayState)

    static inline const QString kContextEventKey = QStringLiteral("ContextEventKey");
    static inline const QString kContextTicketKey = QStringLiteral("ContextTicketKey");
    static inline const QString kContextUserIdKey = QStringLiteral("ContextUserIdKey");
    static inline const QString kContextInvitedPersonsKey = QStringLiteral("kContextInvitedPersonsKey");
    // The platform's location errors.
    static inline const QString kLocationErrorDomain = QStringLiteral("kCLErrorDomain");
    static inline const QString kSinaErrorDomain = QStringLiteral("SinaweiboSharingRequestErrorDomain");

    // How long the overlay's success and error states stay, and the banner's timings.
    static constexpr int kStatusMilliseconds = 1500;
    static constexpr int kBannerShownMilliseconds = 2000;
    static constexpr int kBannerRemovedMilliseconds = 1500;

    explicit EVBaseViewController(const QUrl &viewSource = QUrl(QStringLiteral("qrc:/Velari/Shell/BaseScreenView.qml")),
                                  QObject *parent = nullptr);

    QVariantMap context() const { return m_context; }
    void setContext(const QVariantMap &context) { m_context = context; }
    template<typename T>
    std::shared_ptr<T> contextRecord(const QString &key) const
    {
        return std::dynamic_pointer_cast<T>(
                m_context.value(key).value<std::shared_ptr<VELObject>>());
    }
    static QVariant record(const std::shared_ptr<VELObject> &object)
    {
        return QVariant::fromValue(object);
    }

    // The theme every screen draws with (set once by the application).
    static VELSkin *skin();
    static void setSkin(VELSkin *skin);

    QString title() const { return m_title; }
    void setTitle(const QString &title);
    QUrl viewSource() const { return m_viewSource; }

    void startLoading();
    void startLoadingWithStatus(const QString &text);
    void stopLoading();
    void showErrorWithStatus(const QString &text);
    void showSuccessWithStatus(const QString &text);
    OverlayState overlayState() const { return m_overlayState; }
    QString overlayText() const { return m_overlayText; }

    // The one place where errors become messages, or the login screen.
    void handleError(const std::optional<VELError> &error);
    static void showLoginControllerBackToHotWhenDismiss(bool backToHot);
    // Who forgets the stored Sina Weibo credential when Sina says it is no longer valid.
    static void setSinaCredentialInvalidator(std::function<void()> invalidate);

    bool checkGPSAvailable();

    void showLoadResultCount(int count, int yOffset);
    bool bannerVisible() const { return m_bannerVisible; }
    bool bannerFading() const { return m_bannerFading; }
    QString bannerText() const { return m_bannerText; }
    int bannerY() const { return m_bannerY; }

    // The empty-list tip; its reload button runs loadData().
    void showNoDataTip(const QString &text);
    void hideNoDataTip();
    bool noDataTipVisible() const { return m_noDataTipVisible; }
    QString noDataTipText() const { return m_noDataTipText; }
    Q_INVOKABLE void reloadFromNoDataTip() { loadData(); }

    void addRightButtonWithTitle(const QString &title, std::function<void()> action);
    void addRightButtonWithImage(const QString &imageKey, std::function<void()> action);
    QString rightButtonTitle() const { return m_rightTitle; }
    QString rightButtonImage() const { return m_rightImage; }
    Q_INVOKABLE void triggerRightButton();
    // A left button in place of the back button (the cancel of a modal screen).
    void addLeftButtonWithImage(const QString &imageKey, std::function<void()> action);
    QString leftButtonImage() const { return m_leftImage; }
    Q_INVOKABLE void triggerLeftButton();

    virtual void loadData() { }
    virtual void updateUI() { }
    virtual void scrollingToTop() { }

signals:
    void titleChanged();
    void overlayChanged();
    void bannerChanged();
    void noDataTipChanged();
    void rightButtonChanged();
    void leftButtonChanged();

private:
    void setOverlay(OverlayState state, const QString &text);

    QVariantMap m_context;
    QString m_title;
    QUrl m_viewSource;
    OverlayState m_overlayState = OverlayState::Hidden;
    QString m_overlayText;
    int m_overlayGeneration = 0;
    bool m_bannerVisible = false;
    bool m_bannerFading = false;
    QString m_bannerText;
    int m_bannerY = 0;
    int m_bannerGeneration = 0;
    bool m_noDataTipVisible = false;
    QString m_noDataTipText;
    QString m_rightTitle;
    QString m_rightImage;
    std::function<void()> m_rightAction;
    QString m_leftImage;
    std::function<void()> m_leftAction;
};
