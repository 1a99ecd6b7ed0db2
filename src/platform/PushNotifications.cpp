#include "PushNotifications.h"

#include "Preferences.h"

#include <QRandomGenerator>

PushNotifications &PushNotifications::instance()
{
    static PushNotifications *push = new PushNotifications;
    return *push;
}

QString PushNotifications::deviceTokenDescription()
{
    Preferences &preferences = Preferences::standard();
    QString hex = preferences.string(kDeviceTokenKey);
    if (hex.size() != 64) {
        quint32 words[8];
        QRandomGenerator::system()->fillRange(words);
        hex = QString::fromLatin1(QByteArray(reinterpret_cast<const char *>(words), sizeof words).toHex());
        preferences.setValue(kDeviceTokenKey, hex);
        preferences.synchronize();
    }
    QString description = QStringLiteral("<");
    for (int i = 0; i < hex.size(); i += 8) {
        if (i > 0)
            description += QLatin1Char(' ');
        description += hex.mid(i, 8);
    }
    return description + QLatin1Char('>');
}
