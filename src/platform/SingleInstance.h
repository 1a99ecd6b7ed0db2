#pragma once

#include <QByteArray>
#include <QLocalServer>
#include <QObject>

// One running instance per user: the first one listens on a local socket; a later start hands
// its message (a URL, a push payload) to it and ends. Messages arrive on the main thread.
class SingleInstance : public QObject
{
    Q_OBJECT
public:
    explicit SingleInstance(const QString &name, QObject *parent = nullptr);

    // True when this process is the running instance from now on.
    bool listen();
    // Hands the message to the running instance; false when none answers.
    static bool send(const QString &name, const QByteArray &message, int timeoutMs = 3000);
    // The socket name for a program, per user.
    static QString socketName(const QString &program);

signals:
    void messageReceived(const QByteArray &message);

private:
    QString m_name;
    QLocalServer m_server;
};
