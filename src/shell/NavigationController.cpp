#include "NavigationController.h"

NavigationController::NavigationController(EVBaseViewController *root, QObject *parent)
    : QObject(parent)
{
    root->setParent(this);
    m_screens.append(root);
}

void NavigationController::push(EVBaseViewController *screen, bool animated)
{
    screen->setParent(this);
    m_screens.append(screen);
    emit pushed(screen, animated);
    emit depthChanged();
}

void NavigationController::pop(bool animated)
{
    if (m_screens.size() <= 1)
        return;
    m_screens.takeLast()->deleteLater();
    emit poppedTo(depth(), animated);
    emit depthChanged();
}

void NavigationController::popToRoot(bool animated)
{
    if (m_screens.size() <= 1)
        return;
    while (m_screens.size() > 1)
        m_screens.takeLast()->deleteLater();
    emit poppedTo(1, animated);
    emit depthChanged();
}
