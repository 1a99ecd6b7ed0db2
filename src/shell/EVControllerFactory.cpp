#include "EVControllerFactory.h"

#include "TabBarController.h"

#include "api/VELEvent.h"
#include "api/VELTicket.h"
#include "platform/SharedInstances.h"

EVControllerFactory &EVControllerFactory::sharedInstance()
{
    return SharedInstance<EVControllerFactory>::get();
}

void EVControllerFactory::registerScreen(const QString &operation, Builder builder)
{
    m_builders.insert(operation, std::move(builder));
}

EVBaseViewController *EVControllerFactory::make(const QString &operation, const QVariantMap &context) const
{
    const auto it = m_builders.constFind(operation);
    if (it == m_builders.cend())
        return nullptr;
    EVBaseViewController *screen = (*it)();
    if (screen && !context.isEmpty())
        screen->setContext(context);
    return screen;
}

EVBaseViewController *EVControllerFactory::withRecord(const QString &operation, const QString &key,
                                                      const std::shared_ptr<VELObject> &record) const
{
    return make(operation, { { key, EVBaseViewController::record(record) } });
}

EVBaseViewController *EVControllerFactory::hotEventsController() const
{
    return make(QStringLiteral("hotEventsController"));
}

EVBaseViewController *EVControllerFactory::eventBrowseController() const
{
    return make(QStringLiteral("eventBrowseController"));
}

EVBaseViewController *EVControllerFactory::myEventsController() const
{
    return make(QStringLiteral("myEventsController"));
}

EVBaseViewController *EVControllerFactory::chooseCityController() const
{
    return make(QStringLiteral("chooseCityController"));
}

EVBaseViewController *EVControllerFactory::eventSearchController() const
{
    return make(QStringLiteral("eventSearchController"));
}

EVBaseViewController *EVControllerFactory::mapControllerWithEvent(const std::shared_ptr<VELEvent> &event) const
{
    return withRecord(QStringLiteral("mapController"), EVBaseViewController::kContextEventKey, event);
}

EVBaseViewController *EVControllerFactory::eventControllerWithEvent(const std::shared_ptr<VELEvent> &event) const
{
    return withRecord(QStringLiteral("eventController"), EVBaseViewController::kContextEventKey, event);
}

EVBaseViewController *EVControllerFactory::ticketControllerWithTicket(const std::shared_ptr<VELTicket> &ticket) const
{
    return withRecord(QStringLiteral("ticketController"), EVBaseViewController::kContextTicketKey, ticket);
}

EVBaseViewController *EVControllerFactory::eventCalendarControllerWithEvent(
        const std::shared_ptr<VELEvent> &event) const
{
    return withRecord(QStringLiteral("eventCalendarController"), EVBaseViewController::kContextEventKey,
                      event);
}

EVBaseViewController *EVControllerFactory::velUsersListControllerWithUserId(const QString &userId) const
{
    QVariantMap context;
    if (!userId.isEmpty())
        context.insert(EVBaseViewController::kContextUserIdKey, userId);
    return make(QStringLiteral("velUsersListController"), context);
}

void EVControllerFactory::requestLogin(TabBarController *parent, bool backToHot, const QString &loginName)
{
    m_lastLogin = { backToHot, loginName, m_lastLogin.count + 1 };
    if (m_loginPresenter)
        m_loginPresenter(parent ? parent : m_tabs, backToHot, loginName);
}

void EVControllerFactory::popLogoutControllerWithParentController(TabBarController *parent, bool backToHot)
{
    sharedInstance().requestLogin(parent, backToHot, QString());
}

void EVControllerFactory::popLogoutControllerWithParentController(TabBarController *parent,
                                                                  const QString &loginName)
{
    sharedInstance().requestLogin(parent, false, loginName);
}
