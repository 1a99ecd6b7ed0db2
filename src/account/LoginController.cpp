#include "LoginController.h"

#include "api/VELHosts.h"
#include "api/VELOAuthStore.h"
#include "api/VELService.h"
#include "platform/LocalizedStrings.h"
#include "platform/NotificationCenter.h"
#include "platform/PushNotifications.h"
#include "platform/Reachability.h"
#include "shell/Animator.h"
#include "shell/TabBarController.h"
#include "stat/VELEventLogger.h"
#include "storage/VELSettings.h"
#include "theme/VELSkinKeys.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QLocale>
#include <QUrl>

namespace {

QString ls(const char *key)
{
    return LocalizedStrings::text(key);
}

} // namespace

const QStringList &LoginController::elementsArray()
{
    // The four most used first, the service's own last.
    static const QStringList domains = {
        "163.com",      "qq.com",       "126.com",     "sina.com",    "sina.cn",
        "vip.163.com",  "vip.126.com",  "vip.qq.com",  "vip.sina.com", "sohu.com",
        "vip.sohu.com", "yeah.net",     "139.com",     "189.cn",      "wo.cn",
        "21cn.com",     "tom.com",      "aliyun.com",  "foxmail.com", "sina.com.cn",
        "188.com",      "263.net",      "hotmail.com", "outlook.com", "gmail.com",
        "yahoo.com",    "yahoo.com.cn", "yahoo.cn",    "live.com",    "live.cn",
        "msn.com",      "icloud.com",   "me.com",      "aol.com",     "mail.com",
        "velari.com",
    };
    return domains;
}

QString LoginController::registrationUrl()
{
    return QUrl(VELHosts::webBaseUrlString()
                + QStringLiteral("/accounts/app/main?schema=velarilocation&app_name=Lunaro"))
            .toString(QUrl::FullyEncoded);
}

bool LoginController::isValidAccount(const QString &account)
{
    if (account.isEmpty())
        return false;
    bool number = false;
    QLocale().toDouble(account, &number);
    if (number)
        return true; // a phone number
    const qsizetype at = account.indexOf(QLatin1Char('@'));
    return at > 0 && at < account.size() - 1;
}

LoginController *LoginController::showModal(TabBarController *parent, const QString &loginName,
                                            bool backToHot)
{
    auto *login = new LoginController;
    login->m_parent = parent;
    login->m_backToHot = backToHot;
    // The name the user is about to log in with: the saved one, or the account just activated.
    login->setAccount(loginName);
    if (parent)
        parent->presentModal(login);
    return login;
}

LoginController *LoginController::showModal(TabBarController *parent, bool backToHot)
{
    return showModal(parent, VELSettings::sharedInstance().username(), backToHot);
}

LoginController::LoginController(QObject *parent)
    : EVBaseViewController(QUrl(QStringLiteral("qrc:/Velari/Account/LoginView.qml")), parent)
{
    addLeftButtonWithImage(kImageNavbarCancelButtonKey, [this] { dismissLoginController(); });
}

LoginController::~LoginController()
{
    VELOAuthService &oauth = VELOAuthService::sharedInstance();
    if (oauth.delegate() == this)
        oauth.setDelegate(nullptr);
}

void LoginController::setAccount(const QString &account)
{
    if (account == m_account)
        return;
    m_account = account;
    emit accountChanged();
}

void LoginController::setPassword(const QString &password)
{
    if (password == m_password)
        return;
    m_password = password;
    emit passwordChanged();
}

QString LoginController::registerTitle() const
{
    return QStringLiteral("还没有Velari账号？立即注册 >");
}

QStringList LoginController::suggestions() const
{
    const QString name = m_account.section(QLatin1Char('@'), 0, 0);
    QStringList rows;
    for (const QString &domain : m_autoComplete)
        rows.append(name + QLatin1Char('@') + domain);
    return rows;
}

int LoginController::suggestionRows() const
{
    return int(std::clamp<qsizetype>(m_autoComplete.size(), 1, 3));
}

void LoginController::setSuggestionsVisible(bool visible)
{
    m_suggestionsVisible = visible;
    emit suggestionsChanged();
}

void LoginController::setFocusedField(Field field)
{
    if (field == m_focused)
        return;
    m_focused = field;
    emit focusedFieldChanged();
}

