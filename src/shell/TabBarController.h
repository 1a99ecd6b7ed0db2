#pragma once

#include "NavigationController.h"
#include "VELAlert.h"

#include <QList>
#include <QObject>
#include <QtQml/qqmlregistration.h>

#include <functional>

// The window's root: tabs of navigation stacks, one of them selected, modal stacks over them,
// and the alerts and action sheets waiting to be answered.
class TabBarController : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Made by the application")
    Q_PROPERTY(QList<QObject *> tabs READ tabObjects CONSTANT)
    Q_PROPERTY(QStringList titles READ titles CONSTANT)
    Q_PROPERTY(QStringList imageKeys READ imageKeys CONSTANT)
    Q_PROPERTY(int selectedIndex READ selectedIndex WRITE setSelectedIndex NOTIFY selectedIndexChanged)
    Q_PROPERTY(NavigationController *modalController READ modalController NOTIFY modalChanged)
    Q_PROPERTY(VELAlert *currentAlert READ currentAlert NOTIFY alertsChanged)

public:
    struct Tab
    {
        EVBaseViewController *root;
        QString title;
        QString imageKey;
    };
    explicit TabBarController(const QList<Tab> &tabs, QObject *parent = nullptr);

    QList<NavigationController *> viewControllers() const { return m_tabs; }
    QList<QObject *> tabObjects() const;
    QStringList titles() const { return m_titles; }
    QStringList imageKeys() const { return m_imageKeys; }
    int selectedIndex() const { return m_selectedIndex; }
    void setSelectedIndex(int index);
    NavigationController *selectedController() const { return m_tabs.value(m_selectedIndex); }

    // A screen shown modally in a navigation stack of its own, over everything.
    void presentModal(EVBaseViewController *screen, std::function<void()> onDismiss = {});
    Q_INVOKABLE void dismissModal();
    NavigationController *modalController() const { return m_modals.isEmpty() ? nullptr : m_modals.last(); }

    // Takes the alert; it leaves when a button is pressed.
    void presentAlert(VELAlert *alert);
    VELAlert *currentAlert() const { return m_alerts.isEmpty() ? nullptr : m_alerts.first(); }

signals:
    void selectedIndexChanged();
    void modalChanged();
    void alertsChanged();

private:
    QList<NavigationController *> m_tabs;
    QStringList m_titles;
    QStringList m_imageKeys;
    int m_selectedIndex = 0;
    QList<NavigationController *> m_modals;
    QList<std::function<void()>> m_onDismiss;
    QList<VELAlert *> m_alerts;
};
