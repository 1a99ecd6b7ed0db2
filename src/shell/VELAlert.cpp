#include "VELAlert.h"

VELAlert *VELAlert::alert(const QString &title, const QString &message, const QString &cancel,
                          const QStringList &others, Handler handler)
{
    auto *made = new VELAlert;
    made->m_title = title;
    made->m_message = message;
    if (!cancel.isEmpty()) {
        made->m_buttons.append(cancel);
        made->m_cancelIndex = 0;
    }
    made->m_buttons.append(others);
    made->m_handler = std::move(handler);
    return made;
}

VELAlert *VELAlert::actionSheet(const QString &title, const QString &cancel,
                                const QString &destructive, const QStringList &others,
                                Handler handler)
{
    auto *made = new VELAlert;
    made->m_actionSheet = true;
    made->m_title = title;
    if (!destructive.isEmpty()) {
        made->m_buttons.append(destructive);
        made->m_destructiveIndex = 0;
    }
    made->m_buttons.append(others);
    if (!cancel.isEmpty()) {
        made->m_cancelIndex = int(made->m_buttons.size());
        made->m_buttons.append(cancel);
    }
    made->m_handler = std::move(handler);
    return made;
}

void VELAlert::press(int buttonIndex)
{
    if (m_done || buttonIndex < 0 || buttonIndex >= m_buttons.size())
        return;
    m_done = true;
    if (m_handler)
        m_handler(buttonIndex);
    emit finished(buttonIndex);
}
