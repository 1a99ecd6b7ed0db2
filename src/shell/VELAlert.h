#pragma once

#include <QObject>
#include <QStringList>
#include <QtQml/qqmlregistration.h>

#include <functional>

// An alert or an action sheet: a title, a message, buttons, and what happens with the index of
// the button pressed. The window shows it; pressing a button (a person, or a test) ends it.
class VELAlert : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Alerts are made by the screens")
    Q_PROPERTY(bool actionSheet READ isActionSheet CONSTANT)
    Q_PROPERTY(QString title READ title CONSTANT)
    Q_PROPERTY(QString message READ message CONSTANT)
    Q_PROPERTY(QStringList buttons READ buttons CONSTANT)
    Q_PROPERTY(int cancelButtonIndex READ cancelButtonIndex CONSTANT)
    Q_PROPERTY(int destructiveButtonIndex READ destructiveButtonIndex CONSTANT)

public:
    using Handler = std::function<void(int buttonIndex)>;

    // Buttons in order: the cancel button first when there is one (index 0), then the others.
    static VELAlert *alert(const QString &title, const QString &message, const QString &cancel,
                           const QStringList &others, Handler handler);
    // An action sheet lists the destructive item first, then the others, then cancel last.
    static VELAlert *actionSheet(const QString &title, const QString &cancel,
                                 const QString &destructive, const QStringList &others,
                                 Handler handler);

    bool isActionSheet() const { return m_actionSheet; }
    QString title() const { return m_title; }
    QString message() const { return m_message; }
    QStringList buttons() const { return m_buttons; }
    int cancelButtonIndex() const { return m_cancelIndex; }
    int destructiveButtonIndex() const { return m_destructiveIndex; }

    // Ends the alert with that button; only the first press counts.
    Q_INVOKABLE void press(int buttonIndex);

signals:
    void finished(int buttonIndex);

private:
    VELAlert() = default;

    bool m_actionSheet = false;
    QString m_title;
    QString m_message;
    QStringList m_buttons;
    int m_cancelIndex = -1;
    int m_destructiveIndex = -1;
    Handler m_handler;
    bool m_done = false;
};
