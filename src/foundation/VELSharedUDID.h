#pragma once

#include <QMutex>
#include <QString>

class Keychain;
class Preferences;

// The device's identifier shared by all of the maker's applications: 40 lower-case hexadecimal
// characters kept in the keychain, so it survives reinstallation.
class VELSharedUDID
{
public:
    static QString sharedUDID();
    // The vendor identifier as UUID text: the same for the maker's applications on this machine.
    static QString identifierForVendor();

    // The preferences entry of the identifier scheme of older versions.
    static const QString kLegacyPreferencesKey;
    static const QString kKeychainKey;

    VELSharedUDID();

private:
    QString lookup(Keychain &keychain, Preferences &preferences);
    static QString bundleSeedID(Keychain &keychain);
    static QString generateFresh();

    QMutex m_mutex;
    QString m_identifier;
};
