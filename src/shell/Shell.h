#pragma once

#include "TabBarController.h"

#include <QObject>
#include <QQmlEngine>

// What the window shows: the application's tab container, for the QML views.
class Shell : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    Q_PROPERTY(TabBarController *tabBarController READ tabBarController NOTIFY tabBarControllerChanged)

public:
    static Shell &instance();
    static Shell *create(QQmlEngine *, QJSEngine *);

    TabBarController *tabBarController() const { return m_tabs; }
    void setTabBarController(TabBarController *tabs);

signals:
    void tabBarControllerChanged();

private:
    // Not default-constructible, so that QML takes the one instance from create().
    Shell() = default;

    TabBarController *m_tabs = nullptr;
};
