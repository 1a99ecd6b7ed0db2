#pragma once

#include <QString>

// A self-signed certificate for 127.0.0.1 and localhost, made with the openssl command.
class SelfSignedCertificate
{
public:
    // Makes the pair unless both files exist already. False when openssl fails.
    static bool ensure(const QString &certificatePath, const QString &keyPath, int days = 3650);
};
