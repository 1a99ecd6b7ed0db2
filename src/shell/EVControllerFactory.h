#pragma once

#include "EVBaseViewController.h"

#include <QHash>
#include <QString>

#include <functional>

class TabBarController;
class VELEvent;
class VELTicket;

// Makes every screen fresh and hands it its inputs in the context. Screens register how they
// are made as they join the application; a screen that is not there yet cannot be made (null).
class EVControllerFactory
{
public:
    using Builder = std::function<EVBaseViewController *()>;
    // Shows the login screen over the parent (the tab container when none is given).
    using LoginPresenter =
            std::function<void(TabBarController *parent, bool backToHot, const QString &loginName)>;

    static EVControllerFactory &sharedInstance();

    void registerScreen(const QString &operation, Builder builder);
    EVBaseViewController *make(const QString &operation, const QVariantMap &context = {}) const;

    EVBaseViewController *hotEventsController() const;
    EVBaseViewController *eventBrowseController() const;
    EVBaseViewController *myEventsController() const;
    EVBaseViewController *chooseCityController() const;
    EVBaseViewController *eventSearchController() const;
    EVBaseViewController *mapControllerWithEvent(const std::shared_ptr<VELEvent> &event) const;
    EVBaseViewController *eventControllerWithEvent(const std::shared_ptr<VELEvent> &event) const;
    EVBaseViewController *ticketControllerWithTicket(const std::shared_ptr<VELTicket> &ticket) const;
    EVBaseViewController *eventCalendarControllerWithEvent(const std::shared_ptr<VELEvent> &event) const;
    EVBaseViewController *velUsersListControllerWithUserId(const QString &userId) const;

    // The application's tab container, parent of the screens shown modally.
    void setTabBarController(TabBarController *tabs) { m_tabs = tabs; }
    TabBarController *tabBarController() const { return m_tabs; }
    void setLoginPresenter(LoginPresenter presenter) { m_loginPresenter = std::move(presenter); }

    static void popLogoutControllerWithParentController(TabBarController *parent, bool backToHot);
    static void popLogoutControllerWithParentController(TabBarController *parent,
                                                        const QString &loginName);

    // The last request for the login screen (who asked is told even before it exists).
    struct LoginRequest
    {
        bool backToHot = false;
        QString loginName;
        int count = 0;
    };
    LoginRequest lastLoginRequest() const { return m_lastLogin; }

private:
    void requestLogin(TabBarController *parent, bool backToHot, const QString &loginName);
    EVBaseViewController *withRecord(const QString &operation, const QString &key,
                                      const std::shared_ptr<VELObject> &record) const;

    QHash<QString, Builder> m_builders;
    TabBarController *m_tabs = nullptr;
    LoginPresenter m_loginPresenter;
    LoginRequest m_lastLogin;
};
