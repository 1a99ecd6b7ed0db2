#include "SelfSignedCertificate.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

bool SelfSignedCertificate::ensure(const QString &certificatePath, const QString &keyPath, int days)
{
    if (QFile::exists(certificatePath) && QFile::exists(keyPath))
        return true;
    QDir().mkpath(QFileInfo(certificatePath).absolutePath());
    QDir().mkpath(QFileInfo(keyPath).absolutePath());
    QProcess openssl;
    openssl.start(QStringLiteral("openssl"),
                  { "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", QString::number(days),
                    "-subj", "/CN=127.0.0.1", "-addext", "subjectAltName=IP:127.0.0.1,DNS:localhost",
                    "-keyout", keyPath, "-out", certificatePath });
    if (!openssl.waitForFinished(30000) || openssl.exitStatus() != QProcess::NormalExit
        || openssl.exitCode() != 0)
        return false;
    QFile::setPermissions(keyPath, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    return true;
}
