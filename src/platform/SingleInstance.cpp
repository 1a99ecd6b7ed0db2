#include "SingleInstance.h"

#include <QLocalSocket>

#include <unistd.h>

SingleInstance::SingleInstance(const QString &name, QObject *parent)
    : QObject(parent), m_name(name)
{
    connect(&m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = m_server.nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, socket, [this, socket] {
                // One message per line.
                while (socket->canReadLine())
                    emit messageReceived(socket->readLine().trimmed());
            });
        }
    });
}

QString SingleInstance::socketName(const QString &program)
{
    return QStringLiteral("%1-%2").arg(program).arg(getuid());
}

bool SingleInstance::listen()
{
    // No access options: with them Qt binds elsewhere and renames over the name, taking it from
    // a running instance. The socket's default mode already keeps other users out.
    if (m_server.listen(m_name))
        return true;
    // A socket left by an instance that died: take it over, unless someone answers on it.
    QLocalSocket probe;
    probe.connectToServer(m_name);
    if (probe.waitForConnected(500))
        return false;
    QLocalServer::removeServer(m_name);
    return m_server.listen(m_name);
}

bool SingleInstance::send(const QString &name, const QByteArray &message, int timeoutMs)
{
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(timeoutMs))
        return false;
    socket.write(message + '\n');
    const bool written = socket.waitForBytesWritten(timeoutMs);
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(timeoutMs);
    return written;
}
