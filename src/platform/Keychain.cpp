#include "Keychain.h"

#include "ApplicationHome.h"
#include "ApplicationInfo.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace {

const QString kGenericPasswordPrefix = QStringLiteral("genp.");
const QString kValuePrefix = QStringLiteral("kv.");

// Group names and keys become file names; hex keeps every text a safe, distinct name.
QString fileName(const QString &text)
{
    return QString::fromLatin1(text.toUtf8().toHex());
}

QString genericPasswordName(const QString &account, const QString &service)
{
    return kGenericPasswordPrefix + fileName(service) + u'.' + fileName(account);
}

std::optional<QByteArray> readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

} // namespace

Keychain::Keychain() : Keychain(ApplicationHome::keychainPath()) { }

Keychain::Keychain(const QString &directory) : m_directory(directory) { }

QString Keychain::defaultAccessGroup()
{
    return ApplicationInfo::appIdentifierPrefix() + u'.' + ApplicationInfo::bundleIdentifier();
}

QString Keychain::itemPath(const QString &name, const QString &accessGroup) const
{
    return m_directory + u'/' + fileName(accessGroup) + u'/' + name;
}

std::optional<QByteArray> Keychain::data(const QString &key, const QString &accessGroup) const
{
    return readFile(itemPath(kValuePrefix + fileName(key), accessGroup));
}

std::optional<QString> Keychain::string(const QString &key, const QString &accessGroup) const
{
    const std::optional<QByteArray> bytes = data(key, accessGroup);
    if (!bytes)
        return std::nullopt;
    return QString::fromUtf8(*bytes);
}

bool Keychain::setData(const QByteArray &value, const QString &key, const QString &accessGroup)
{
    return write(itemPath(kValuePrefix + fileName(key), accessGroup), value);
}

bool Keychain::setString(const QString &value, const QString &key, const QString &accessGroup)
{
    return setData(value.toUtf8(), key, accessGroup);
}

bool Keychain::remove(const QString &key, const QString &accessGroup)
{
    const QString path = itemPath(kValuePrefix + fileName(key), accessGroup);
    return !QFile::exists(path) || QFile::remove(path);
}

std::optional<Keychain::GenericPassword> Keychain::findGenericPassword(const QString &account,
                                                                       const QString &service) const
{
    const QString name = genericPasswordName(account, service);
    const QStringList groups
            = QDir(m_directory).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString &group : groups) {
        const std::optional<QByteArray> stored = readFile(m_directory + u'/' + group + u'/' + name);
        if (!stored)
            continue;
        return GenericPassword{ account, service,
                                QString::fromUtf8(QByteArray::fromHex(group.toLatin1())), *stored };
    }
    return std::nullopt;
}

bool Keychain::addGenericPassword(const GenericPassword &item)
{
    const QString group = item.accessGroup.isEmpty() ? defaultAccessGroup() : item.accessGroup;
    return write(itemPath(genericPasswordName(item.account, item.service), group), item.data);
}

bool Keychain::write(const QString &path, const QByteArray &bytes)
{
    const QString folder = path.section(u'/', 0, -2);
    if (!ApplicationHome::makeOwnerOnlyDirectory(folder))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (file.write(bytes) != bytes.size() || !file.commit())
        return false;
    return true;
}
