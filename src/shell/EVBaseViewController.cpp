#include "EVBaseViewController.h"

#include "Animator.h"
#include "EVControllerFactory.h"

#include "api/VELHttpRequest.h"
#include "platform/LocalizedStrings.h"
#include "storage/AppContext.h"

namespace {

VELSkin *g_skin = nullptr;
std::function<void()> g_invalidateSina;

QString ls(const char *key)
{
    return LocalizedStrings::text(key);
}

} // namespace

EVBaseViewController::EVBaseViewController(const QUrl &viewSource, QObject *parent)
    : QObject(parent), m_viewSource(viewSource)
{
}

VELSkin *EVBaseViewController::skin()
{
    return g_skin;
}

void EVBaseViewController::setSkin(VELSkin *skin)
{
    g_skin = skin;
}

void EVBaseViewController::setTitle(const QString &title)
{
    if (title == m_title)
        return;
    m_title = title;
    emit titleChanged();
}

void EVBaseViewController::setOverlay(OverlayState state, const QString &text)
{
    m_overlayState = state;
    m_overlayText = text;
    ++m_overlayGeneration;
    emit overlayChanged();
    if (state == OverlayState::Success || state == OverlayState::Error) {
        const int generation = m_overlayGeneration;
        Animator::after(kStatusMilliseconds, this, [this, generation] {
            if (generation == m_overlayGeneration)
                setOverlay(OverlayState::Hidden, QString());
        });
    }
}

void EVBaseViewController::startLoading()
{
    setOverlay(OverlayState::Loading, ls("lsLoading"));
}

void EVBaseViewController::startLoadingWithStatus(const QString &text)
{
    setOverlay(OverlayState::Loading, text);
}

void EVBaseViewController::stopLoading()
{
    setOverlay(OverlayState::Hidden, QString());
}

void EVBaseViewController::showErrorWithStatus(const QString &text)
{
    setOverlay(OverlayState::Error, text);
}

void EVBaseViewController::showSuccessWithStatus(const QString &text)
{
    setOverlay(OverlayState::Success, text);
}

void EVBaseViewController::handleError(const std::optional<VELError> &error)
{
    if (!error)
        return;
    const QString &domain = error->domain;
    const int code = error->code;
    const char *message = "lsUnknowError";
    if (domain == kLocationErrorDomain) {
        message = code == 1 ? "lsCLErrorDenied" : code == 2 ? "lsCLErrorNetwork" : "lsCLErrorUnknowLocation";
    } else if (domain == VELHttpRequest::kErrorDomain) {
        if (code == 3)
            return showLoginControllerBackToHotWhenDismiss(false);
        message = code == 2 ? "lsRequestTimedOutError" : code == 1 ? "lsConnectionFailureError" : "lsHttpError";
    } else if (domain == VELHttpRequest::kOAuthErrorDomain) {
        switch (code) {
        case 103: case 106: case 108: case 109: case 119: case 123:
            return showLoginControllerBackToHotWhenDismiss(false);
        case 107: message = "lsOAuthErrorInvalidRequestUri"; break;
        case 120: message = "lsOAuthErrorUsernamePasswordMismatch"; break;
        case 121: message = "lsOAuthErrorInvalidUser"; break;
        case 122: message = "lsOAuthErrorUserHasBlocked"; break;
        default: message = "lsOAuthError";
        }
    } else if (domain == kSinaErrorDomain) {
        if (code == 21315 || code == 21327 || code == 21332) {
            if (g_invalidateSina)
                g_invalidateSina();
            message = "lsSinaweiboKeyExpired";
        }
    } else if (domain == VELHttpRequest::kVelariErrorDomain) {
        message = "lsOtherError";
    }
    showErrorWithStatus(ls(message));
}

void EVBaseViewController::showLoginControllerBackToHotWhenDismiss(bool backToHot)
{
    EVControllerFactory::popLogoutControllerWithParentController(nullptr, backToHot);
}

void EVBaseViewController::setSinaCredentialInvalidator(std::function<void()> invalidate)
{
    g_invalidateSina = std::move(invalidate);
}

bool EVBaseViewController::checkGPSAvailable()
{
    const AppContext &context = AppContext::sharedInstance();
    if (context.latitude() > 0.000001f && context.longitude() > 0.000001f)
        return true;
    showErrorWithStatus(ls("lsCLErrorDenied"));
    return false;
}

void EVBaseViewController::showLoadResultCount(int count, int yOffset)
{
    m_bannerText = QStringLiteral("%1 %2").arg(count).arg(ls("lsEventCount"));
    m_bannerY = yOffset;
    m_bannerVisible = true;
    m_bannerFading = false;
    const int generation = ++m_bannerGeneration;
    emit bannerChanged();
    // Shown for two seconds, then faded out and removed a moment later.
    Animator::after(kBannerShownMilliseconds, this, [this, generation] {
        if (generation != m_bannerGeneration)
            return;
        m_bannerFading = true;
        emit bannerChanged();
        Animator::after(kBannerRemovedMilliseconds, this, [this, generation] {
            if (generation != m_bannerGeneration)
                return;
            m_bannerVisible = false;
            m_bannerFading = false;
            emit bannerChanged();
        });
    });
}

void EVBaseViewController::showNoDataTip(const QString &text)
{
    m_noDataTipText = text;
    m_noDataTipVisible = true;
    emit noDataTipChanged();
}

void EVBaseViewController::hideNoDataTip()
{
    m_noDataTipVisible = false;
    emit noDataTipChanged();
}

void EVBaseViewController::addRightButtonWithTitle(const QString &title, std::function<void()> action)
{
    m_rightTitle = title;
    m_rightImage.clear();
    m_rightAction = std::move(action);
    emit rightButtonChanged();
}

void EVBaseViewController::addRightButtonWithImage(const QString &imageKey, std::function<void()> action)
{
    m_rightImage = imageKey;
    m_rightTitle.clear();
    m_rightAction = std::move(action);
    emit rightButtonChanged();
}

void EVBaseViewController::triggerRightButton()
{
    if (m_rightAction)
        m_rightAction();
}

void EVBaseViewController::addLeftButtonWithImage(const QString &imageKey, std::function<void()> action)
{
    m_leftImage = imageKey;
    m_leftAction = std::move(action);
    emit leftButtonChanged();
}

void EVBaseViewController::triggerLeftButton()
{
    if (m_leftAction)
        m_leftAction();
}
