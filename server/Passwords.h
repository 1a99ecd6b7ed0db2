#pragma once

#include <QByteArray>
#include <QString>

// Salted PBKDF2 password hashes.
class Passwords
{
public:
    struct Hash
    {
        QByteArray salt;
        QByteArray hash;
    };
    static Hash make(const QString &password);
    static bool verify(const QString &password, const QByteArray &salt, const QByteArray &hash);
};
