#include "VELSharedUDID.h"

#include "platform/Keychain.h"
#include "platform/Preferences.h"
#include "platform/SharedInstances.h"

#include <QCryptographicHash>
#include <QRandomGenerator>
#include <QSysInfo>
#include <QUuid>

const QString VELSharedUDID::kLegacyPreferencesKey = QStringLiteral("OpenUDID");
const QString VELSharedUDID::kKeychainKey = QStringLiteral("VELSharedUDID");

namespace {

const QString kMakerPrefix = QStringLiteral("com.velari");

} // namespace

VELSharedUDID::VELSharedUDID() = default;

QString VELSharedUDID::sharedUDID()
{
    VELSharedUDID &shared = SharedInstance<VELSharedUDID>::get();
    QMutexLocker locker(&shared.m_mutex);
    if (shared.m_identifier.isEmpty()) {
        Keychain keychain;
        shared.m_identifier = shared.lookup(keychain, Preferences::standard());
    }
    return shared.m_identifier;
}

QString VELSharedUDID::lookup(Keychain &keychain, Preferences &preferences)
{
    const QString group = QStringLiteral("%1.%2").arg(
            bundleSeedID(keychain), kMakerPrefix + QStringLiteral(".VELSharedUDID"));
    if (const auto stored = keychain.string(kKeychainKey, group); stored && !stored->isEmpty())
        return *stored;

    const QString earlier
            = preferences.dictionary(kLegacyPreferencesKey).value(kLegacyPreferencesKey).toString();
    if (!earlier.isEmpty()) {
        preferences.remove(kLegacyPreferencesKey);
        preferences.synchronize();
        keychain.setString(earlier, kKeychainKey, group);
        return earlier;
    }

    // When the keychain refuses, this process still has its identifier.
    const QString fresh = generateFresh();
    keychain.setString(fresh, kKeychainKey, group);
    return fresh;
}

QString VELSharedUDID::bundleSeedID(Keychain &keychain)
{
    const QString account = QStringLiteral("bundleSeedID");
    auto item = keychain.findGenericPassword(account, QString());
    if (!item) {
        if (!keychain.addGenericPassword({ account, QString(), QString(), QByteArray() }))
            return QString();
        item = keychain.findGenericPassword(account, QString());
    }
    return item ? item->accessGroup.section(u'.', 0, 0) : QString();
}

QString VELSharedUDID::generateFresh()
{
    const QByteArray uuidText
            = QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper().toLatin1();
    const QByteArray digest = QCryptographicHash::hash(uuidText, QCryptographicHash::Md5);
    const quint32 random = QRandomGenerator::global()->generate() % 4294967295u;
    return QString::fromLatin1(digest.toHex())
            + QStringLiteral("%1").arg(random, 8, 16, QLatin1Char('0'));
}

QString VELSharedUDID::identifierForVendor()
{
    const QByteArray machine = QSysInfo::machineUniqueId();
    if (machine.isEmpty())
        return QString();
    const QUuid vendorNamespace = QUuid::createUuidV5(QUuid(), kMakerPrefix);
    return QUuid::createUuidV5(vendorNamespace, machine).toString(QUuid::WithoutBraces).toUpper();
}
