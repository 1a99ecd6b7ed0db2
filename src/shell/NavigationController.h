#pragma once

#include "EVBaseViewController.h"

#include <QList>
#include <QObject>
#include <QtQml/qqmlregistration.h>

// A stack of screens, root first. It owns them; a popped screen goes once its view is gone.
// The QML StackView follows the signals.
class NavigationController : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Made by the tab container")
    Q_PROPERTY(int depth READ depth NOTIFY depthChanged)
    Q_PROPERTY(EVBaseViewController *topController READ topController NOTIFY depthChanged)

public:
    explicit NavigationController(EVBaseViewController *root, QObject *parent = nullptr);

    int depth() const { return int(m_screens.size()); }
    EVBaseViewController *rootController() const { return m_screens.value(0); }
    EVBaseViewController *topController() const { return m_screens.isEmpty() ? nullptr : m_screens.last(); }
    QList<EVBaseViewController *> screens() const { return m_screens; }

    void push(EVBaseViewController *screen, bool animated = true);
    // The root stays.
    void pop(bool animated = true);
    void popToRoot(bool animated = true);

signals:
    void pushed(EVBaseViewController *screen, bool animated);
    void poppedTo(int depth, bool animated);
    void depthChanged();

private:
    QList<EVBaseViewController *> m_screens;
};