void LoginController::accountEdited(const QString &text)
{
    setAccount(text);
    const QStringList pieces = text.split(QLatin1Char('@'));
    if (pieces.size() >= 2)
        searchDomains(pieces.at(1));
}

void LoginController::searchDomains(const QString &piece)
{
    m_autoComplete.clear();
    if (piece.isEmpty()) {
        m_autoComplete = elementsArray().mid(0, 4);
    } else {
        for (const QString &domain : elementsArray()) {
            if (domain.contains(piece.toLower()) || domain.contains(piece.toUpper()))
                m_autoComplete.append(domain);
        }
    }
    setSuggestionsVisible(!m_autoComplete.isEmpty());
}

void LoginController::chooseSuggestion(int row)
{
    const QStringList rows = suggestions();
    if (row < 0 || row >= rows.size())
        return;
    setAccount(rows.at(row));
    setFocusedField(Field::Password);
    setSuggestionsVisible(false);
}

void LoginController::accountReturned()
{
    setSuggestionsVisible(false);
    setFocusedField(Field::Password);
}

void LoginController::backgroundTouched()
{
    setFocusedField(Field::None);
    setSuggestionsVisible(false);
}

std::optional<QString> LoginController::validLoginInputFormatData() const
{
    if (!isValidAccount(m_account))
        return QStringLiteral("lsLocaleErrorLoginNeedEmailOrPhone");
    if (m_password.isEmpty())
        return QStringLiteral("lsLocaleErrorLoginNoPassword");
    if (m_password.size() < 4)
        return QStringLiteral("lsLocaleErrorLoginPasswordInvalid");
    return std::nullopt;
}

void LoginController::login()
{
    if (const auto refusal = validLoginInputFormatData()) {
        if (m_parent)
            m_parent->presentAlert(VELAlert::alert(ls("lsLocaleErrorLoginFailTitle"),
                                                   LocalizedStrings::text(refusal->toLatin1().constData()),
                                                   QString(), { QStringLiteral("OK") }, {}));
        return;
    }
    if (!Reachability::sharedInstance().isReachable()) {
        showErrorWithStatus(ls("lsConnectionFailureError"));
        return;
    }
    startLoadingWithStatus(ls("lsLocalePromptLogining"));
    const VELService &service = VELService::sharedInstance();
    VELOAuthService &oauth = VELOAuthService::sharedInstance();
    oauth.setClientId(service.clientId());
    oauth.setClientSecret(service.clientSecret());
    oauth.setDelegate(this);
    oauth.setAuthorizationURL(VELHosts::tokenURL());
    oauth.setCallbackURL(VELHosts::callbackURL());
    oauth.validateUsername(m_account, m_password);
}

void LoginController::OAuthClientDidAcquireSuccessDictionary(VELOAuthService *, const QJsonObject &)
{
    stopLoading();
    VELService &service = VELService::sharedInstance();
    service.setApiBaseUrlString(VELHosts::apiBaseUrlString(true));
    VELSettings::sharedInstance().setUsername(m_account);
    if (service.isValid()) {
        VELOAuthStore &store = VELOAuthStore::sharedInstance();
        VELEventLogger::setUserID(QString::number(store.userId()), store.accessToken());
    }
    PushNotifications::instance().requestRegistration();
    dismiss(true);
}

void LoginController::OAuthClientDidFailWithError(VELOAuthService *, const VELError &error)
{
    handleError(error);
}

void LoginController::dismissLoginController()
{
    if (m_backToHot && m_parent)
        m_parent->setSelectedIndex(0);
    dismiss(false);
}

void LoginController::dismiss(bool loggedIn)
{
    VELOAuthService &oauth = VELOAuthService::sharedInstance();
    if (oauth.delegate() == this)
        oauth.setDelegate(nullptr);
    TabBarController *parent = m_parent;
    if (parent && parent->modalController() && parent->modalController()->rootController() == this)
        parent->dismissModal(); // this screen goes with its stack
    if (loggedIn) {
        // Whoever waited hears of it once the screen is gone.
        Animator::after(kDismissMilliseconds, parent ? static_cast<QObject *>(parent) : qApp, [] {
            NotificationCenter::defaultCenter().postNotification(kNotificationLoginFinishedKey);
        });
    }
}

void LoginController::userRegister()
{
    // The in-app web screen takes this over when it lands.
    QDesktopServices::openUrl(QUrl(registrationUrl()));
}
