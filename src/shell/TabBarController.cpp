#include "TabBarController.h"

TabBarController::TabBarController(const QList<Tab> &tabs, QObject *parent) : QObject(parent)
{
    for (const Tab &tab : tabs) {
        m_tabs.append(new NavigationController(tab.root, this));
        m_titles.append(tab.title);
        m_imageKeys.append(tab.imageKey);
    }
}

QList<QObject *> TabBarController::tabObjects() const
{
    return QList<QObject *>(m_tabs.cbegin(), m_tabs.cend());
}

void TabBarController::setSelectedIndex(int index)
{
    if (index == m_selectedIndex || index < 0 || index >= m_tabs.size())
        return;
    m_selectedIndex = index;
    emit selectedIndexChanged();
}

void TabBarController::presentModal(EVBaseViewController *screen, std::function<void()> onDismiss)
{
    m_modals.append(new NavigationController(screen, this));
    m_onDismiss.append(std::move(onDismiss));
    emit modalChanged();
}

void TabBarController::dismissModal()
{
    if (m_modals.isEmpty())
        return;
    m_modals.takeLast()->deleteLater();
    const std::function<void()> done = m_onDismiss.takeLast();
    emit modalChanged();
    if (done)
        done();
}

void TabBarController::presentAlert(VELAlert *alert)
{
    alert->setParent(this);
    m_alerts.append(alert);
    connect(alert, &VELAlert::finished, this, [this, alert] {
        m_alerts.removeOne(alert);
        alert->deleteLater();
        emit alertsChanged();
    });
    emit alertsChanged();
}
