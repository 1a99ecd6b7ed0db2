#include "Shell.h"

Shell &Shell::instance()
{
    static Shell *shell = new Shell;
    return *shell;
}

Shell *Shell::create(QQmlEngine *, QJSEngine *)
{
    QJSEngine::setObjectOwnership(&instance(), QJSEngine::CppOwnership);
    return &instance();
}

void Shell::setTabBarController(TabBarController *tabs)
{
    m_tabs = tabs;
    emit tabBarControllerChanged();
}
