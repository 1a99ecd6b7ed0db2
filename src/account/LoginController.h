#pragma once

#include "api/VELOAuthService.h"
#include "shell/EVBaseViewController.h"

#include <QPointer>
#include <QStringList>

class TabBarController;

// Logs the user into the service with his e-mail address or phone number and password, helps
// with the e-mail domain, and links to the registration page. Always shown modally.
class LoginController : public EVBaseViewController, public VELOAuthServiceDelegate
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Shown with LoginController::showModal")
    Q_PROPERTY(QString account READ account WRITE setAccount NOTIFY accountChanged)
    Q_PROPERTY(QString password READ password WRITE setPassword NOTIFY passwordChanged)
    Q_PROPERTY(QStringList suggestions READ suggestions NOTIFY suggestionsChanged)
    Q_PROPERTY(bool suggestionsVisible READ suggestionsVisible NOTIFY suggestionsChanged)
    Q_PROPERTY(int suggestionRows READ suggestionRows NOTIFY suggestionsChanged)
    Q_PROPERTY(Field focusedField READ focusedField NOTIFY focusedFieldChanged)
    Q_PROPERTY(QString registerTitle READ registerTitle CONSTANT)

public:
    enum class Field { None, Account, Password };
    Q_ENUM(Field)

    static inline const QString kNotificationLoginFinishedKey =
            QStringLiteral("NotificationLoginFinishedKey");
    static constexpr int kDismissMilliseconds = 300;

    // Presents a new login screen in a navigation stack of its own over the tabs.
    static LoginController *showModal(TabBarController *parent, const QString &loginName,
                                      bool backToHot);
    // The form that passes the saved user name.
    static LoginController *showModal(TabBarController *parent, bool backToHot);

    static const QStringList &elementsArray();
    static QString registrationUrl();
    static bool isValidAccount(const QString &account);

    explicit LoginController(QObject *parent = nullptr);
    ~LoginController() override;

    QString account() const { return m_account; }
    void setAccount(const QString &account);
    QString password() const { return m_password; }
    void setPassword(const QString &password);
    bool isBackToHotWhenDismiss() const { return m_backToHot; }

    QStringList suggestions() const;
    QStringList autoCompleteArray() const { return m_autoComplete; }
    bool suggestionsVisible() const { return m_suggestionsVisible; }
    int suggestionRows() const;
    Field focusedField() const { return m_focused; }
    QString registerTitle() const;

    // The account field changed to `text` (every change is accepted).
    Q_INVOKABLE void accountEdited(const QString &text);
    Q_INVOKABLE void chooseSuggestion(int row);
    Q_INVOKABLE void accountReturned();
    Q_INVOKABLE void backgroundTouched();
    Q_INVOKABLE void login();
    Q_INVOKABLE void dismissLoginController();
    Q_INVOKABLE void userRegister();

    // The first failed check's message key, or none.
    std::optional<QString> validLoginInputFormatData() const;

signals:
    void accountChanged();
    void passwordChanged();
    void suggestionsChanged();
    void focusedFieldChanged();

private:
    void OAuthClientDidAcquireSuccessDictionary(VELOAuthService *client,
                                                const QJsonObject &reply) override;
    void OAuthClientDidFailWithError(VELOAuthService *client, const VELError &error) override;
    void searchDomains(const QString &piece);
    void setSuggestionsVisible(bool visible);
    void setFocusedField(Field field);
    void dismiss(bool loggedIn);

    QPointer<TabBarController> m_parent;
    bool m_backToHot = false;
    QString m_account;
    QString m_password;
    QStringList m_autoComplete;
    bool m_suggestionsVisible = false;
    Field m_focused = Field::Account;
};
