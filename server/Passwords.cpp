#include "Passwords.h"

#include <QCryptographicHash>
#include <QPasswordDigestor>
#include <QRandomGenerator>

namespace {

constexpr int kIterations = 4096;

QByteArray derive(const QString &password, const QByteArray &salt)
{
    return QPasswordDigestor::deriveKeyPbkdf2(QCryptographicHash::Sha256, password.toUtf8(), salt,
                                              kIterations, 32);
}

} // namespace

Passwords::Hash Passwords::make(const QString &password)
{
    QByteArray salt(16, Qt::Uninitialized);
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32 *>(salt.data()),
                                          salt.size() / int(sizeof(quint32)));
    return { salt, derive(password, salt) };
}

bool Passwords::verify(const QString &password, const QByteArray &salt, const QByteArray &hash)
{
    const QByteArray candidate = derive(password, salt);
    // Compare without an early exit.
    if (candidate.size() != hash.size())
        return false;
    unsigned char difference = 0;
    for (qsizetype i = 0; i < hash.size(); ++i)
        difference |= static_cast<unsigned char>(candidate[i] ^ hash[i]);
    return difference == 0;
}
